#include "backuparchive.h"
#include "restorefromarchive.h"
#include "testenvironment.h"
#include "unzip.h"
#include "walletdatabase.h"
#include "writelimit.h"
#include "zip.h"
#include "ziptestfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/time.h>

namespace {

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

// Unpacks a whole archive into folder: "SUCCESS" or "Error: " and the
// reader's error text.
QString unzipArchiveToFolder(const QString& archivePath, const QString& folder)
{
    QDir().mkpath(folder);
    UnZip unzip;
    UnZip::ErrorCode ec = unzip.openArchive(archivePath);
    if (ec == UnZip::Ok)
        ec = unzip.extractAll(folder, UnZip::KeepEntryPaths);
    return ec == UnZip::Ok ? QStringLiteral("SUCCESS")
                           : QStringLiteral("Error: ") + UnZip::errorText(ec);
}

QStringList filesOfDataFolder()
{
    return filesBelow(WalletDatabase::dataFolderPath());
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
    void strongWalletIsCarriedUnchanged();
    void onlyTheWalletAndIconsAreWritten();
    void failedWriteMidwayLeavesTheWalletUntouched();
    void importCreatesFolders();
    void firstStartNeedsNoBackupFolder();
    void noSafetyBackupNoRestore();
    void staleStagingFoldersAreRemoved();

private:
    // A copy of wallet B's file; with sql, changed by it on a plain connection.
    QString walletB();
    QString walletBWith(const QString& sql);
    QTemporaryDir m_folder;
    QTemporaryDir m_work;
    QString m_backupB; // a backup of wallet B ("pw-b"), with an item "B only"
    QString m_idB;
};

QString TestRestoreFromArchive::walletB()
{
    const QString copy = m_work.filePath("copy-of-b/kelvaron.dat");
    if (!QFile::exists(copy)) {
        QTemporaryDir unpacked;
        unzipArchiveToFolder(m_backupB, unpacked.path());
        QDir().mkpath(QFileInfo(copy).absolutePath());
        QFile::copy(unpacked.filePath("kelvaron.dat"), copy);
    }
    return copy;
}

QString TestRestoreFromArchive::walletBWith(const QString& sql)
{
    const QString changed = m_work.filePath("changed/kelvaron.dat");
    QDir().mkpath(QFileInfo(changed).absolutePath());
    QFile::remove(changed);
    QFile::copy(walletB(), changed);
    {
        QSqlDatabase plain = QSqlDatabase::addDatabase("QSQLITE", "plain");
        plain.setDatabaseName(changed);
        plain.open();
        QSqlQuery query(plain);
        if (!query.exec(sql))
            qWarning() << query.lastError().text();
    }
    QSqlDatabase::removeDatabase("plain");
    return changed;
}

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
    QTest::newRow("wallet entry inflates past its declared size") << "bomb";
    QTest::newRow("1,001 entries") << "many";
    QTest::newRow("symbolic link beside the wallet") << "symlink";
    QTest::newRow("wallet with a trigger") << "trigger";
    QTest::newRow("wallet with a view") << "view";
    QTest::newRow("wallet with a million and one rows") << "rows";
    QTest::newRow("wallet of version 2 without key settings") << "version2";
    QTest::newRow("wallet of version 2 with a short salt") << "short salt";
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
    } else if (kind == "bomb") {
        // 16 MiB of zeros that both headers declare as 100 bytes.
        const QString zeros = writeFile(m_work.filePath("zeros"), QByteArray(16 << 20, '\0'));
        QByteArray archive = readFile(archiveOf(path, {{"kelvaron.dat", zeros}}));
        putLe32(archive, 22, 100);
        putLe32(archive, int(le32(archive, archive.lastIndexOf("PK\x05\x06") + 16)) + 24, 100);
        writeFile(path, archive);
    } else if (kind == "many") {
        QList<QPair<QString, QString>> entries = {{"kelvaron.dat", walletB()}};
        const QString one = writeFile(m_work.filePath("one.png"), "x");
        for (int i = 0; i < 1000; ++i)
            entries.append({QStringLiteral("icons/p/%1.png").arg(i), one});
        archiveOf(path, entries);
    } else if (kind == "symlink") {
        const QString target = writeFile(m_work.filePath("target"), "/etc");
        QByteArray archive =
            readFile(archiveOf(path, {{"icons/link", target}, {"kelvaron.dat", walletB()}}));
        const int central = int(le32(archive, archive.lastIndexOf("PK\x05\x06") + 16));
        archive[central + 5] = char(3);
        putLe32(archive, central + 38, quint32(0120777) << 16);
        writeFile(path, archive);
    } else if (kind == "version2") {
        archiveOf(path,
                  {{"kelvaron.dat", walletBWith("UPDATE kelvaron_properties SET version='2'")}});
    } else if (kind == "short salt") {
        const QString strong = m_work.filePath("strong/kelvaron.dat");
        QDir().mkpath(QFileInfo(strong).absolutePath());
        QFile::copy(QStringLiteral(KELVARON_TEST_DATA "/format2_wallet.dat"), strong);
        {
            QSqlDatabase plain = QSqlDatabase::addDatabase("QSQLITE", "plain");
            plain.setDatabaseName(strong);
            QVERIFY(plain.open());
            QVERIFY(QSqlQuery(plain).exec("UPDATE kelvaron_properties SET kdf_salt=x'00112233'"));
        }
        QSqlDatabase::removeDatabase("plain");
        archiveOf(path, {{"kelvaron.dat", strong}});
    } else {
        const QString sql =
            kind == "trigger"
                ? "CREATE TRIGGER wipe AFTER INSERT ON kelvaron_fields BEGIN DELETE FROM "
                  "kelvaron_fields; END"
            : kind == "view"
                ? "CREATE VIEW names AS SELECT name FROM kelvaron_items"
                : "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n LIMIT 1000001) "
                  "INSERT INTO kelvaron_labels (field_type) SELECT x FROM n";
        archiveOf(path, {{"kelvaron.dat", walletBWith(sql)}});
    }
    const QStringList filesBefore = filesOfDataFolder();
    const QByteArray before = readFile(WalletDatabase::databaseFilePath());
    const QString idBefore = db()->walletId();
    QString reason;
    QVERIFY(!restoreFromArchive(path, &reason));
    QVERIFY(!reason.isEmpty());
    QCOMPARE(filesOfDataFolder(), filesBefore);
    QVERIFY(readFile(WalletDatabase::databaseFilePath()) == before);
    QCOMPARE(db()->walletId(), idBefore);
    QVERIFY(db()->checkPassword("pw-a"));
    QVERIFY(!QFile::exists(QDir(WalletDatabase::dataFolderPath()).filePath("../evil.txt")));
    QVERIFY(QDir(WalletDatabase::dataFolderPath())
                .entryList({".restore-*"}, QDir::AllEntries | QDir::Hidden)
                .isEmpty());
}

void TestRestoreFromArchive::strongWalletIsCarriedUnchanged()
{
    // A wallet written by the independent script, in the strong format.
    const QString fixture = QStringLiteral(KELVARON_TEST_DATA "/format2_wallet.dat");
    const QString path = archiveOf(m_work.filePath("strong.zip"), {{"kelvaron.dat", fixture}});
    QVERIFY(restoreFromArchive(path));
    QVERIFY(readFile(WalletDatabase::databaseFilePath()) == readFile(fixture));
    QVERIFY(db()->protection().isStrong());
    QVERIFY(!db()->checkPassword("pw-a"));
    QVERIFY(db()->checkPassword("correct horse"));
    QCOMPARE(db()->getItem("I0000002").name, QStringLiteral("Заметка"));
}

void TestRestoreFromArchive::onlyTheWalletAndIconsAreWritten()
{
    // Beside a good wallet: an entry that would inflate to 16 MiB while it
    // declares 100 bytes, and a file outside the icon pack. Neither is written.
    const QString zeros = writeFile(m_work.filePath("zeros"), QByteArray(16 << 20, '\0'));
    const QString picture = writeFile(m_work.filePath("icon_visa.png"), "picture");
    const QString path = m_work.filePath("side.zip");
    QByteArray archive = readFile(archiveOf(
        path,
        {{"junk.bin", zeros}, {"kelvaron.dat", walletB()}, {"icons/icon_visa.png", picture}}));
    // Its central record, then its local header, both declare 100 bytes.
    const int directory = int(le32(archive, archive.lastIndexOf("PK\x05\x06") + 16));
    const int record = archive.indexOf("junk.bin", directory) - 46;
    QCOMPARE(le32(archive, record), quint32(0x02014b50));
    putLe32(archive, record + 24, 100);
    putLe32(archive, int(le32(archive, record + 42)) + 22, 100);
    writeFile(path, archive);

    QVERIFY(restoreFromArchive(path));
    QCOMPARE(db()->walletId(), m_idB);
    QCOMPARE(filesOfDataFolder(), QStringList({"icons/icon_visa.png", "kelvaron.dat"}));
    QCOMPARE(QFile::permissions(WalletDatabase::databaseFilePath()) & 0x0077, 0);
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

void TestRestoreFromArchive::staleStagingFoldersAreRemoved()
{
    // A restore killed in an earlier run left its staging folder, with a
    // wallet inside; one of a restore running now must stay.
    const QDir data(WalletDatabase::dataFolderPath());
    const QDateTime startedAt = QDateTime::currentDateTime();
    const auto staging = [&](const QString& name, qint64 ageSeconds) {
        QVERIFY(data.mkpath(name));
        writeFile(data.filePath(name + "/kelvaron.dat"), "wallet");
        const qint64 when = startedAt.toSecsSinceEpoch() - ageSeconds;
        const timeval times[2] = {{when, 0}, {when, 0}};
        QVERIFY(::utimes(QFile::encodeName(data.filePath(name)).constData(), times) == 0);
    };
    staging(".restore-Old123", 3600);
    staging(".restore-New456", -60);
    removeStaleRestoreFolders(startedAt);
    QVERIFY(!data.exists(".restore-Old123"));
    QVERIFY(data.exists(".restore-New456/kelvaron.dat"));
    QVERIFY(QFile::exists(WalletDatabase::databaseFilePath()));
    QDir(data.filePath(".restore-New456")).removeRecursively();
}

KELVARON_TEST_MAIN(TestRestoreFromArchive)
#include "tst_restorefromarchive.moc"
