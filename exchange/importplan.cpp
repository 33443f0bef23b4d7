#include "importplan.h"

#include <QSet>

QList<QStringList> ImportPlan::folderPaths() const
{
    QList<QStringList> paths;
    QSet<QStringList> seen;
    for (const Entry& entry : entries)
        for (int depth = 1; depth <= entry.folderPath.size(); ++depth) {
            const QStringList path = entry.folderPath.mid(0, depth);
            if (!seen.contains(path)) {
                seen.insert(path);
                paths.append(path);
            }
        }
    return paths;
}

int ImportPlan::fieldCount() const
{
    int count = 0;
    for (const Entry& entry : entries)
        count += entry.fields.size();
    return count;
}
