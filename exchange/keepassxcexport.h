#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Writes the open wallet as KeePassXC CSV: every item one row, its folder
// path as the group below "Root", its first user name, password and web page
// in their columns, and every other field as "Label: value" lines in the
// notes (a value's further lines indented by two spaces). Folders without
// items have no row; the times are left empty, which KeePassXC accepts.
class KeepassxcExport
{
public:
    static QByteArray build();
    // Writes the file readable by its owner only, under a temporary name
    // until every byte is on the disk; false, with nothing left behind, when
    // it could not be written.
    static bool writeFile(const QString& path);
    // Removes the temporary files that exports killed before startedAt left
    // in the folder of the last export.
    static void removeStaleLeftovers(const QDateTime& startedAt);
};
