#pragma once

#include <QString>

// What a backup is made for; the kind chooses the archive's name suffix.
enum BackupKind
{
    BackupManual = 0,
    BackupBeforeRestore = 2
};

// Writes one backup archive of the wallet file into the backup folder.
bool makeBackupArchive(BackupKind kind);

// Writes a new archive at archivePath holding the one file filePath.
// Returns "SUCCESS" or "Error: " followed by the writer's error text.
QString zipFileToArchive(const QString& archivePath, const QString& filePath);

// The local date and time as yyyyMMdd-HHmmss, for archive names.
QString backupTimestamp();

// The archive name of a backup of the given kind made at timestamp.
QString backupArchiveName(BackupKind kind, const QString& timestamp);

// The configured backup folder ("backup/backup_path"), empty when none is set.
QString backupFolder();
