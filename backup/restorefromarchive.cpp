#include "restorefromarchive.h"

#include "backuparchive.h"
#include "unzip.h"
#include "walletdatabase.h"

#include <cstdio>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

const QString WalletFileName = QStringLiteral("kelvaron.dat");
const QString StagingPrefix = QStringLiteral(".restore-");

// Whether path is an SQLite file with the wallet's four tables and its
// properties row, read on a connection of its own that is closed again.
bool isWalletFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(16) != QByteArray("SQLite format 3", 16))
        return false;
    file.close();
    const QString name = QStringLiteral("kelvaron-restore-check");
    bool valid = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            valid = query.exec(QStringLiteral(
                        "SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND name IN "
                        "('kelvaron_items','kelvaron_fields','kelvaron_labels','kelvaron_"
                        "properties')")) &&
                    query.next() && query.value(0).toInt() == 4 &&
                    query.exec(QStringLiteral("SELECT database_id FROM kelvaron_properties")) &&
                    query.next();
            query.clear();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return valid;
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

} // namespace

void removeStaleRestoreFolders(const QDateTime& startedAt)
{
    // Staging folders of restores that were killed, from before this process.
    const QFileInfoList folders =
        QDir(WalletDatabase::dataFolderPath())
            .entryInfoList({StagingPrefix + QStringLiteral("*")},
                           QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& folder : folders)
        if (folder.lastModified() < startedAt)
            QDir(folder.absoluteFilePath()).removeRecursively();
}

QString unzipArchiveToFolder(const QString& archivePath, const QString& folder)
{
    QDir().mkpath(folder);
    UnZip unzip;
    UnZip::ErrorCode ec = unzip.openArchive(archivePath);
    if (ec != UnZip::Ok)
        return QStringLiteral("Error: ") + UnZip::errorText(ec);
    ec = unzip.extractAll(folder, UnZip::KeepEntryPaths);
    unzip.releaseArchive();
    if (ec != UnZip::Ok)
        return QStringLiteral("Error: ") + UnZip::errorText(ec);
    return QStringLiteral("SUCCESS");
}

bool restoreFromArchive(const QString& archivePath)
{
    WalletDatabase* db = WalletDatabase::instance();
    // A file without a wallet (a first start) has nothing to keep safe.
    const bool hasWallet = db && !db->isUninitialised();
    if (hasWallet && makeBackupArchive(BackupBeforeRestore).isEmpty()) {
        qDebug() << "Restore abandoned: the safety backup could not be made";
        return false;
    }

    const QString dataFolder = WalletDatabase::dataFolderPath();
    QTemporaryDir staging(dataFolder + QLatin1Char('/') + StagingPrefix + QStringLiteral("XXXXXX"));
    if (!staging.isValid())
        return false;
    const QString unpacked = unzipArchiveToFolder(archivePath, staging.path());
    if (unpacked != QLatin1String("SUCCESS")) {
        qDebug() << "Restore abandoned:" << unpacked;
        return false;
    }
    const QString stagedWallet = staging.filePath(WalletFileName);
    if (!isWalletFile(stagedWallet)) {
        qDebug() << "Restore abandoned: the archive holds no wallet file";
        return false;
    }
    if (!moveStagedFiles(staging.path(), dataFolder))
        return false;

    // The wallet file is replaced by one rename, never under an open connection.
    if (db)
        db->close();
    const bool moved =
        std::rename(QFile::encodeName(stagedWallet).constData(),
                    QFile::encodeName(WalletDatabase::databaseFilePath()).constData()) == 0;
    if (!moved)
        qDebug() << "Restore could not move the wallet file into place";
    return openWalletDatabase() && moved;
}
