#include "backuparchive.h"
#include "testenvironment.h"
#include "unzip.h"
#include "walletdatabase.h"
#include "writelimit.h"
#include "ziptestfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <zlib.h>

class TestBackupArchive : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void names_data();
    void names();
    void timestampIsLocalTime();
    void backupHoldsTheWalletFile();
    void noFolderOrNoWalletWritesNothing();
    void writeErrorIsReported();
    void backupIsCompleteOrAbsent_data();
    void backupIsCompleteOrAbsent();
    void backupsOfOneSecondArePrivateAndDistinct();
    void staleLeftoversAreRemoved();
    void linksAtTheNamesAreLeftAlone();

private:
    QTemporaryDir m_folder;
};

void TestBackupArchive::init()
{
    QSettings().setValue("backup/backup_path", m_folder.path());
    for (const QString& file :
         QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(m_folder.filePath(file));
    freshWallet("pw");
}

void TestBackupArchive::names_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("manual") << int(BackupManual) << "kvrb-20260305-091507-manual.zip";
    QTest::newRow("before a restore")
        << int(BackupBeforeRestore) << "kvrb-20260305-091507-restore.zip";
}

void TestBackupArchive::names()
{
    QFETCH(int, kind);
    QFETCH(QString, name);
    QCOMPARE(backupArchiveName(BackupKind(kind), "20260305-091507"), name);
}

void TestBackupArchive::timestampIsLocalTime()
{
    const QString stamp = backupTimestamp();
    QVERIFY(QRegularExpression("^\\d{8}-\\d{6}$").match(stamp).hasMatch());
    const QDateTime parsed = QDateTime::fromString(stamp, "yyyyMMdd-HHmmss");
    QVERIFY(qAbs(parsed.secsTo(QDateTime::currentDateTime())) < 5);
}

void TestBackupArchive::backupHoldsTheWalletFile()
{
    QVERIFY(!makeBackupArchive(BackupManual).isEmpty());
    const QStringList archives = QDir(m_folder.path()).entryList({"kvrb-*-manual.zip"});
    QCOMPARE(archives.size(), 1);
    const QString archive = m_folder.filePath(archives.first());
    UnZip unzip;
    QCOMPARE(unzip.openArchive(archive), UnZip::Ok);
    QCOMPARE(unzip.fileList(), QStringList("kelvaron.dat"));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QCOMPARE(unzip.extractFile("kelvaron.dat", &out), UnZip::Ok);
    const QByteArray wallet = readFile(WalletDatabase::databaseFilePath());
    QCOMPARE(out.data(), wallet);
    const QByteArray bytes = readFile(archive);
    QCOMPARE(le32(bytes, 14), quint32(crc32(0, reinterpret_cast<const Bytef*>(wallet.constData()),
                                            uInt(wallet.size()))));
    QCOMPARE(le16(bytes, 8), quint16(8)); // deflated
    if (!QStandardPaths::findExecutable("unzip").isEmpty())
        QCOMPARE(QProcess::execute("unzip", {"-t", "-qq", archive}), 0);
}

void TestBackupArchive::noFolderOrNoWalletWritesNothing()
{
    QSettings().remove("backup/backup_path");
    QVERIFY(makeBackupArchive(BackupManual).isEmpty());
    QSettings().setValue("backup/backup_path", m_folder.path());
    WalletDatabase::instance()->close();
    QFile::remove(WalletDatabase::databaseFilePath());
    QVERIFY(makeBackupArchive(BackupManual).isEmpty());
    QVERIFY(QDir(m_folder.path()).entryList(QDir::Files).isEmpty());
}

void TestBackupArchive::writeErrorIsReported()
{
    QCOMPARE(zipFileToArchive("/nonexistent-folder/a.zip", WalletDatabase::databaseFilePath()),
             QStringLiteral("Error: Unable to create or open file."));
    QCOMPARE(zipFileToArchive(m_folder.filePath("b.zip"), "/nonexistent-file"),
             QStringLiteral("Error: File or directory does not exist."));
    QCOMPARE(zipFileToArchive(m_folder.filePath("c.zip"), WalletDatabase::databaseFilePath()),
             QStringLiteral("SUCCESS"));
}

void TestBackupArchive::backupIsCompleteOrAbsent_data()
{
    // How many bytes of the archive the disk takes before it is full: the
    // local header, the middle of the data, or all but the end record.
    QTest::addColumn<QString>("fullAt");
    QTest::newRow("local header") << "header";
    QTest::newRow("midway through the data") << "data";
    QTest::newRow("end record") << "end";
}

void TestBackupArchive::backupIsCompleteOrAbsent()
{
    QFETCH(QString, fullAt);
    const QString complete = makeBackupArchive(BackupManual);
    QVERIFY(!complete.isEmpty());
    const qint64 size = QFileInfo(complete).size();
    QVERIFY(QFile::remove(complete));
    const qint64 limit = fullAt == QLatin1String("header") ? 10
                         : fullAt == QLatin1String("data") ? size / 2
                                                           : size - 10;
    QString written;
    {
        const WriteLimit full(limit);
        written = makeBackupArchive(BackupManual);
    }
    QVERIFY2(written.isEmpty(), qPrintable(written));
    // Nothing under a backup's name, and no partial file left behind.
    QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestBackupArchive::backupsOfOneSecondArePrivateAndDistinct()
{
    const mode_t oldMask = ::umask(022);
    QStringList archives;
    for (int i = 0; i < 3; ++i)
        archives.append(makeBackupArchive(BackupBeforeRestore));
    ::umask(oldMask);
    QCOMPARE(QSet<QString>(archives.begin(), archives.end()).size(), 3);
    for (const QString& archive : archives) {
        QVERIFY(QFileInfo(archive).fileName().startsWith("kvrb-"));
        QCOMPARE(QFile::permissions(archive), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadUser | QFileDevice::WriteUser);
        UnZip unzip;
        QCOMPARE(unzip.openArchive(archive), UnZip::Ok);
    }
}

void TestBackupArchive::staleLeftoversAreRemoved()
{
    const QString stale = m_folder.filePath(".kvrb-AbCdEf.part");
    const QString running = m_folder.filePath(".kvrb-GhIjKl.part");
    const QString backup = m_folder.filePath("kvrb-20200101-000000-manual.zip");
    for (const QString& path : {stale, running, backup}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QDateTime startedAt = QDateTime::currentDateTime();
    QFile old(stale);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(startedAt.addSecs(-3600), QFileDevice::FileModificationTime));
    old.close();
    QFile recent(running);
    QVERIFY(recent.open(QIODevice::ReadWrite));
    QVERIFY(recent.setFileTime(startedAt.addSecs(60), QFileDevice::FileModificationTime));
    recent.close();
    removeStaleBackupLeftovers(startedAt);
    QVERIFY(!QFile::exists(stale));
    QVERIFY(QFile::exists(running));
    QVERIFY(QFile::exists(backup));
}

void TestBackupArchive::linksAtTheNamesAreLeftAlone()
{
    // In a backup folder that someone else can write, links stand at every
    // name the backup may take in the next seconds: one to a file of the
    // user, one dangling. None is followed or replaced.
    QTemporaryDir elsewhere;
    const QString precious = elsewhere.filePath("precious");
    {
        QFile file(precious);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the user's own file");
    }
    const QDateTime now = QDateTime::currentDateTime();
    QHash<QString, QString> links;
    for (int second = 0; second < 5; ++second)
        for (int number = 1; number <= 3; ++number) {
            const QString link = m_folder.filePath(backupArchiveName(
                BackupManual, now.addSecs(second).toString("yyyyMMdd-HHmmss"), number));
            const QString target = number == 1 ? elsewhere.filePath("missing") : precious;
            QVERIFY(QFile::link(target, link));
            links.insert(link, target);
        }
    const QString archive = makeBackupArchive(BackupManual);
    QVERIFY(!archive.isEmpty());
    QVERIFY(!links.contains(archive));
    QVERIFY(!QFileInfo(archive).isSymLink());
    UnZip unzip;
    QCOMPARE(unzip.openArchive(archive), UnZip::Ok);
    QCOMPARE(unzip.verifyArchive(), UnZip::Ok);
    QFile file(precious);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the user's own file"));
    QVERIFY(!QFile::exists(elsewhere.filePath("missing")));
    for (auto link = links.cbegin(); link != links.cend(); ++link) {
        QVERIFY(QFileInfo(link.key()).isSymLink());
        QCOMPARE(QFileInfo(link.key()).symLinkTarget(), link.value());
        QFile::remove(link.key());
    }
    // Nothing partial is left either.
    QCOMPARE(QDir(m_folder.path()).entryList({".kvrb-*"}, QDir::Files | QDir::Hidden),
             QStringList());
}

KELVARON_TEST_MAIN(TestBackupArchive)
#include "tst_backuparchive.moc"
