#include "importplan.h"

#include <QCoreApplication>
#include <QHash>
#include <QPair>

void ImportPlan::add(const Entry& entry)
{
    if (entry.folderPath.size() > MaxFolderDepth) {
        addProblem(entry.line,
                   QCoreApplication::translate(
                       "", "its folder is %1 levels deep; at most %2 levels can be imported")
                       .arg(entry.folderPath.size())
                       .arg(MaxFolderDepth));
        return;
    }
    int addresses = 0;
    for (const Field& field : entry.fields)
        addresses += field.code == QLatin1String("LINK") ? 1 : 0;
    if (addresses > MaxAddresses) {
        addProblem(entry.line,
                   QCoreApplication::translate(
                       "", "it has %1 web addresses; at most %2 can be imported per entry")
                       .arg(addresses)
                       .arg(MaxAddresses));
        return;
    }
    entries.append(entry);
}

void ImportPlan::addProblem(int line, const QString& text)
{
    const QString place = m_places == Places::Items
                              ? QCoreApplication::translate("", "Item %1: %2")
                              : QCoreApplication::translate("", "Line %1: %2");
    problems.append({line, place.arg(line).arg(text)});
}

ImportPlan::FolderTree ImportPlan::folderTree() const
{
    FolderTree tree;
    // A folder is known by its parent's index and its name.
    QHash<QPair<int, QString>, int> known;
    tree.entryFolder.reserve(entries.size());
    for (const Entry& entry : entries) {
        int at = -1;
        for (const QString& name : entry.folderPath) {
            const QPair<int, QString> key(at, name);
            auto found = known.constFind(key);
            if (found == known.constEnd()) {
                tree.folders.append({at, name});
                found = known.insert(key, tree.folders.size() - 1);
            }
            at = found.value();
        }
        tree.entryFolder.append(at);
    }
    return tree;
}

int ImportPlan::fieldCount() const
{
    int count = 0;
    for (const Entry& entry : entries)
        count += entry.fields.size();
    return count;
}
