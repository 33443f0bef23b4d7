#pragma once

#include "importplan.h"

#include <QDate>
#include <QString>

// Writes a read import into the open wallet: a new folder "Imported <date>"
// under the root holding the entries' folders, items and fields, with a
// label made once for every field name Kelvaron has none for. All of it is
// one transaction: it is written whole or not at all.
class ImportWriter
{
public:
    // The new folder's id, or an empty text when nothing was written.
    static QString write(const ImportPlan& plan, const QDate& today);
};
