#pragma once

#include <QString>

// Replaces the wallet's database file with the one inside a backup archive.
// Returns whether the wallet was restored.
bool restoreFromArchive(const QString& archivePath);
