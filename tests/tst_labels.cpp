#include "kvfieldedit.h"
#include "labels.h"
#include "modaldriver.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

namespace {

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

template <typename T> T* child(labels& dialog, const char* name)
{
    return dialog.findChild<T*>(QLatin1String(name));
}

QStringList rows(labels& dialog)
{
    QStringList names;
    auto* list = child<QListWidget>(dialog, "labelsListWidget");
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

void selectCode(labels& dialog, const QString& code)
{
    auto* list = child<QListWidget>(dialog, "labelsListWidget");
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(Qt::UserRole).toString() == code)
            list->setCurrentRow(i);
}

QString changeTime(const QString& code)
{
    QSqlQuery query(
        QStringLiteral("SELECT change_timestamp FROM kelvaron_labels WHERE field_type='%1'")
            .arg(code));
    return query.next() ? query.value(0).toString() : QString();
}

} // namespace

class TestLabels : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { QVERIFY(openTopLevelWindows().isEmpty()); }
    void renameBuiltInLabel();
    void applyWithoutChangeWritesNothing();
    void addNeedsAName();
    void nameIsNeverWiped_data();
    void nameIsNeverWiped();
    void addedPasswordLabelGetsThePasswordEditor();
    void cancelRestores();
    void deleteRules();
};

void TestLabels::init()
{
    freshWallet("pw");
    QSqlQuery(QStringLiteral("UPDATE kelvaron_labels SET change_timestamp='2000-01-01 00:00:00'"));
}

void TestLabels::renameBuiltInLabel()
{
    labels dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Kelvaron Labels"));
    QCOMPARE(rows(dialog).size(), 18);
    QCOMPARE(rows(dialog).first(), QStringLiteral("Account"));
    selectCode(dialog, "MAIL");
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit")->text(), QStringLiteral("E-mail"));
    QCOMPARE(child<QComboBox>(dialog, "comboBoxIcons")->currentData().toString(),
             QStringLiteral("labelmail2"));
    QVERIFY(!child<QPushButton>(dialog, "removeLabel")->isEnabled());
    QVERIFY(!child<QPushButton>(dialog, "pushButton")->isEnabled());
    child<QLineEdit>(dialog, "lineEdit")->setText("Zmail");
    QVERIFY(child<QPushButton>(dialog, "pushButton")->isEnabled());
    QVERIFY(!child<QListWidget>(dialog, "labelsListWidget")->isEnabled());
    child<QPushButton>(dialog, "pushButton")->click();
    const LabelRecord mail = db()->getLabel("MAIL");
    QCOMPARE(mail.labelName, QStringLiteral("Zmail"));
    QCOMPARE(mail.valueType, QStringLiteral("mail"));
    QVERIFY(mail.system);
    QCOMPARE(rows(dialog).last(), QStringLiteral("Zmail"));
    QVERIFY(child<QListWidget>(dialog, "labelsListWidget")->isEnabled());
    // Still a built-in label after Apply: Delete stays unavailable.
    QVERIFY(!child<QPushButton>(dialog, "removeLabel")->isEnabled());
}

void TestLabels::applyWithoutChangeWritesNothing()
{
    labels dialog(nullptr);
    selectCode(dialog, "NOTE");
    child<QLineEdit>(dialog, "lineEdit")->setText("Notes");
    child<QLineEdit>(dialog, "lineEdit")->setText("Note");
    child<QPushButton>(dialog, "pushButton")->click();
    QCOMPARE(changeTime("NOTE"), QStringLiteral("2000-01-01 00:00:00"));
}

void TestLabels::addNeedsAName()
{
    labels dialog(nullptr);
    child<QPushButton>(dialog, "addButton")->click();
    QCOMPARE(child<QPushButton>(dialog, "pushButton")->text(), QStringLiteral("Add"));
    QVERIFY(!child<QComboBox>(dialog, "comboValueType")->isHidden());
    child<QPushButton>(dialog, "pushButton")->click();
    QCOMPARE(db()->listLabels(1).size(), 0);
    // Nothing is added; the dialog says why and stays in the add mode.
    QVERIFY(!child<QLabel>(dialog, "labelError")->isHidden());
    QCOMPARE(child<QPushButton>(dialog, "pushButton")->text(), QStringLiteral("Add"));
    child<QPushButton>(dialog, "addButton")->click(); // cancel
    QVERIFY(child<QLabel>(dialog, "labelError")->isHidden());
    QCOMPARE(db()->listLabels(1).size(), 0);
    QCOMPARE(child<QPushButton>(dialog, "pushButton")->text(), QStringLiteral("Apply"));
    QVERIFY(child<QComboBox>(dialog, "comboValueType")->isHidden());
}

void TestLabels::nameIsNeverWiped_data()
{
    // A name typed and applied, then a change of only the icon applied.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("stored");
    QTest::newRow("renamed, then icon only") << "Zmail" << false << "Zmail";
    QTest::newRow("unchanged name, then icon only") << "E-mail" << false << "E-mail";
    QTest::newRow("emptied name is refused") << "" << true << "E-mail";
    QTest::newRow("blank name is refused") << "   " << true << "E-mail";
}

void TestLabels::nameIsNeverWiped()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    QFETCH(QString, stored);
    labels dialog(nullptr);
    selectCode(dialog, "MAIL");
    auto* name = child<QLineEdit>(dialog, "lineEdit");
    auto* icons = child<QComboBox>(dialog, "comboBoxIcons");
    auto* apply = child<QPushButton>(dialog, "pushButton");
    name->setText(typed + QLatin1Char('x')); // typing enters the edit mode
    name->setText(typed);
    apply->click();
    QCOMPARE(!child<QLabel>(dialog, "labelError")->isHidden(), refused);
    QCOMPARE(db()->getLabel("MAIL").labelName, stored);
    if (refused) {
        QVERIFY(apply->isEnabled()); // still editing, with what was typed
        QCOMPARE(name->text(), typed);
        return;
    }
    QCOMPARE(name->text(), stored); // the selected row shows its name again
    QVERIFY(!child<QPushButton>(dialog, "removeLabel")->isEnabled()); // built-in

    icons->setCurrentIndex(icons->currentIndex() == 0 ? 1 : 0);
    const QString icon = icons->currentData().toString();
    apply->click();
    const LabelRecord mail = db()->getLabel("MAIL");
    QCOMPARE(mail.labelName, stored);
    QCOMPARE(mail.icon, icon);
}

void TestLabels::addedPasswordLabelGetsThePasswordEditor()
{
    QString code;
    {
        labels dialog(nullptr);
        child<QPushButton>(dialog, "addButton")->click();
        child<QLineEdit>(dialog, "lineEdit")->setText("Licence key");
        auto* icons = child<QComboBox>(dialog, "comboBoxIcons");
        icons->setCurrentIndex(icons->findData("labelstar"));
        child<QComboBox>(dialog, "comboValueType")->setCurrentIndex(1);
        child<QPushButton>(dialog, "pushButton")->click();
        QVERIFY(rows(dialog).contains("Licence key"));
        const QList<LabelRecord> custom = db()->listLabels(1);
        QCOMPARE(custom.size(), 1);
        QCOMPARE(custom.first().valueType, QStringLiteral("pass"));
        QCOMPARE(custom.first().icon, QStringLiteral("labelstar"));
        code = custom.first().fieldType;
    }
    const QString item = db()->addItem({}, RootItemId, "App", "key", false).itemId;
    KVFieldEdit editor(item, QString(), nullptr);
    auto* combo = editor.findChild<QComboBox*>("comboBox");
    combo->setCurrentIndex(combo->findData(code));
    QVERIFY(!editor.findChild<QPushButton*>("pushButtonGenerate")->isHidden());
}

void TestLabels::cancelRestores()
{
    labels dialog(nullptr);
    selectCode(dialog, "PASS");
    child<QLineEdit>(dialog, "lineEdit")->setText("Secret");
    child<QPushButton>(dialog, "addButton")->click(); // now the cancel sign
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit")->text(), QStringLiteral("Password"));
    QCOMPARE(db()->getLabel("PASS").labelName, QStringLiteral("Password"));
    QVERIFY(child<QListWidget>(dialog, "labelsListWidget")->isEnabled());
    QVERIFY(!child<QPushButton>(dialog, "removeLabel")->isEnabled());
    QVERIFY(!child<QPushButton>(dialog, "pushButton")->isEnabled());

    // Cancelling an add empties the name and leaves the icon where it was.
    auto* icons = child<QComboBox>(dialog, "comboBoxIcons");
    const int icon = icons->currentIndex();
    child<QPushButton>(dialog, "addButton")->click();
    child<QLineEdit>(dialog, "lineEdit")->setText("Half typed");
    child<QPushButton>(dialog, "addButton")->click();
    QVERIFY(child<QLineEdit>(dialog, "lineEdit")->text().isEmpty());
    QCOMPARE(icons->currentIndex(), icon);
    QCOMPARE(db()->listLabels(1).size(), 0);
}

void TestLabels::deleteRules()
{
    const QString used = db()->addCustomLabel("Used", "labelstar", "text");
    const QString unused = db()->addCustomLabel("Unused", "labelstar", "text");
    const QString item = db()->addItem({}, RootItemId, "App", "key", false).itemId;
    QVERIFY(db()->saveField(used, "value", item, {}));
    labels dialog(nullptr);
    ModalDriver driver;

    selectCode(dialog, "PASS");
    QVERIFY(!child<QPushButton>(dialog, "removeLabel")->isEnabled());
    QMetaObject::invokeMethod(&dialog, "on_removeLabel_clicked");
    QVERIFY(driver.seen().isEmpty());
    QCOMPARE(db()->listLabels(2).size(), 18);

    selectCode(dialog, used);
    QVERIFY(child<QPushButton>(dialog, "removeLabel")->isEnabled());
    driver.expectMessage();
    child<QPushButton>(dialog, "removeLabel")->click();
    QCOMPARE(driver.seen().last().text,
             QStringLiteral(
                 "Label cannot be deleted because it is used in the database. Usage counter: 1"));

    selectCode(dialog, unused);
    driver.expectMessage(false);
    child<QPushButton>(dialog, "removeLabel")->click();
    QCOMPARE(driver.seen().last().title, QStringLiteral("Kelvaron labels"));
    QCOMPARE(driver.seen().last().text,
             QStringLiteral("Are you sure you want to delete the label 'Unused'?"));
    QVERIFY(rows(dialog).contains("Unused"));
    selectCode(dialog, unused);
    driver.expectMessage(true);
    child<QPushButton>(dialog, "removeLabel")->click();
    QVERIFY(!rows(dialog).contains("Unused"));
    QVERIFY(driver.allAnswered());
    QCOMPARE(db()->listLabels(0).size(), 19);
}

KELVARON_TEST_MAIN(TestLabels)
#include "tst_labels.moc"
