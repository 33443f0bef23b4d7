#include "mainwindowlayout.h"

#include "ui_mainwindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

// The widths the form gives the tree and the right panel.
constexpr int TreeWidth = 231;
constexpr int PanelWidth = 371;

QWidget* rightPanel(Ui::MainWindow* ui, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    for (QWidget* label :
         {static_cast<QWidget*>(ui->lineEdit), static_cast<QWidget*>(ui->pathLabel),
          static_cast<QWidget*>(ui->statsLabel)})
        texts->addWidget(label);
    texts->addStretch();
    auto* header = new QHBoxLayout;
    header->setSpacing(13);
    ui->graphicsView->setFixedSize(67, 67);
    header->addWidget(ui->graphicsView, 0, Qt::AlignTop);
    header->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    for (QPushButton* button : {ui->folderUpButton, ui->addButtonFolder, ui->addButton,
                                ui->deleteButton, ui->editButton, ui->copyButton}) {
        button->setFixedSize(31, 32);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->setSpacing(9);
    body->addWidget(ui->listWidget, 1);
    body->addLayout(buttons);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(5);
    grid->addLayout(header, 0, 0);
    grid->addLayout(body, 1, 0);
    grid->setRowStretch(1, 1);
    // The hidden picture takes the whole panel when it shows.
    grid->addWidget(ui->graphicsVievHeron, 0, 0, 2, 1);
    return panel;
}

QWidget* lockedPanel(Ui::MainWindow* ui, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("lockedPanel"));
    auto* column = new QVBoxLayout(panel);
    column->addStretch();
    ui->unlockButton->setFixedSize(251, 71);
    column->addWidget(ui->unlockButton, 0, Qt::AlignHCenter);
    ui->labelLocked->setFixedWidth(301);
    ui->labelLocked->setMinimumHeight(71);
    column->addWidget(ui->labelLocked, 0, Qt::AlignHCenter);
    column->addStretch();
    return panel;
}

} // namespace

QSplitter* layOutMainWindow(Ui::MainWindow* ui, QWidget* banner)
{
    QWidget* central = ui->centralWidget;
    auto* splitter = new QSplitter(Qt::Horizontal, central);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(9);
    splitter->addWidget(ui->treeWidget);
    splitter->addWidget(rightPanel(ui, splitter));
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({TreeWidth, PanelWidth});
    ui->treeWidget->setMinimumWidth(120);

    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(10, 10, 12, 7);
    grid->addWidget(banner, 0, 0);
    grid->addWidget(splitter, 1, 0);
    // Over the same place: the lock shows one or the other, never both.
    grid->addWidget(lockedPanel(ui, central), 1, 0);
    grid->setRowStretch(1, 1);
    return splitter;
}
