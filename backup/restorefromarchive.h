#pragma once

#include <QString>

// Replaces the wallet with the one inside a backup archive. The archive is
// unpacked into a staging folder and checked first; the wallet file is then
// replaced by an atomic rename, with the store closed around it and reopened
// on the restored file. On any failure the current wallet stays as it was.
// A safety backup of the current wallet precedes the restore, unless the
// current file holds no wallet yet. Returns whether the wallet was restored.
bool restoreFromArchive(const QString& archivePath);

// Unpacks a whole archive into folder. Returns "SUCCESS" or "Error: " and the
// reader's error text.
QString unzipArchiveToFolder(const QString& archivePath, const QString& folder);
