#include "backuparchive.h"
#include "testenvironment.h"
#include "unzip.h"
#include "walletdatabase.h"
#include "ziptestfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
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

private:
    QTemporaryDir m_folder;
};

void TestBackupArchive::init()
{
    QSettings().setValue("backup/backup_path", m_folder.path());
    for (const QString& file : QDir(m_folder.path()).entryList(QDir::Files))
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
    QVERIFY(makeBackupArchive(BackupManual));
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
    QVERIFY(!makeBackupArchive(BackupManual));
    QSettings().setValue("backup/backup_path", m_folder.path());
    WalletDatabase::instance()->close();
    QFile::remove(WalletDatabase::databaseFilePath());
    QVERIFY(!makeBackupArchive(BackupManual));
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

KELVARON_TEST_MAIN(TestBackupArchive)
#include "tst_backuparchive.moc"
