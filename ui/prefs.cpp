#include "prefs.h"

#include "fittofont.h"
#include "settingskeys.h"
#include "ui_prefs.h"
#include "walletdatabase.h"

#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QSystemTrayIcon>

Prefs::Prefs(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Prefs>())
{
    using namespace SettingsKeys;
    ui->setupUi(this);
    fitTextToFont(this);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    // The slots are connected already, so loading runs them like user changes.
    QSettings settings;
    ui->checkBoxAutoLock->setChecked(settings.value(AutoLock, AutoLockDefault).toBool());
    const bool autoLock = ui->checkBoxAutoLock->isChecked();
    ui->spinBox->setEnabled(autoLock);
    ui->labelSpinBox->setEnabled(autoLock);
    ui->checkBoxShowInTray->setChecked(settings.value(ShowInTray, false).toBool());
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        ui->checkBoxShowInTray->setEnabled(false);
        ui->checkBoxShowInTray->setToolTip(tr("This desktop has no system tray."));
    }
    // The language is read at start-up: the note says so beside the choice.
    ui->comboLanguage->addItem(tr("System"), LanguageDefault);
    ui->comboLanguage->addItem(QStringLiteral("English"), QStringLiteral("en"));
    ui->comboLanguage->addItem(QStringLiteral("Русский"), QStringLiteral("ru"));
    ui->comboLanguage->setCurrentIndex(
        qMax(0, ui->comboLanguage->findData(settings.value(Language, LanguageDefault))));
    connect(ui->comboLanguage, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { QSettings().setValue(Language, ui->comboLanguage->currentData()); });
    ui->spinBox->setValue(autoLockMinutes());
    ui->spinBoxClipboard->setValue(clipboardClearSeconds());
    ui->lineEditBackupPath->setText(settings.value(BackupPath, QString()).toString());
    if (const WalletDatabase* db = WalletDatabase::instance())
        ui->labelProtection->setText(db->protection().description());
}

Prefs::~Prefs() = default;

void Prefs::on_checkBoxAutoLock_stateChanged(int arg1)
{
    if (arg1 != Qt::Unchecked && arg1 != Qt::Checked)
        return;
    const bool on = arg1 == Qt::Checked;
    QSettings().setValue(SettingsKeys::AutoLock, on);
    ui->spinBox->setEnabled(on);
    ui->labelSpinBox->setEnabled(on);
}

void Prefs::on_spinBox_valueChanged(int arg1)
{
    QSettings().setValue(SettingsKeys::AutoLockInterval, arg1);
}

void Prefs::on_checkBoxShowInTray_stateChanged(int arg1)
{
    if (arg1 == Qt::Unchecked)
        QSettings().setValue(SettingsKeys::ShowInTray, false);
    else if (arg1 == Qt::Checked)
        QSettings().setValue(SettingsKeys::ShowInTray, true);
}

void Prefs::on_pushButtonPath_clicked()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Select backup folder"),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.isEmpty())
        return;
    ui->lineEditBackupPath->setText(folder);
    QSettings().setValue(SettingsKeys::BackupPath, folder);
}

void Prefs::on_spinBoxClipboard_valueChanged(int arg1)
{
    QSettings().setValue(SettingsKeys::ClipboardClear, arg1);
}
