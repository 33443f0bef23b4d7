#pragma once

#include <QDateTime>
#include <QString>

// What a backup is made for; the kind chooses the archive's name suffix.
enum BackupKind
{
    BackupManual = 0,
    BackupBeforeRestore = 2
};

// Writes one backup archive of the wallet file into the backup folder and
// returns its path, or an empty text when no complete archive was written
// (then nothing is left behind). The archive is 0600.
QString makeBackupArchive(BackupKind kind);

// Removes the partial archives that backups killed before startedAt left in
// the backup folder.
void removeStaleBackupLeftovers(const QDateTime& startedAt);

// Writes a new archive at archivePath holding the one file filePath.
// Returns "SUCCESS" or "Error: " followed by the writer's error text.
QString zipFileToArchive(const QString& archivePath, const QString& filePath);

// The local date and time as yyyyMMdd-HHmmss, for archive names.
QString backupTimestamp();

// The archive name of a backup of the given kind made at timestamp; a number
// above 1 tells apart backups made within the same second.
QString backupArchiveName(BackupKind kind, const QString& timestamp, int number = 1);

// The configured backup folder ("backup/backup_path"), empty when none is set.
QString backupFolder();
