#pragma once

#include "importplan.h"

#include <memory>
#include <QDialog>

namespace Ui {
class ImportDialog;
}

// The preview of an import before anything is written: the format found, the
// counts of folders, items and fields, the first entries, and the lines that
// could not be read (while there are any, Import is off).
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    // How many entries the preview lists.
    static constexpr int PreviewRows = 50;

    ImportDialog(const ImportPlan& plan, QWidget* parent);
    ~ImportDialog() override;

private:
    std::unique_ptr<Ui::ImportDialog> ui;
};
