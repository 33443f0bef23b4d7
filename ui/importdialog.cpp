#include "importdialog.h"

#include "dialogbuttons.h"
#include "fittofont.h"
#include "ui_importdialog.h"

#include <QHeaderView>

ImportDialog::ImportDialog(const ImportPlan& plan, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::ImportDialog>())
{
    ui->setupUi(this);
    fitTextToFont(this);
    arrangeDialogButtons(ui->pushButtonImport, ui->pushButtonCancel);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    ui->labelFormat->setText(tr("Found: %1").arg(plan.format));
    ui->labelCounts->setText(tr("%1 folders, %2 items, %3 fields, into a new folder")
                                 .arg(plan.folderTree().folders.size())
                                 .arg(plan.entries.size())
                                 .arg(plan.fieldCount()));
    for (const ImportPlan::Entry& entry : plan.entries.mid(0, PreviewRows))
        new QTreeWidgetItem(ui->treeEntries, {entry.folderPath.join(QLatin1Char('/')), entry.title,
                                              QString::number(entry.fields.size())});
    ui->treeEntries->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ui->treeEntries->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    ui->treeEntries->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    QStringList problems;
    for (const ImportPlan::Problem& problem : plan.problems)
        problems.append(problem.text);
    ui->textProblems->setPlainText(problems.join(QLatin1Char('\n')));
    ui->labelProblems->setVisible(!problems.isEmpty());
    ui->textProblems->setVisible(!problems.isEmpty());
    ui->pushButtonImport->setEnabled(plan.canBeWritten());
    connect(ui->pushButtonImport, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->pushButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

ImportDialog::~ImportDialog() = default;
