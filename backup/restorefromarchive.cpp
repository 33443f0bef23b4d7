#include "restorefromarchive.h"

#include "backuparchive.h"
#include "filesafety.h"
#include "leftovers.h"
#include "unzip.h"
#include "walletdatabase.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QTemporaryDir>

namespace {

const QString WalletFileName = QStringLiteral("kelvaron.dat");
const QString IconPackPrefix = QStringLiteral("icons/");
const QString StagingPrefix = QStringLiteral(".restore-");
// What an archive may hold before anything of it is written.
constexpr int MaxEntries = 1000;
constexpr qint64 MaxDeclaredBytes = qint64(1) << 30;
// What a restored wallet may hold before it is opened.
constexpr int MaxRowsPerTable = 1000000;

// Checks what the central directory declares, before anything is unpacked:
// how many entries and bytes, against the free space of the data folder, no
// symbolic link, no name outside the folder, and a wallet among them. The
// entries to unpack (the wallet and the icon pack) go to wanted; anything
// else is left in the archive. Returns why the archive is refused, or "".
QString checkEntries(const QList<UnZip::EntryInfo>& entries, QStringList* wanted)
{
    if (entries.size() > MaxEntries)
        return QCoreApplication::translate("", "the archive holds more than 1,000 entries");
    qint64 declared = 0;
    for (const UnZip::EntryInfo& entry : entries) {
        if (entry.symlink)
            return QCoreApplication::translate("", "the archive holds a symbolic link");
        if (!UnZip::isSafeEntryName(entry.name))
            return QCoreApplication::translate(
                "", "the archive holds an entry that points outside its folder");
        declared += entry.size;
        if (entry.name == WalletFileName || entry.name.startsWith(IconPackPrefix))
            wanted->append(entry.name);
        else
            qDebug() << "Restore leaves an entry of the archive out:" << entry.name;
    }
    if (declared > MaxDeclaredBytes)
        return QCoreApplication::translate("", "the archive declares more than 1 GiB");
    if (declared > QStorageInfo(WalletDatabase::dataFolderPath()).bytesAvailable())
        return QCoreApplication::translate(
            "", "there is not enough free disk space to unpack the archive");
    if (!wanted->contains(WalletFileName))
        return QCoreApplication::translate("", "there is no wallet in this archive");
    return {};
}

// The schema objects a wallet may hold: its four tables, the indexes SQLite
// makes for their keys, and the tree index. A trigger, a view or any other
// object could act on later writes, so it is refused.
bool isWalletSchemaObject(const QString& type, const QString& name)
{
    static const QSet<QString> tables = {
        QStringLiteral("kelvaron_items"), QStringLiteral("kelvaron_fields"),
        QStringLiteral("kelvaron_labels"), QStringLiteral("kelvaron_properties")};
    if (type == QLatin1String("table"))
        return tables.contains(name);
    return type == QLatin1String("index") &&
           (name == QLatin1String("tree_idx1") ||
            name.startsWith(QLatin1String("sqlite_autoindex_kelvaron_")));
}

QString checkWalletContent(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next() ||
        query.value(0).toString() != QLatin1String("ok"))
        return QCoreApplication::translate("", "the wallet in the archive is damaged");
    if (!query.exec(QStringLiteral("SELECT type, name FROM sqlite_master")))
        return QCoreApplication::translate("", "the wallet in the archive is damaged");
    int tables = 0;
    while (query.next()) {
        if (!isWalletSchemaObject(query.value(0).toString(), query.value(1).toString()))
            return QCoreApplication::translate(
                "", "the wallet in the archive holds more than plain data");
        tables += query.value(0).toString() == QLatin1String("table") ? 1 : 0;
    }
    if (tables != 4)
        return QCoreApplication::translate("", "there is no wallet in this archive");
    for (const char* table :
         {"kelvaron_items", "kelvaron_fields", "kelvaron_labels", "kelvaron_properties"}) {
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)) ||
            !query.next() || query.value(0).toLongLong() > MaxRowsPerTable)
            return QCoreApplication::translate("", "the wallet in the archive is too large");
    }
    if (!query.exec(QStringLiteral("SELECT database_id FROM kelvaron_properties")) || !query.next())
        return QCoreApplication::translate("", "there is no wallet in this archive");
    // Either format is carried as it is; a strong one must say how its key is made.
    QString problem;
    WalletProtection::read(db, &problem);
    if (!problem.isEmpty())
        return QCoreApplication::translate(
            "", "the wallet in the archive has missing or damaged key settings");
    return {};
}

// Whether path is a wallet of plain data, read on a read-only connection of
// its own that is closed again. Returns why it is refused, or "".
QString checkStagedWallet(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(16) != QByteArray("SQLite format 3", 16))
        return QCoreApplication::translate("", "there is no wallet in this archive");
    file.close();
    const QString name = QStringLiteral("kelvaron-restore-check");
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        problem = db.open()
                      ? checkWalletContent(db)
                      : QCoreApplication::translate("", "the wallet in the archive is damaged");
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

// Moves every staged file but the wallet below target, creating folders.
bool moveStagedFiles(const QString& staging, const QString& target)
{
    QDirIterator it(staging, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(staging).relativeFilePath(source);
        if (relative == WalletFileName)
            continue;
        const QString destination = target + QLatin1Char('/') + relative;
        if (!QDir().mkpath(QFileInfo(destination).absolutePath()) ||
            std::rename(QFile::encodeName(source).constData(),
                        QFile::encodeName(destination).constData()) != 0) {
            qDebug() << "Restore could not move" << relative;
            return false;
        }
    }
    return true;
}

// Unpacks the wanted entries of archivePath into staging and checks the
// wallet among them. Returns why the archive is refused, or "".
QString unpackAndCheck(const QString& archivePath, const QString& staging)
{
    UnZip unzip;
    UnZip::ErrorCode ec = unzip.openArchive(archivePath);
    if (ec == UnZip::FileNotFound)
        return QCoreApplication::translate("", "the archive does not exist");
    if (ec != UnZip::Ok)
        return QCoreApplication::translate("",
                                           "it is not a zip archive, or the archive is damaged");
    QStringList wanted;
    const QString refused = checkEntries(unzip.entryList(), &wanted);
    if (!refused.isEmpty())
        return refused;
    ec = unzip.extractFiles(wanted, QDir(staging));
    if (ec != UnZip::Ok)
        return QCoreApplication::translate("", "the archive is damaged: ") + UnZip::errorText(ec);
    return checkStagedWallet(staging + QLatin1Char('/') + WalletFileName);
}

bool refuse(QString* reason, const QString& why)
{
    qDebug() << "Restore abandoned:" << why;
    if (reason)
        *reason = why;
    return false;
}

} // namespace

void removeStaleRestoreFolders(const QDateTime& startedAt)
{
    // Staging folders of restores that were killed, from before this process.
    removeLeftoversBefore(WalletDatabase::dataFolderPath(), StagingPrefix + QStringLiteral("*"),
                          startedAt);
}

bool restoreFromArchive(const QString& archivePath, QString* reason,
                        const std::function<bool()>& confirmReplace)
{
    WalletDatabase* db = WalletDatabase::instance();
    const int storedItems =
        db && db->state() == WalletDatabase::State::Ready ? db->storedItemCount() : -1;
    if (storedItems < 0)
        return refuse(reason, QCoreApplication::translate("", "the current wallet cannot be read"));

    // The whole archive is checked before anything of the wallet changes.
    const QString dataFolder = WalletDatabase::dataFolderPath();
    QTemporaryDir staging(dataFolder + QLatin1Char('/') + StagingPrefix + QStringLiteral("XXXXXX"));
    if (!staging.isValid())
        return refuse(reason, QCoreApplication::translate("", "the data folder cannot be written"));
    const QString problem = unpackAndCheck(archivePath, staging.path());
    if (!problem.isEmpty())
        return refuse(reason, problem);
    if (confirmReplace && !confirmReplace())
        return false;

    // Only a file that holds nothing at all has nothing to keep safe.
    if (storedItems > 0 && makeBackupArchive(BackupBeforeRestore).isEmpty())
        return refuse(reason, QCoreApplication::translate(
                                  "", "the safety backup of the current wallet could not be made"));
    const QString stagedWallet = staging.filePath(WalletFileName);
    if (!moveStagedFiles(staging.path(), dataFolder) ||
        !FileSafety::makePrivateFile(stagedWallet) || !FileSafety::sync(stagedWallet))
        return refuse(reason, QCoreApplication::translate("", "the data folder cannot be written"));

    // The wallet file is replaced by one rename, never under an open
    // connection; when it fails, the current wallet is taken up again with
    // its password, so that the session goes on sound.
    db->closeConnection();
    if (std::rename(QFile::encodeName(stagedWallet).constData(),
                    QFile::encodeName(WalletDatabase::databaseFilePath()).constData()) != 0) {
        db->open();
        return refuse(reason,
                      QCoreApplication::translate("", "the wallet file could not be replaced"));
    }
    FileSafety::sync(dataFolder);
    return openWalletDatabase();
}
