#include "leftovers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

void removeLeftoversBefore(const QString& folder, const QString& pattern, const QDateTime& before)
{
    if (folder.isEmpty())
        return;
    const QFileInfoList found = QDir(folder).entryInfoList(
        {pattern}, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : found) {
        if (entry.lastModified() >= before)
            continue;
        if (entry.isDir())
            QDir(entry.absoluteFilePath()).removeRecursively();
        else
            QFile::remove(entry.absoluteFilePath());
    }
}
