#include "kvfieldedit.h"
#include "mainwindow.h"
#include "prefs.h"
#include "settingskeys.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "ziptestfiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

// Every key written through the window, dialog or editor that writes it is
// read back after a restart exactly as it was written.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void everyKeySurvivesARestart();
};

void TestSettings::everyKeySurvivesARestart()
{
    using namespace SettingsKeys;
    QSettings().clear();
    freshWallet(QStringLiteral("pw"));
    const QString item =
        WalletDatabase::instance()->addItem({}, RootItemId, "Site", "key", false).itemId;
    {
        Prefs prefs(nullptr);
        prefs.findChild<QCheckBox*>("checkBoxAutoLock")->setChecked(false);
        prefs.findChild<QSpinBox*>("spinBox")->setValue(7);
        prefs.findChild<QSpinBox*>("spinBoxClipboard")->setValue(45);
        prefs.findChild<QCheckBox*>("checkBoxShowInTray")->setChecked(true);
        prefs.findChild<QComboBox*>("comboLanguage")->setCurrentIndex(1);
    }
    {
        MainWindow window;
        window.findChild<QAction*>("pinAction")->trigger();
        window.findChild<QCheckBox*>("searchPasswords")->setChecked(true);
    }
    {
        KVFieldEdit editor(item, QString(), nullptr);
        auto* types = editor.findChild<QComboBox*>("comboBox");
        types->setCurrentIndex(types->findData(QStringLiteral("PASS")));
        editor.findChild<QLineEdit*>("lineEditValue")->setText("Abc1");
        editor.findChild<QCheckBox*>("checkBoxUpperCase")->setChecked(false);
        editor.findChild<QCheckBox*>("checkBoxDigits")->setChecked(false);
        editor.findChild<QCheckBox*>("checkBoxSpecial")->setChecked(true);
        editor.findChild<QSpinBox*>("spinBoxPassLen")->setValue(12);
        editor.findChild<QLineEdit*>("lineEditSpecials")->setText("#$");
        editor.findChild<QCheckBox*>("checkBoxSmartPass")->setChecked(true);
        editor.findChild<QCheckBox*>("checkBoxLowerCase")->setChecked(false);
    }
    QSettings().setValue(BackupPath, QStringLiteral("/backups/here"));
    QSettings().sync();

    // A restart: the file is parsed afresh, from a copy no settings object
    // of this process has read.
    QTemporaryDir dir;
    const QString copy = dir.filePath("restarted.conf");
    QVERIFY(QFile::copy(QSettings().fileName(), copy));
    const QSettings restarted(copy, QSettings::IniFormat);
    QCOMPARE(restarted.value(AutoLock, AutoLockDefault).toBool(), false);
    QCOMPARE(restarted.value(AutoLockInterval, AutoLockIntervalDefault).toInt(), 7);
    QCOMPARE(restarted.value(ClipboardClear, ClipboardClearDefault).toInt(), 45);
    QCOMPARE(restarted.value(ShowInTray, false).toBool(), true);
    QCOMPARE(restarted.value(Language, LanguageDefault).toString(), QStringLiteral("en"));
    QCOMPARE(restarted.value(StayOnTop, StayOnTopDefault).toBool(), true);
    QCOMPARE(restarted.value(SearchPasswords, SearchPasswordsDefault).toBool(), true);
    QCOMPARE(restarted.value(BackupPath).toString(), QStringLiteral("/backups/here"));
    QCOMPARE(restarted.value(UpperCase, UpperCaseDefault).toBool(), false);
    QCOMPARE(restarted.value(LowerCase, LowerCaseDefault).toBool(), false);
    QCOMPARE(restarted.value(Digits, DigitsDefault).toBool(), false);
    QCOMPARE(restarted.value(Specials, SpecialsDefault).toBool(), true);
    QCOMPARE(restarted.value(Length, LengthDefault).toInt(), 12);
    QCOMPARE(restarted.value(SpecialSymbols, SpecialSymbolsDefault).toString(),
             QStringLiteral("#$"));
    QCOMPARE(restarted.value(smartPass(item), false).toBool(), true);
    // One section a group: nothing is written twice under two spellings.
    const QByteArray text = readFile(copy);
    QCOMPARE(text.count("[%General]"), 1);
    QSettings().clear();
}

KELVARON_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
