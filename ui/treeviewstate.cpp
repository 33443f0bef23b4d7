#include "treeviewstate.h"

#include <QTreeWidget>

void TreeViewState::capture(const QTreeWidget* tree)
{
    // An empty tree (locked, or not filled yet) has nothing to tell: what
    // was captured before it was emptied stands.
    if (tree->topLevelItemCount() == 0)
        return;
    m_expandedIds.clear();
    const QTreeWidgetItem* current = tree->currentItem();
    m_currentId = current ? current->data(0, m_role).toString() : QString();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        captureRow(tree->topLevelItem(i));
}

void TreeViewState::captureRow(const QTreeWidgetItem* row)
{
    if (row->isExpanded())
        m_expandedIds.insert(row->data(0, m_role).toString());
    for (int i = 0; i < row->childCount(); ++i)
        captureRow(row->child(i));
}

void TreeViewState::restore(QTreeWidget* tree) const
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        restoreRow(tree->topLevelItem(i));
}

void TreeViewState::restoreRow(QTreeWidgetItem* row) const
{
    if (m_expandedIds.contains(row->data(0, m_role).toString()))
        row->setExpanded(true);
    for (int i = 0; i < row->childCount(); ++i)
        restoreRow(row->child(i));
}
