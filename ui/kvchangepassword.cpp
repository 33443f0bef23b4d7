#include "kvchangepassword.h"

#include "ui_kvchangepassword.h"
#include "walletdatabase.h"

namespace {

const QString NormalStyle = QStringLiteral("QLabel { color : black; }");
const QString ErrorStyle = QStringLiteral("QLabel { color : red; }");

void setLabel(QLabel* label, const QString& text, const QString& style)
{
    label->setText(text);
    label->setStyleSheet(style);
}

} // namespace

KVChangePassword::KVChangePassword(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::KVChangePassword>())
{
    ui->setupUi(this);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    ui->progressBar->hide();
}

KVChangePassword::~KVChangePassword() = default;

void KVChangePassword::resetLabels()
{
    setLabel(ui->labelOldPassword, tr("Current password"), NormalStyle);
    setLabel(ui->labelNewPassword, tr("New password"), NormalStyle);
    setLabel(ui->labelConfirmPassword, tr("Confirm password"), NormalStyle);
}

void KVChangePassword::on_pushButtonChangePass_clicked()
{
    resetLabels();
    WalletDatabase* db = WalletDatabase::instance();
    if (!db->checkPassword(ui->lineEditOldPass->text())) {
        setLabel(ui->labelOldPassword, tr("Current password (wrong current password)"), ErrorStyle);
        ui->lineEditNewPass->clear();
        ui->lineEditConfirmPass->clear();
        ui->lineEditOldPass->clear();
        ui->lineEditOldPass->setFocus();
        return;
    }
    const QString newPassword = ui->lineEditNewPass->text();
    if (newPassword.isEmpty()) {
        setLabel(ui->labelNewPassword, tr("New password (cannot be empty)"), ErrorStyle);
        ui->lineEditNewPass->setFocus();
        return;
    }
    if (newPassword != ui->lineEditConfirmPass->text()) {
        setLabel(ui->labelConfirmPassword, tr("Confirm new password (not equal)"), ErrorStyle);
        setLabel(ui->labelNewPassword, tr("New password (not equal)"), ErrorStyle);
        ui->lineEditNewPass->clear();
        ui->lineEditConfirmPass->clear();
        ui->lineEditNewPass->setFocus();
        return;
    }
    showWorking();
    // The work stays in one transaction; between batches the dialog repaints
    // its progress, while user input waits until the work is done.
    const bool ok = db->reencryptAll(newPassword, [this](int done, int total) {
        ui->progressBar->setMaximum(total);
        ui->progressBar->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    if (ok)
        accept();
    else
        reject();
}

void KVChangePassword::showWorking()
{
    ui->labelOldPassword->hide();
    ui->labelNewPassword->setText(tr("Re-encrypting database, be patient..."));
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->labelConfirmPassword),
          static_cast<QWidget*>(ui->lineEditOldPass), static_cast<QWidget*>(ui->lineEditNewPass),
          static_cast<QWidget*>(ui->lineEditConfirmPass),
          static_cast<QWidget*>(ui->pushButtonCancel),
          static_cast<QWidget*>(ui->pushButtonChangePass)})
        widget->hide();
    ui->progressBar->setValue(0);
    ui->progressBar->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void KVChangePassword::on_pushButtonCancel_clicked()
{
    reject();
}
