#include "startup.h"

#include "kelvaronconfig.h"
#include "kvcustommessage.h"
#include "kvfirststart.h"
#include "kvpassworddialog.h"
#include "mainwindow.h"
#include "restorefromarchive.h"
#include "walletdatabase.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QTranslator>

namespace {

constexpr int MaxLoginAttempts = 3;

void showError(const QString& title, const QString& text)
{
    KVCustomMessage::ask(title, text, true, KVCustomMessage::ButtonsOk);
}

QString initialisationFailureText()
{
    return QCoreApplication::translate("", "Kelvaron initialization failure, report to ") +
           QStringLiteral(KELVARON_SUPPORT_EMAIL);
}

// Runs the first-start dialog. Returns the exit status when start-up must end
// here, or -1 to go on; unlocked tells whether the login can be skipped.
int runFirstStart(bool* unlocked)
{
    KVFirstStart dialog(nullptr);
    dialog.show();
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    WalletDatabase* db = WalletDatabase::instance();
    if (!dialog.newPassword().isEmpty()) {
        db->initialiseWallet(dialog.newPassword());
        *unlocked = db->checkPassword(dialog.newPassword());
        return -1;
    }
    if (dialog.backupFilePath().isEmpty()) {
        showError(QCoreApplication::translate("", "General error"), initialisationFailureText());
        return 1;
    }
    if (!restoreFromArchive(dialog.backupFilePath()))
        showError(QCoreApplication::translate("", "Import canelled"),
                  QCoreApplication::translate(
                      "", "Error during import operation, contact us to report the problem"));
    return -1;
}

// The login: at most three attempts, an empty entry counting as one.
bool runLogin()
{
    for (int attempts = 0; attempts < MaxLoginAttempts;) {
        KVPasswordDialog dialog(nullptr);
        if (attempts == 1)
            dialog.setWarning(QCoreApplication::translate("", "2 attempts left"));
        else if (attempts == 2)
            dialog.setWarning(QCoreApplication::translate("", "1 attempt left"));
        else
            dialog.setWarning(QString());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const QString password = dialog.password();
        ++attempts;
        const bool last = attempts >= MaxLoginAttempts;
        if (!password.isEmpty()) {
            if (WalletDatabase::instance()->checkPassword(password))
                return true;
            showError(QCoreApplication::translate("", "Wrong password"),
                      last ? QCoreApplication::translate(
                                 "", "Too many failed login attempts, leaving the application")
                           : QCoreApplication::translate(
                                 "", "The password you entered is wrong, please, try again"));
        } else {
            showError(QCoreApplication::translate("", "Empty password"),
                      last ? QCoreApplication::translate(
                                 "", "Too many failed login attempts, leaving the application")
                           : QCoreApplication::translate(
                                 "", "The password cannot be empty, please, try again"));
        }
    }
    return false;
}

} // namespace

void configureApplication(QApplication& app)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tormelin Software"));
    QCoreApplication::setOrganizationDomain(QStringLiteral(KELVARON_ORGANIZATION_DOMAIN));
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaron"));
    loadTranslation(app, QStringLiteral("en"));
}

void loadTranslation(QApplication& app, const QString& code)
{
    if (code != QLatin1String("ru") && code != QLatin1String("de"))
        return;
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("kelvaron_") + code, QStringLiteral(":/translations/"))) {
        QCoreApplication::installTranslator(translator);
        return;
    }
    delete translator;
    QMessageBox box;
    box.setText(QStringLiteral("Language load error, locale: ") + code +
                QStringLiteral(", folder:") + QCoreApplication::applicationDirPath());
    box.exec();
}

int runStartup(QApplication& app)
{
    if (!openWalletDatabase()) {
        showError(QCoreApplication::translate("", "General error"), initialisationFailureText());
        return 1;
    }
    WalletDatabase* db = WalletDatabase::instance();
    bool unlocked = false;
    if (db->isFreshFile() || db->isUninitialised()) {
        const int status = runFirstStart(&unlocked);
        if (status >= 0)
            return status;
    }
    if (!unlocked)
        unlocked = runLogin();
    if (!unlocked)
        return 1;
    MainWindow window;
    window.show();
    return app.exec();
}
