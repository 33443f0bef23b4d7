#include "prefs.h"
#include "testenvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QtTest>

class TestPrefs : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
    void freshInstallationShowsDefaults();
    void changesAreWrittenAtOnce();
    void storedIntervalIsClamped_data();
    void storedIntervalIsClamped();
};

void TestPrefs::freshInstallationShowsDefaults()
{
    Prefs prefs(nullptr);
    QCOMPARE(prefs.windowTitle(), QStringLiteral("Kelvaron Preferences"));
    auto* tabs = prefs.findChild<QTabWidget*>("tabWidget");
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(2), QStringLiteral("Synchronization"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("Wallet"));
    QVERIFY(prefs.findChild<QCheckBox*>("checkBoxAutoLock")->isChecked());
    QCOMPARE(prefs.findChild<QSpinBox*>("spinBox")->value(), 10);
    QVERIFY(prefs.findChild<QLineEdit*>("lineEditBackupPath")->text().isEmpty());
    // The tray choice shows; without a tray (as here) it cannot be taken.
    auto* tray = prefs.findChild<QCheckBox*>("checkBoxShowInTray");
    QVERIFY(!tray->isHidden());
    QVERIFY(!tray->isChecked());
    QCOMPARE(tray->isEnabled(), QSystemTrayIcon::isSystemTrayAvailable());
    QCOMPARE(QSettings().value("General/showintray", false).toBool(), false);
    auto* language = prefs.findChild<QComboBox*>("comboLanguage");
    QCOMPARE(language->count(), 3);
    QCOMPARE(language->currentData().toString(), QStringLiteral("system"));
    QCOMPARE(prefs.findChild<QLabel*>("labelLanguageNote")->text(),
             QStringLiteral("from the next start"));
    QCOMPARE(QSettings().value("General/autolockinterval").toInt(), 10);
}

void TestPrefs::changesAreWrittenAtOnce()
{
    Prefs prefs(nullptr);
    prefs.findChild<QComboBox*>("comboLanguage")->setCurrentIndex(2);
    QCOMPARE(QSettings().value("General/language").toString(), QStringLiteral("ru"));
    prefs.findChild<QCheckBox*>("checkBoxAutoLock")->setChecked(false);
    QCOMPARE(QSettings().value("General/autolock").toBool(), false);
    QVERIFY(!prefs.findChild<QSpinBox*>("spinBox")->isEnabled());
    QVERIFY(!prefs.findChild<QLabel*>("labelSpinBox")->isEnabled());
    prefs.findChild<QSpinBox*>("spinBox")->setValue(25);
    QCOMPARE(QSettings().value("General/autolockinterval").toInt(), 25);
    Prefs reopened(nullptr);
    QVERIFY(!reopened.findChild<QCheckBox*>("checkBoxAutoLock")->isChecked());
    QVERIFY(!reopened.findChild<QSpinBox*>("spinBox")->isEnabled());
    QCOMPARE(reopened.findChild<QSpinBox*>("spinBox")->value(), 25);
}

void TestPrefs::storedIntervalIsClamped_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("after");
    QTest::newRow("above 30") << 45 << 30 << 30;
    QTest::newRow("below 5 stays stored") << 2 << 5 << 2;
}

void TestPrefs::storedIntervalIsClamped()
{
    QFETCH(int, stored);
    QFETCH(int, shown);
    QFETCH(int, after);
    QSettings().setValue("General/autolockinterval", stored);
    Prefs prefs(nullptr);
    QCOMPARE(prefs.findChild<QSpinBox*>("spinBox")->value(), shown);
    QCOMPARE(QSettings().value("General/autolockinterval").toInt(), after);
}

KELVARON_TEST_MAIN(TestPrefs)
#include "tst_prefs.moc"
