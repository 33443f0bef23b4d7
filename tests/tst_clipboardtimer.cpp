#include "clipboardtimer.h"
#include "settingskeys.h"
#include "testenvironment.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

// One counted second lasts 10 ms here, so that nothing waits long.
class TestClipboardTimer : public QObject
{
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }
    void forgetsInTime_data();
    void forgetsInTime();
};

void TestClipboardTimer::forgetsInTime_data()
{
    QTest::addColumn<QVariant>("setting"); // seconds; an invalid QVariant leaves it unset
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("left");       // the clipboard's text at the end
    QTest::addColumn<QList<int>>("counted"); // the countdown reported
    QTest::newRow("cleared after the delay")
        << QVariant(3) << QString() << QString() << QList<int>({3, 2, 1, 0});
    QTest::newRow("default is 10 seconds")
        << QVariant() << QString() << QString() << QList<int>({10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    QTest::newRow("the user copied something else") << QVariant(3) << "user text"
                                                    << "user text" << QList<int>({3, 2, 1, 0});
    QTest::newRow("0 means never") << QVariant(0) << QString() << "s3cret" << QList<int>();
    QTest::newRow("lock clears at once")
        << QVariant(300) << "lock" << QString() << QList<int>({300, 0});
    QTest::newRow("a setting out of range is bounded")
        << QVariant(100000) << "lock" << QString() << QList<int>({300, 0});
}

void TestClipboardTimer::forgetsInTime()
{
    QFETCH(QVariant, setting);
    QFETCH(QString, meanwhile);
    QFETCH(QString, left);
    QFETCH(QList<int>, counted);
    QSettings settings;
    if (setting.isValid())
        settings.setValue(SettingsKeys::ClipboardClear, setting);
    else
        settings.remove(SettingsKeys::ClipboardClear);

    ClipboardTimer timer(nullptr, 10);
    QSignalSpy spy(&timer, &ClipboardTimer::countdown);
    timer.copy(QStringLiteral("s3cret"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    QCOMPARE(clipboard->text(), QStringLiteral("s3cret"));
    // Marked for clipboard managers, so that no history keeps it.
    QVERIFY(clipboard->mimeData()->hasFormat(QStringLiteral("x-kde-passwordManagerHint")));
    if (meanwhile == QLatin1String("lock"))
        timer.clearNow();
    else if (!meanwhile.isEmpty())
        clipboard->setText(meanwhile);

    QTest::qWait(counted.isEmpty() ? 100 : 0);
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), counted.size(), 5000);
    QList<int> reported;
    for (const QList<QVariant>& signal : spy)
        reported << signal.at(0).toInt();
    QCOMPARE(reported, counted);
    QCOMPARE(clipboard->text(), left);
}

KELVARON_TEST_MAIN(TestClipboardTimer)
#include "tst_clipboardtimer.moc"
