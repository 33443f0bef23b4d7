#pragma once

#include "csv.h"
#include "importplan.h"

// The CSV exports of KeePassXC and Bitwarden: which one a header names, and
// their rows mapped to entries.
class CsvFormats
{
public:
    enum class Kind
    {
        Unknown,
        KeePassXC,
        Bitwarden
    };

    static Kind detect(const QStringList& header);
    static QString name(Kind kind);
    // Maps every row below the header; a row with another number of columns
    // than the header is a problem of its line.
    static ImportPlan map(Kind kind, const Csv::Table& table);

    // KeePassXC's columns, as its exports name them and Kelvaron's export writes them.
    static const QStringList KeePassXCHeader;
};
