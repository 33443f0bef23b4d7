#include "ensurebackupfolder.h"

#include "backuparchive.h"
#include "kvcustommessage.h"
#include "settingskeys.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

bool ensureBackupFolder(QWidget* parent)
{
    const QString folder = backupFolder();
    if (!folder.isEmpty() && QFileInfo::exists(folder))
        return true;
    if (!KVCustomMessage::ask(
            QCoreApplication::translate("MainWindow", "Backup folder is not set yet"),
            QCoreApplication::translate("MainWindow",
                                        "You have to set a default backup folder before you can "
                                        "create backups or restore your data. Do you want to do it "
                                        "now?"),
            false, KVCustomMessage::ButtonsYesNo))
        return false;
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, QCoreApplication::translate("MainWindow", "Select backup folder"),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (chosen.isEmpty())
        return false;
    QSettings().setValue(SettingsKeys::BackupPath, chosen);
    return true;
}
