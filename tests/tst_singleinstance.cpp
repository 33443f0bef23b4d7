#include "singleinstance.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondProcessBringsTheFirstForwardAndEnds();
    void lockOfADeadCopyDoesNotBlock();
};

void TestSingleInstance::secondProcessBringsTheFirstForwardAndEnds()
{
    const QString folder = WalletDatabase::dataFolderPath();
    QFile::remove(WalletDatabase::databaseFilePath());
    SingleInstance first(folder);
    QVERIFY(first.acquire());
    QSignalSpy shown(&first, &SingleInstance::showRequested);

    // The real program, started a second time on the same data folder.
    QProcess second;
    second.start(QStringLiteral(KELVARON_BINARY), QStringList());
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(shown.count() == 1 || shown.wait(5000));
    // It never opened, let alone created, the wallet.
    QVERIFY(!QFile::exists(WalletDatabase::databaseFilePath()));

    // A second copy in this process is refused the same way.
    SingleInstance again(folder);
    QVERIFY(!again.acquire());
    QVERIFY(again.runningCopyAnswered());
    QVERIFY(shown.wait(5000));
}

void TestSingleInstance::lockOfADeadCopyDoesNotBlock()
{
    // A copy that was killed left its lock behind: its process is gone.
    QProcess gone;
    gone.start(QStringLiteral("true"), QStringList());
    QVERIFY(gone.waitForFinished());
    const qint64 deadPid = gone.processId() > 0 ? gone.processId() : 999999;
    const QString folder = WalletDatabase::dataFolderPath();
    QFile lock(folder + QStringLiteral("/kelvaron.lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
    lock.write(QByteArray::number(deadPid) + "\nkelvaron\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    SingleInstance next(folder);
    QVERIFY(next.acquire());
}

KELVARON_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
