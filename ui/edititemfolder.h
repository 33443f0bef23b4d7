#pragma once

#include "itemrecord.h"

#include <memory>
#include <QDialog>

namespace Ui {
class EditItemFolder;
}

// Names a folder or an item and picks its icon, when creating and when editing it.
class EditItemFolder : public QDialog
{
    Q_OBJECT

public:
    // Create form: a new folder or item inside the folder parentId.
    EditItemFolder(bool folder, const QString& parentId, QWidget* parent);
    // Edit form: the existing folder or item itemId.
    EditItemFolder(const QString& itemId, QWidget* parent);
    ~EditItemFolder() override;

    // The record stored by the last OK.
    ItemRecord editorResult() const { return m_record; }

private slots:
    void on_buttonBox_accepted();

private:
    void setUp();
    // Fills the icon list of the node's kind; returns the index of the entry
    // matching currentIcon (stored with or without "icon_"), or -1.
    int fillIcons(const QString& currentIcon);

    std::unique_ptr<Ui::EditItemFolder> ui;
    bool m_create = false;
    bool m_folder = false;
    QString m_parentId;
    QString m_itemId;
    ItemRecord m_record;
};
