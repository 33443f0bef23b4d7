#pragma once

#include <functional>
#include <QDateTime>
#include <QString>

// Replaces the wallet with the one inside a backup archive. The archive is
// checked whole first: its declared entries and sizes, then the wallet and
// icon pack unpacked into a staging folder, the wallet plain data only. Then
// a safety backup of the current wallet is made (unless the current file
// holds nothing at all), and the wallet file is replaced by an atomic
// rename, with the store closed around it and reopened on the restored file.
// On any failure the current wallet stays as it was, still open, and reason
// (when given) says why. Returns whether the wallet was restored.
// confirmReplace, when given, is asked once the archive has passed every
// check and before anything is written; when it says no, nothing changes and
// reason stays empty.
bool restoreFromArchive(const QString& archivePath, QString* reason = nullptr,
                        const std::function<bool()>& confirmReplace = {});

// Removes the staging folders that restores killed before startedAt left.
void removeStaleRestoreFolders(const QDateTime& startedAt);
