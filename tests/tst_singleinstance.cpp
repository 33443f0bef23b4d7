#include "singleinstance.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <csignal>
#include <cstdio>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondProcessBringsTheFirstForwardAndEnds();
    void lockOfADeadCopyDoesNotBlock();
    void socketLivesInThePrivateRuntimeFolder();
    void squattedSocketIsNeverWritten();
    void failedListenIsReportedAndTheCopyRuns();
    void socketIsRemovedOnSignals_data();
    void socketIsRemovedOnSignals();
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

void TestSingleInstance::socketLivesInThePrivateRuntimeFolder()
{
    SingleInstance instance(WalletDatabase::dataFolderPath());
    QVERIFY(instance.acquire());
    QVERIFY(instance.problem().isEmpty());
    QCOMPARE(QFileInfo(instance.socketPath()).absolutePath(),
             QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).absolutePath());
    QVERIFY(QFileInfo(instance.socketPath()).exists());
}

void TestSingleInstance::squattedSocketIsNeverWritten()
{
    if (::getuid() != 0)
        QSKIP("another user's socket needs root to make");
    SingleInstance first(WalletDatabase::dataFolderPath());
    QVERIFY(first.acquire());
    QSignalSpy shown(&first, &SingleInstance::showRequested);
    // Another user listens on a socket of its own, which then stands at
    // the name the second copy connects to.
    QTemporaryDir shared;
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777)));
    QProcess squatter;
    squatter.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    squatter.start("python3", {"-c",
                               "import os, socket, sys\n"
                               "os.setgid(65534); os.setuid(65534)\n"
                               "s = socket.socket(socket.AF_UNIX)\n"
                               "s.bind(sys.argv[1]); s.listen(1)\n"
                               "print('ready', flush=True)\n"
                               "c, _ = s.accept(); c.settimeout(10)\n"
                               "print(repr(c.recv(100)), flush=True)\n",
                               shared.filePath("s")});
    QVERIFY(squatter.waitForReadyRead(10000));
    QCOMPARE(squatter.readLine().trimmed(), QByteArray("ready"));
    QCOMPARE(::rename(QFile::encodeName(shared.filePath("s")).constData(),
                      QFile::encodeName(first.socketPath()).constData()),
             0);

    SingleInstance second(WalletDatabase::dataFolderPath());
    QVERIFY(!second.acquire());
    QVERIFY(!second.runningCopyAnswered());
    QVERIFY(squatter.waitForFinished(10000));
    QCOMPARE(squatter.readAll().trimmed(), QByteArray("b''"));
    QCOMPARE(shown.count(), 0);
}

void TestSingleInstance::failedListenIsReportedAndTheCopyRuns()
{
    SingleInstance probe(WalletDatabase::dataFolderPath());
    // A folder at the socket's name cannot be removed or listened on.
    QVERIFY(QDir().mkpath(probe.socketPath() + "/inside"));
    SingleInstance instance(WalletDatabase::dataFolderPath());
    QVERIFY(instance.acquire());
    QVERIFY(!instance.problem().isEmpty());
    QVERIFY(QDir(probe.socketPath()).removeRecursively());
}

void TestSingleInstance::socketIsRemovedOnSignals_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestSingleInstance::socketIsRemovedOnSignals()
{
    QFETCH(int, signal);
    QFile::remove(WalletDatabase::databaseFilePath());
    const QString socket = SingleInstance(WalletDatabase::dataFolderPath()).socketPath();
    QFileSystemWatcher watcher({QFileInfo(socket).absolutePath()});
    QSignalSpy changed(&watcher, &QFileSystemWatcher::directoryChanged);
    // The real program at its first start, waiting in the first-start dialog.
    QProcess program;
    program.start(QStringLiteral(KELVARON_BINARY), QStringList());
    while (!QFile::exists(socket))
        QVERIFY(changed.wait(30000));
    ::kill(pid_t(program.processId()), signal);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!QFile::exists(socket));
}

KELVARON_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
