#include "startup.h"

#include "backuparchive.h"
#include "exitsignals.h"
#include "filesafety.h"
#include "interfacelanguage.h"
#include "keepassxcexport.h"
#include "kelvaronconfig.h"
#include "kvcustommessage.h"
#include "kvfirststart.h"
#include "kvpassworddialog.h"
#include "mainwindow.h"
#include "restorefromarchive.h"
#include "secretclipboard.h"
#include "singleinstance.h"
#include "unlockwallet.h"
#include "walletdatabase.h"

#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
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
        db->initialiseWallet(dialog.newPassword(), dialog.strongProtection()
                                                       ? WalletProtection::Format::Argon2id
                                                       : WalletProtection::Format::Original);
        *unlocked = db->hasPassword();
        return -1;
    }
    if (dialog.backupFilePath().isEmpty()) {
        showError(QCoreApplication::translate("", "General error"), initialisationFailureText());
        return 1;
    }
    if (!restoreFromArchive(dialog.backupFilePath()))
        showError(QCoreApplication::translate("", "Import cancelled"),
                  QCoreApplication::translate(
                      "", "The import failed. Contact us to report the problem."));
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
            if (unlockWallet(password))
                return true;
            showError(QCoreApplication::translate("", "Wrong password"),
                      last ? QCoreApplication::translate(
                                 "", "Too many failed login attempts, leaving the application")
                           : QCoreApplication::translate(
                                 "", "The password you entered is wrong. Please try again."));
        } else {
            showError(QCoreApplication::translate("", "Empty password"),
                      last ? QCoreApplication::translate(
                                 "", "Too many failed login attempts, leaving the application")
                           : QCoreApplication::translate(
                                 "", "The password cannot be empty. Please try again."));
        }
    }
    return false;
}

// Moves an unusable wallet file out of the way under a name of its own, so
// that a restore never overwrites what may still be rescued.
bool setAsideWalletFile()
{
    const QString path = WalletDatabase::databaseFilePath();
    const QString aside = path + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    WalletDatabase::instance()->close();
    return QFile::rename(path, aside);
}

// The wallet file exists but cannot be used: say so, never write it, and
// offer a restore from a backup (the file is kept aside) or to quit.
// Returns the exit status when start-up must end here, or -1 to go on.
int runUnusableWallet()
{
    WalletDatabase* db = WalletDatabase::instance();
    const QString path = QDir::toNativeSeparators(WalletDatabase::databaseFilePath());
    if (db->state() == WalletDatabase::State::Busy) {
        showError(QCoreApplication::translate("", "Wallet in use"),
                  QCoreApplication::translate("", "The wallet file %1 is in use by another "
                                                  "program. Close it, then start Kelvaron again.")
                      .arg(path));
        return 1;
    }
    const bool restore = KVCustomMessage::ask(
        QCoreApplication::translate("", "Wallet cannot be opened"),
        QCoreApplication::translate("", "Kelvaron cannot open its wallet file %1: %2. Nothing "
                                        "has been written to it.\n\nDo you want to restore "
                                        "your wallet from a backup? The file is kept beside it. "
                                        "No quits Kelvaron.")
            .arg(path, db->problem()),
        true, KVCustomMessage::ButtonsYesNo);
    if (!restore)
        return 1;
    const QString archive = QFileDialog::getOpenFileName(
        nullptr, QCoreApplication::translate("", "Select backup file"), backupFolder(),
        QCoreApplication::translate("", "Backup files (*.zip)"));
    if (archive.isEmpty())
        return 1;
    if (!setAsideWalletFile() || !openWalletDatabase() ||
        WalletDatabase::instance()->state() != WalletDatabase::State::Ready ||
        !restoreFromArchive(archive)) {
        showError(QCoreApplication::translate("", "Restore failed"),
                  QCoreApplication::translate("", "The wallet could not be restored from %1.")
                      .arg(QDir::toNativeSeparators(archive)));
        return 1;
    }
    return -1;
}

} // namespace

void configureApplication(QApplication& app)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tormelin Software"));
    QCoreApplication::setOrganizationDomain(QStringLiteral(KELVARON_ORGANIZATION_DOMAIN));
    QCoreApplication::setApplicationName(QStringLiteral("Kelvaron"));
    loadTranslation(app, interfaceLanguageCode());
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
    const QDateTime startedAt = QDateTime::currentDateTime();
    const ExitSignals exitSignals(nullptr);
    SingleInstance instance(WalletDatabase::dataFolderPath());
    if (!instance.acquire()) {
        // The running copy comes to the front; this one never opens the wallet.
        if (!instance.runningCopyAnswered())
            KVCustomMessage::ask(QCoreApplication::translate("", "Kelvaron is already running"),
                                 QCoreApplication::translate(
                                     "", "Kelvaron is already running for this wallet. Switch "
                                         "to its window."),
                                 false, KVCustomMessage::ButtonsOk);
        return 0;
    }
    // The settings name the backup folder: they are the user's alone too.
    FileSafety::hideFromOthers(QSettings().fileName());
    // What killed backups and restores of earlier runs left behind.
    removeStaleBackupLeftovers(startedAt);
    removeStaleRestoreFolders(startedAt);
    KeepassxcExport::removeStaleLeftovers(startedAt);
    if (!openWalletDatabase()) {
        showError(QCoreApplication::translate("", "General error"), initialisationFailureText());
        return 1;
    }
    if (WalletDatabase::instance()->state() != WalletDatabase::State::Ready) {
        const int status = runUnusableWallet();
        if (status >= 0)
            return status;
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
    QObject::connect(&instance, &SingleInstance::showRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    if (!instance.problem().isEmpty())
        window.statusBar()->showMessage(
            QCoreApplication::translate("", "A second start of Kelvaron will not find this "
                                            "window: %1")
                .arg(instance.problem()));
    const int status = app.exec();
    clearSecretFromClipboard();
    return status;
}
