#include "backuparchive.h"

#include "walletdatabase.h"
#include "zip.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

QString backupFolder()
{
    return QSettings().value(QStringLiteral("backup/backup_path"), QString()).toString();
}

QString backupTimestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QString backupArchiveName(BackupKind kind, const QString& timestamp)
{
    return QStringLiteral("kvrb-") + timestamp +
           (kind == BackupBeforeRestore ? QStringLiteral("-restore.zip")
                                        : QStringLiteral("-manual.zip"));
}

QString zipFileToArchive(const QString& archivePath, const QString& filePath)
{
    Zip zip;
    Zip::ErrorCode ec = zip.createArchive(archivePath, true);
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

bool makeBackupArchive(BackupKind kind)
{
    const QString folder = backupFolder();
    if (folder.isEmpty())
        return false;
    const QString database = WalletDatabase::databaseFilePath();
    if (!QFileInfo::exists(database))
        return false;
    const QString archive = folder + QDir::separator() + backupArchiveName(kind, backupTimestamp());
    return zipFileToArchive(archive, database) == QLatin1String("SUCCESS");
}
