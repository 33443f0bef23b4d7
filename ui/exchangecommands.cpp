#include "exchangecommands.h"

#include "importdialog.h"
#include "importreader.h"
#include "importwriter.h"
#include "keepassxcexport.h"
#include "kvcustommessage.h"
#include "kvpassworddialog.h"
#include "unlockwallet.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

void tell(const QString& title, const QString& text, bool stop)
{
    KVCustomMessage::ask(title, text, stop, KVCustomMessage::ButtonsOk);
}

QString home()
{
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

} // namespace

QString ExchangeCommands::importFile(QWidget* parent, const PathChooser& choosePath)
{
    const QString path =
        choosePath ? choosePath()
                   : QFileDialog::getOpenFileName(parent, tr("Import from another manager"), home(),
                                                  tr("Exports (*.csv *.json);;All files (*)"));
    if (path.isEmpty())
        return {};
    const ImportPlan plan = ImportReader::readFile(path);
    if (!plan.refusal.isEmpty()) {
        tell(tr("Nothing imported"), plan.refusal, true);
        return {};
    }
    ImportDialog preview(plan, parent);
    if (preview.exec() != QDialog::Accepted)
        return {};
    const QString folder = ImportWriter::write(plan, QDate::currentDate());
    if (folder.isEmpty())
        tell(tr("Nothing imported"),
             tr("The wallet could not be written, so nothing was imported. Check the disk and "
                "try again."),
             true);
    return folder;
}

bool ExchangeCommands::exportFile(QWidget* parent, const PathChooser& choosePath)
{
    if (!KVCustomMessage::confirm(
            tr("Export every password?"),
            tr("The exported file holds every name, password and note of this wallet in plain "
               "text: anyone who gets the file can read them. Keep it safe and delete it once it "
               "has been imported elsewhere. Go on?")))
        return false;
    KVPasswordDialog password(nullptr);
    password.setWarning(tr("Enter the master password to export"));
    if (password.exec() != QDialog::Accepted)
        return false;
    if (password.password().isEmpty() || !unlockWallet(password.password())) {
        tell(tr("Nothing exported"), tr("The password is wrong, so nothing was exported."), true);
        return false;
    }
    const QString path = choosePath
                             ? choosePath()
                             : QFileDialog::getSaveFileName(
                                   parent, tr("Export to KeePassXC CSV"),
                                   QDir(home()).filePath(QStringLiteral("kelvaron-export.csv")),
                                   tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return false;
    if (!KeepassxcExport::writeFile(path)) {
        tell(tr("Nothing exported"),
             tr("The file %1 could not be written. Check the folder and the disk.")
                 .arg(QDir::toNativeSeparators(path)),
             true);
        return false;
    }
    tell(tr("Exported"),
         tr("The wallet was exported to %1, readable by you only.")
             .arg(QDir::toNativeSeparators(path)),
         false);
    return true;
}
