#include "backuparchive.h"

#include "leftovers.h"
#include "privatefilewriter.h"
#include "walletdatabase.h"
#include "zip.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString PartialPrefix = QStringLiteral(".kvrb-");
const QString PartialSuffix = QStringLiteral(".part");
constexpr int MaxSameSecond = 1000;

} // namespace

QString backupFolder()
{
    return QSettings().value(QStringLiteral("backup/backup_path"), QString()).toString();
}

QString backupTimestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QString backupArchiveName(BackupKind kind, const QString& timestamp, int number)
{
    // A second backup within the same second gets a number of its own.
    const QString stamp =
        number > 1 ? timestamp + QLatin1Char('-') + QString::number(number) : timestamp;
    return QStringLiteral("kvrb-") + stamp +
           (kind == BackupBeforeRestore ? QStringLiteral("-restore.zip")
                                        : QStringLiteral("-manual.zip"));
}

namespace {

// Adds filePath to the archive that zip has just begun and finishes it.
QString finishWithFile(Zip& zip, Zip::ErrorCode ec, const QString& filePath)
{
    if (ec != Zip::Ok)
        return QStringLiteral("Error: ") + Zip::errorText(ec);
    ec = zip.addPath(filePath, Zip::LevelAutoFull);
    const Zip::ErrorCode finished = zip.finishArchive();
    if (ec == Zip::Ok)
        ec = finished;
    if (ec != Zip::Ok)
        return QStringLiteral("Error: ") + Zip::errorText(ec);
    return QStringLiteral("SUCCESS");
}

} // namespace

QString zipFileToArchive(const QString& archivePath, const QString& filePath)
{
    Zip zip;
    const Zip::ErrorCode ec = zip.createArchive(archivePath, true);
    return finishWithFile(zip, ec, filePath);
}

QString makeBackupArchive(BackupKind kind)
{
    const QString folder = backupFolder();
    if (folder.isEmpty())
        return {};
    const QString database = WalletDatabase::databaseFilePath();
    if (!QFileInfo::exists(database))
        return {};
    // The archive is written under a temporary name, through the descriptor
    // that created it, and takes its final name only once every byte is on
    // the disk: a backup is complete or absent. In a folder that others can
    // write, nothing they put at either name is followed or replaced.
    PrivateFileWriter partial(folder, PartialPrefix, PartialSuffix);
    if (!partial.open())
        return {};
    Zip zip;
    const Zip::ErrorCode ec = zip.createArchive(partial.device());
    const QString written = finishWithFile(zip, ec, database);
    if (written != QLatin1String("SUCCESS")) {
        qDebug() << "Backup not written:" << written;
        return {};
    }
    const QString timestamp = backupTimestamp();
    for (int number = 1; number <= MaxSameSecond; ++number) {
        const QString archive =
            folder + QDir::separator() + backupArchiveName(kind, timestamp, number);
        bool taken = false;
        if (partial.commit(archive, PrivateFileWriter::Commit::NoReplace, &taken))
            return archive;
        if (!taken)
            return {};
    }
    return {};
}

void removeStaleBackupLeftovers(const QDateTime& startedAt)
{
    // Partial archives of a backup that was killed, from before this process.
    removeLeftoversBefore(backupFolder(), PartialPrefix + QStringLiteral("*") + PartialSuffix,
                          startedAt);
}
