#include "exitsignals.h"
#include "privatefilewriter.h"
#include "testenvironment.h"

#include <csignal>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestExitSignals : public QObject
{
    Q_OBJECT

private slots:
    void signalRemovesUnfinishedFilesAndQuits_data();
    void signalRemovesUnfinishedFilesAndQuits();
};

void TestExitSignals::signalRemovesUnfinishedFilesAndQuits_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestExitSignals::signalRemovesUnfinishedFilesAndQuits()
{
    QFETCH(int, signal);
    QTemporaryDir folder;
    const ExitSignals signals_(nullptr);
    // An export halfway through: plain text in a temporary file.
    PrivateFileWriter writer(folder.path(), ".kelvaron-export-", QString());
    QVERIFY(writer.open());
    QVERIFY(writer.device()->write("Group,Title,Password\nRoot,Bank,secret\n") > 0);
    QVERIFY(QFile::exists(writer.temporaryPath()));
    QVERIFY(::raise(signal) == 0);
    // The handler has run: the file is gone before the program even quits.
    QVERIFY(!QFile::exists(writer.temporaryPath()));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    // The event loop ends as Quit ends it.
    QCOMPARE(QCoreApplication::exec(), 0);
    // Nothing that was not committed can take a final name.
    QVERIFY(!writer.commit(folder.filePath("export.csv"), PrivateFileWriter::Commit::Replace));
    QVERIFY(!QFile::exists(folder.filePath("export.csv")));
}

KELVARON_TEST_MAIN(TestExitSignals)
#include "tst_exitsignals.moc"
