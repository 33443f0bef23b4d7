#pragma once

#include "importplan.h"

#include <QByteArray>
#include <QString>

// Reads an export of another password manager: KeePassXC CSV, Bitwarden CSV
// or Bitwarden's unencrypted JSON, told apart by their header or keys.
class ImportReader
{
public:
    // Files larger than this are refused before they are read.
    static constexpr qint64 MaxFileBytes = 50 * 1024 * 1024;
    // Files of more lines (CSV) or items (JSON) than this are refused.
    static constexpr int MaxRows = 100000;

    static ImportPlan readFile(const QString& path);
    static ImportPlan read(const QByteArray& bytes);

private:
    static ImportPlan readCsv(const QByteArray& bytes);
};
