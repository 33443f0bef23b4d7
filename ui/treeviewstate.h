#pragma once

#include <QSet>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// What the user made of the folder tree: the node they were on and the
// folders they opened, by item id. It is taken before the tree is emptied
// (a rebuild after a change, or a lock) and given back to the new rows, so
// that neither a refresh nor an unlock sends the user back to the root.
class TreeViewState
{
public:
    // role: the data role of column 0 that holds each row's id.
    explicit TreeViewState(int role) : m_role(role) {}

    void capture(const QTreeWidget* tree);
    // Opens again every folder that was open and still exists.
    void restore(QTreeWidget* tree) const;
    // The id of the node that was current; empty when none was.
    QString currentId() const { return m_currentId; }

private:
    void captureRow(const QTreeWidgetItem* row);
    void restoreRow(QTreeWidgetItem* row) const;

    int m_role;
    QString m_currentId;
    QSet<QString> m_expandedIds;
};
