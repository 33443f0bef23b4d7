#include "backuparchive.h"
#include "restorefromarchive.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "writelimit.h"
#include "zip.h"
#include "ziptestfiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

void newWallet(const QString& password)
{
    freshWallet(password);
}

// An archive holding the given files under the given entry names.
QString archiveOf(const QString& path, const QList<QPair<QString, QString>>& entries)
{
    Zip zip;
    zip.createArchive(path);
    for (const auto& entry : entries) {
        const int slash = entry.first.lastIndexOf('/');
        QTemporaryDir dir;
        const QString file = dir.filePath(entry.first.mid(slash + 1));
        QFile::copy(entry.second, file);
        zip.addPaths({file}, slash >= 0 ? entry.first.left(slash) : QString());
    }
    zip.finishArchive();
    return path;
}

} // namespace

class TestRestoreFromArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void goodBackupReplacesTheWallet();
    void badArchivesLeaveTheWalletUntouched_data();
    void badArchivesLeaveTheWalletUntouched();
    void failedWriteMidwayLeavesTheWalletUntouched();
    void importCreatesFolders();
    void firstStartNeedsNoBackupFolder();
    void noSafetyBackupNoRestore();

private:
    QTemporaryDir m_folder;
    QTemporaryDir m_work;
    QString m_backupB; // a backup of wallet B ("pw-b"), with an item "B only"
    QString m_idB;
};

void TestRestoreFromArchive::initTestCase()
{
    QSettings().setValue("backup/backup_path", m_folder.path());
    newWallet("pw-b");
    db()->addItem({}, RootItemId, "B only", "key", false);
    m_idB = db()->walletId();
    m_backupB = archiveOf(m_work.filePath("wallet-b.zip"),
                          {{"kelvaron.dat", WalletDatabase::databaseFilePath()}});
}

void TestRestoreFromArchive::init()
{
    QSettings().setValue("backup/backup_path", m_folder.path());
    for (const QString& file : QDir(m_folder.path()).entryList(QDir::Files))
        QFile::remove(m_folder.filePath(file));
    newWallet("pw-a");
}

void TestRestoreFromArchive::goodBackupReplacesTheWallet()
{
    const QByteArray walletA = readFile(WalletDatabase::databaseFilePath());
    QVERIFY(restoreFromArchive(m_backupB));
    QCOMPARE(db()->walletId(), m_idB);
    QVERIFY(!db()->checkPassword("pw-a"));
    QVERIFY(db()->checkPassword("pw-b"));
    QCOMPARE(db()->listChildren(RootItemId).at(1).name, QStringLiteral("B only"));
    const QStringList safety = QDir(m_folder.path()).entryList({"kvrb-*-restore.zip"});
    QCOMPARE(safety.size(), 1);
    // The safety backup holds the replaced wallet.
    QTemporaryDir out;
    QCOMPARE(unzipArchiveToFolder(m_folder.filePath(safety.first()), out.path()),
             QStringLiteral("SUCCESS"));
    QCOMPARE(readFile(out.filePath("kelvaron.dat")), walletA);
    QVERIFY(QDir(WalletDatabase::dataFolderPath())
                .entryList({".restore-*"}, QDir::AllEntries | QDir::Hidden)
                .isEmpty());
}

void TestRestoreFromArchive::badArchivesLeaveTheWalletUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("corrupted") << "corrupted";
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("not a zip") << "notzip";
    QTest::newRow("entry outside the data folder") << "traversal";
    QTest::newRow("no wallet inside") << "nowallet";
    QTest::newRow("missing") << "missing";
}

void TestRestoreFromArchive::badArchivesLeaveTheWalletUntouched()
{
    QFETCH(QString, kind);
    const QString path = m_work.filePath(kind + ".zip");
    QByteArray bytes = readFile(m_backupB);
    if (kind == "corrupted") {
        for (int i = 200; i < 240; ++i)
            bytes[i] = char(bytes[i] ^ 0x5A);
        writeFile(path, bytes);
    } else if (kind == "truncated") {
        writeFile(path, bytes.left(bytes.size() / 2));
    } else if (kind == "notzip") {
        writeFile(path, sampleText(100000));
    } else if (kind == "traversal") {
        const QString evil = writeFile(m_work.filePath("evil.txt"), "evil");
        archiveOf(path,
                  {{"kelvaron.dat", WalletDatabase::databaseFilePath()}, {"../../evil.txt", evil}});
    } else if (kind == "nowallet") {
        const QString text = writeFile(m_work.filePath("kelvaron.txt"), sampleText(1000));
        archiveOf(path, {{"kelvaron.dat", text}});
    }
    const QByteArray before = readFile(WalletDatabase::databaseFilePath());
    const QString idBefore = db()->walletId();
    QVERIFY(!restoreFromArchive(path));
    QCOMPARE(readFile(WalletDatabase::databaseFilePath()), before);
    QCOMPARE(db()->walletId(), idBefore);
    QVERIFY(db()->checkPassword("pw-a"));
    QVERIFY(!QFile::exists(QDir(WalletDatabase::dataFolderPath()).filePath("../evil.txt")));
    QVERIFY(QDir(WalletDatabase::dataFolderPath())
                .entryList({".restore-*"}, QDir::AllEntries | QDir::Hidden)
                .isEmpty());
}

void TestRestoreFromArchive::failedWriteMidwayLeavesTheWalletUntouched()
{
    // A wallet of about 2 MB, unpacked under a file size limit of 1 MB: the
    // write fails midway, as on a full disk.
    newWallet("pw-big");
    const QString item = db()->addItem({}, RootItemId, "big", "key", false).itemId;
    QVERIFY(db()->saveField("NOTE", QString(2 * 1024 * 1024, 'x'), item, {}));
    const QString big = archiveOf(m_work.filePath("big.zip"),
                                  {{"kelvaron.dat", WalletDatabase::databaseFilePath()}});
    newWallet("pw-a");
    const QByteArray before = readFile(WalletDatabase::databaseFilePath());

    bool restored = true;
    {
        const WriteLimit limit(1024 * 1024);
        restored = restoreFromArchive(big);
    }

    QVERIFY(!restored);
    QCOMPARE(readFile(WalletDatabase::databaseFilePath()), before);
    QVERIFY(db()->checkPassword("pw-a"));
}

void TestRestoreFromArchive::importCreatesFolders()
{
    const QString picture = writeFile(m_work.filePath("icon_visa.png"), "not really a picture");
    // The wallet of archive B with a picture in an icon folder beside it.
    QTemporaryDir unpacked;
    QCOMPARE(unzipArchiveToFolder(m_backupB, unpacked.path()), QStringLiteral("SUCCESS"));
    const QString archive = archiveOf(m_work.filePath("import.zip"),
                                      {{"kelvaron.dat", unpacked.filePath("kelvaron.dat")},
                                       {"icons/pack/icon_visa.png", picture}});
    QVERIFY(restoreFromArchive(archive));
    QVERIFY(QFile::exists(WalletDatabase::dataFolderPath() + "/icons/pack/icon_visa.png"));
    QCOMPARE(db()->walletId(), m_idB);
}

void TestRestoreFromArchive::firstStartNeedsNoBackupFolder()
{
    QSettings().remove("backup/backup_path");
    freshWallet();
    QVERIFY(db()->isUninitialised());
    QVERIFY(restoreFromArchive(m_backupB));
    QCOMPARE(db()->walletId(), m_idB);
    QVERIFY(db()->checkPassword("pw-b"));
}

void TestRestoreFromArchive::noSafetyBackupNoRestore()
{
    QSettings().remove("backup/backup_path");
    const QByteArray before = readFile(WalletDatabase::databaseFilePath());
    QVERIFY(!restoreFromArchive(m_backupB));
    QCOMPARE(readFile(WalletDatabase::databaseFilePath()), before);
}

KELVARON_TEST_MAIN(TestRestoreFromArchive)
#include "tst_restorefromarchive.moc"
