#include "kvrestoredialog.h"

#include "backuparchive.h"
#include "fittofont.h"
#include "kvcustommessage.h"
#include "restorefromarchive.h"
#include "ui_kvrestoredialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

KVRestoreDialog::KVRestoreDialog(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::KVRestoreDialog>())
{
    ui->setupUi(this);
    fitTextToFont(this);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    fillList();
}

KVRestoreDialog::~KVRestoreDialog() = default;

void KVRestoreDialog::fillList()
{
    QDir folder(backupFolder());
    const QStringList files = folder.entryList({QStringLiteral("kvrb-*.zip")},
                                               QDir::Files | QDir::NoSymLinks, QDir::Time);
    ui->listWidget->clear();
    for (const QString& file : files) {
        auto* row = new QListWidgetItem(file, ui->listWidget);
        row->setData(Qt::UserRole, file);
    }
}

QString KVRestoreDialog::selectedPath() const
{
    const QList<QListWidgetItem*> selected = ui->listWidget->selectedItems();
    if (selected.size() != 1)
        return {};
    return backupFolder() + QDir::separator() + selected.first()->data(Qt::UserRole).toString();
}

void KVRestoreDialog::on_restoreButton_clicked()
{
    const QString path = selectedPath();
    if (path.isEmpty())
        return;
    if (!QFile::exists(path)) {
        reject();
        return;
    }
    QString reason;
    if (restoreFromArchive(path, &reason, [path] { return confirmReplace(path); })) {
        accept();
        return;
    }
    if (!reason.isEmpty())
        KVCustomMessage::ask(QCoreApplication::translate("", "Restore failed"),
                             tr("Your wallet was not replaced: %1.").arg(reason), true,
                             KVCustomMessage::ButtonsOk);
    reject();
}

bool KVRestoreDialog::confirmReplace(const QString& archivePath)
{
    return KVCustomMessage::confirm(
        QCoreApplication::translate("", "Replace your wallet?"),
        QCoreApplication::translate(
            "", "Replace your wallet with the one from %1? A safety backup is kept.")
            .arg(QFileInfo(archivePath).fileName()));
}

void KVRestoreDialog::on_deleteButton_clicked()
{
    const QString path = selectedPath();
    if (path.isEmpty())
        return;
    if (!KVCustomMessage::confirm(tr("Delete backup"),
                                  tr("Do you want to delete the backup file '%1'? It cannot be "
                                     "brought back.")
                                      .arg(QFileInfo(path).fileName())))
        return;
    if (!QFile::remove(path))
        KVCustomMessage::ask(tr("Delete backup"), tr("The backup file could not be deleted."), true,
                             KVCustomMessage::ButtonsOk);
    fillList();
}

void KVRestoreDialog::on_closeButton_clicked()
{
    reject();
}
