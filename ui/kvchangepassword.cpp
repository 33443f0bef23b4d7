#include "kvchangepassword.h"

#include "busycursor.h"
#include "dialogbuttons.h"
#include "fittofont.h"
#include "kvcustommessage.h"
#include "protectionwarning.h"
#include "strengthmeter.h"
#include "ui_kvchangepassword.h"
#include "unlockwallet.h"
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
    fitTextToFont(this);
    arrangeDialogButtons(ui->pushButtonChangePass, ui->pushButtonCancel);
    // Advice on the new master password as it is typed; it never refuses.
    m_strength = StrengthMeter::attachBelow(ui->lineEditNewPass);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    ui->progressBar->hide();
    ui->checkBoxStrong->setChecked(WalletDatabase::instance()->protection().isStrong());
    linkProtectionWarning(ui->checkBoxStrong, ui->labelWeakWarning);
}

KVChangePassword::~KVChangePassword() = default;

void KVChangePassword::setStrongProtection(bool strong)
{
    ui->checkBoxStrong->setChecked(strong);
}

void KVChangePassword::resetLabels()
{
    setLabel(ui->labelOldPassword, tr("Current password"), NormalStyle);
    setLabel(ui->labelNewPassword, tr("New password"), NormalStyle);
    setLabel(ui->labelConfirmPassword, tr("Confirm new password"), NormalStyle);
}

void KVChangePassword::on_pushButtonChangePass_clicked()
{
    resetLabels();
    WalletDatabase* db = WalletDatabase::instance();
    if (!unlockWallet(ui->lineEditOldPass->text())) {
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
    m_working = true;
    showWorking();
    // The work stays in one transaction; between batches the dialog repaints
    // its progress, while user input waits until the work is done.
    const BusyCursor busy(true);
    QStringList unreadable;
    const bool ok = db->reencryptAll(
        newPassword,
        ui->checkBoxStrong->isChecked() ? WalletProtection::Format::Argon2id
                                        : WalletProtection::Format::Original,
        [this](int done, int total) {
            ui->progressBar->setMaximum(total);
            ui->progressBar->setValue(done);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        },
        &unreadable);
    m_working = false;
    if (ok) {
        accept();
        return;
    }
    reportFailure(unreadable);
    reject();
}

void KVChangePassword::reportFailure(const QStringList& unreadable)
{
    // Nothing was changed either way: the current password still opens the wallet.
    constexpr int MostListed = 15;
    QString text;
    if (unreadable.isEmpty()) {
        text = tr("The wallet could not be re-encrypted, so nothing was changed. Your current "
                  "password still opens it.");
    } else {
        text = tr("These items cannot be read with the current password, so nothing was "
                  "changed:") +
               QLatin1Char('\n') + unreadable.mid(0, MostListed).join(QLatin1Char('\n'));
        if (unreadable.size() > MostListed)
            text += QLatin1Char('\n') + tr("(%1 more)").arg(unreadable.size() - MostListed);
    }
    KVCustomMessage::ask(tr("Password not changed"), text, true, KVCustomMessage::ButtonsOk);
}

void KVChangePassword::showWorking()
{
    ui->labelOldPassword->hide();
    ui->labelNewPassword->setText(tr("Re-encrypting the wallet, please wait..."));
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->labelConfirmPassword),
          static_cast<QWidget*>(ui->lineEditOldPass), static_cast<QWidget*>(ui->lineEditNewPass),
          static_cast<QWidget*>(ui->lineEditConfirmPass), static_cast<QWidget*>(ui->checkBoxStrong),
          static_cast<QWidget*>(ui->labelWeakWarning), static_cast<QWidget*>(ui->pushButtonCancel),
          static_cast<QWidget*>(ui->pushButtonChangePass), static_cast<QWidget*>(m_strength)})
        widget->hide();
    ui->progressBar->setValue(0);
    ui->progressBar->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void KVChangePassword::reject()
{
    if (!m_working)
        QDialog::reject();
}

void KVChangePassword::on_pushButtonCancel_clicked()
{
    reject();
}
