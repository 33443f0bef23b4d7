#pragma once

#include <QString>

// Keeps the wallet's files private to their owner and durable on disk: the
// data folder is 0700, the wallet, its journal, backups and exports 0600,
// whatever the umask, and a file is synced before it replaces another.
class FileSafety
{
public:
    // Makes path readable and writable by its owner only (0600).
    static bool makePrivateFile(const QString& path);
    // Takes every right of the group and of others from path, file or folder.
    static bool hideFromOthers(const QString& path);
    // Creates an empty file 0600 unless one exists (then only its mode is set).
    static bool createPrivateFile(const QString& path);
    // Writes what the system holds of path (a file or a folder) to the disk.
    static bool sync(const QString& path);
};
