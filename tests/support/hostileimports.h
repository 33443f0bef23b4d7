#pragma once

#include <QString>
#include <QStringList>

// Small files shaped to make an importer work hard: a group nested 20,000
// levels deep in a KeePassXC CSV and in a Bitwarden JSON folder name, a
// Bitwarden CSV entry with 100,000 web addresses, and things that are not
// regular files (a link to /dev/zero, a named pipe, a folder).
namespace HostileImports {

QStringList shapes();
// Writes shape into folder and returns the path to import.
QString write(const QString& folder, const QString& shape);

} // namespace HostileImports
