#include "rowreader.h"
#include "testenvironment.h"

#include <QtTest>

class TestRowReader : public QObject
{
    Q_OBJECT

private slots:
    void parseTimestamp_data();
    void parseTimestamp();
};

void TestRowReader::parseTimestamp_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    // Fixed texts, never today's date; the suite runs with TZ=UTC.
    QTest::newRow("stored form") << "2026-12-09 23:59:01"
                                 << QDateTime(QDate(2026, 12, 9), QTime(23, 59, 1));
    QTest::newRow("leap day") << "2024-02-29 00:00:00"
                              << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
    QTest::newRow("no such day") << "2025-02-29 00:00:00" << QDateTime();
    QTest::newRow("hour 24") << "2026-12-09 24:00:00" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("ISO T separator") << "2026-12-09T23:59:01" << QDateTime();
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("٢٠٢٦-12-09 23:59:01") << QDateTime();
}

void TestRowReader::parseTimestamp()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    const QDateTime parsed = ::parseTimestamp(text);
    QCOMPARE(parsed, expected);
    if (expected.isValid())
        QCOMPARE(parsed.timeSpec(), Qt::LocalTime);
}

KELVARON_TEST_MAIN(TestRowReader)
#include "tst_rowreader.moc"
