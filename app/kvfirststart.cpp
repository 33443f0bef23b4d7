#include "kvfirststart.h"

#include "dialogbuttons.h"
#include "fittofont.h"
#include "kvcustommessage.h"
#include "protectionwarning.h"
#include "strengthmeter.h"
#include "ui_kvfirststart.h"

#include <QFileDialog>
#include <QStandardPaths>

KVFirstStart::KVFirstStart(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::KVFirstStart>())
{
    ui->setupUi(this);
    fitTextToFont(this);
    arrangeDialogButtons(ui->pushButtonOk, ui->pushButtonCancel);
    // Advice on the new master password as it is typed; it never refuses.
    m_strength = StrengthMeter::attachBelow(ui->linePassword);
    // Every new wallet is strongly protected unless the user says otherwise.
    ui->checkBoxStrong->setChecked(true);
    linkProtectionWarning(ui->checkBoxStrong, ui->labelWeakWarning);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    ui->comboBox->addItem(QIcon(), tr("Create new password database"));
    ui->comboBox->addItem(QIcon(), tr("Restore the database from backup file"));
    connect(ui->comboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(initDialog(int)));
    initDialog(0);
}

KVFirstStart::~KVFirstStart() = default;

void KVFirstStart::initDialog(int selection)
{
    const bool restore = selection == 1;
    if (restore) {
        ui->labelComment->setText(
            tr("If you used Kelvaron before, you can restore your data from a backup file. "
               "Select the backup file and click 'OK' to proceed."));
        ui->labelBackupPath->setText(QStringLiteral("Select your backup file"));
        ui->lineEditBackupPath->clear();
    } else {
        ui->labelComment->setText(
            tr("This is the first start of the application. Enter your new master password and "
               "confirm it to continue. Make sure that you remember the new password or keep it "
               "written down in a safe place: if the master password is lost or forgotten, the "
               "data cannot be restored."));
        ui->labelMain->setText(tr("New master password"));
        ui->linePassword->clear();
        ui->linePasswordConfirm->clear();
    }
    ui->labelConfirm->setVisible(!restore);
    ui->linePasswordConfirm->setVisible(!restore);
    ui->checkBoxStrong->setVisible(!restore);
    ui->labelWeakWarning->setVisible(!restore && !ui->checkBoxStrong->isChecked());
    ui->labelMain->setVisible(!restore);
    ui->linePassword->setVisible(!restore);
    m_strength->setVisible(!restore);
    ui->labelBackupPath->setVisible(restore);
    ui->pushButtonPath->setVisible(restore);
    ui->lineEditBackupPath->setVisible(restore);
    // The first input of the mode takes the keyboard, so the user can type at once.
    if (restore)
        ui->pushButtonPath->setFocus();
    else
        ui->linePassword->setFocus();
}

bool KVFirstStart::strongProtection() const
{
    return ui->checkBoxStrong->isChecked();
}

void KVFirstStart::on_pushButtonPath_clicked()
{
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(tr("Backup files (*.zip);;"));
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        ui->lineEditBackupPath->setText(dialog.selectedFiles().constFirst());
}

void KVFirstStart::on_pushButtonOk_clicked()
{
    if (ui->comboBox->currentIndex() == 0) {
        if (ui->linePassword->text().isEmpty()) {
            KVCustomMessage::ask(
                QCoreApplication::translate("", "Empty password"),
                QCoreApplication::translate("", "Password cannot be empty, try again"), true,
                KVCustomMessage::ButtonsOk);
            return;
        }
        if (ui->linePassword->text() != ui->linePasswordConfirm->text()) {
            KVCustomMessage::ask(
                QCoreApplication::translate("", "Confirmation failed"),
                QCoreApplication::translate("", "Password confirmation failed: the entered values "
                                                "are not equal. Please try again."),
                true, KVCustomMessage::ButtonsOk);
            ui->linePassword->clear();
            ui->linePasswordConfirm->clear();
            ui->linePassword->setFocus();
            return;
        }
        m_newPassword = ui->linePassword->text();
        m_backupFilePath.clear();
        accept();
        return;
    }
    if (ui->lineEditBackupPath->text().isEmpty()) {
        KVCustomMessage::ask(
            QCoreApplication::translate("", "Restore failed"),
            QCoreApplication::translate("", "Cannot proceed, select backup file first"), true,
            KVCustomMessage::ButtonsOk);
        return;
    }
    m_newPassword.clear();
    m_backupFilePath = ui->lineEditBackupPath->text();
    accept();
}

void KVFirstStart::on_pushButtonCancel_clicked()
{
    reject();
}
