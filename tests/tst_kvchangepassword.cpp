#include "kvchangepassword.h"
#include "modaldriver.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString Old = QStringLiteral("old password");

template <typename T> T* child(KVChangePassword& dialog, const char* name)
{
    return dialog.findChild<T*>(QLatin1String(name));
}

void fill(KVChangePassword& dialog, const QString& old, const QString& fresh,
          const QString& confirm)
{
    child<QLineEdit>(dialog, "lineEditOldPass")->setText(old);
    child<QLineEdit>(dialog, "lineEditNewPass")->setText(fresh);
    child<QLineEdit>(dialog, "lineEditConfirmPass")->setText(confirm);
    child<QPushButton>(dialog, "pushButtonChangePass")->click();
}

// Asks for a change of password that the wallet refuses, answering the
// message that follows; seen receives what the message said.
void changeRefused(ModalDriver::Seen* seen)
{
    ModalDriver driver;
    driver.expectMessage();
    KVChangePassword dialog(nullptr);
    fill(dialog, Old, "brand new", "brand new");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(driver.allAnswered());
    *seen = driver.seen().first();
}

QString labelState(KVChangePassword& dialog, const char* name)
{
    auto* label = child<QLabel>(dialog, name);
    return label->text() + (label->styleSheet().contains("red") ? " [red]" : " [black]");
}

} // namespace

class TestKVChangePassword : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void inputErrors_data();
    void inputErrors();
    void resetBeforeEveryTry();
    void successReenciphersEverything();
    void protectionIsChosenHere_data();
    void protectionIsChosenHere();
    void failureKeepsTheOldPassword();
    void unreadableItemsAreNamed();
};

void TestKVChangePassword::init()
{
    freshWallet(Old);
}

void TestKVChangePassword::inputErrors_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("wrong current")
        << "nope"
        << "a"
        << "a"
        << QStringList({"Current password (wrong current password) [red]", "New password [black]",
                        "Confirm new password [black]"})
        << QStringList({"", "", ""});
    QTest::newRow("empty new") << Old << ""
                               << "a"
                               << QStringList({"Current password [black]",
                                               "New password (cannot be empty) [red]",
                                               "Confirm new password [black]"})
                               << QStringList({Old, "", "a"});
    QTest::newRow("not equal") << Old << "abc"
                               << "abd"
                               << QStringList({"Current password [black]",
                                               "New password (not equal) [red]",
                                               "Confirm new password (not equal) [red]"})
                               << QStringList({Old, "", ""});
}

void TestKVChangePassword::inputErrors()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirm);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, inputs);
    KVChangePassword dialog(nullptr);
    fill(dialog, old, fresh, confirm);
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(
        QStringList({labelState(dialog, "labelOldPassword"), labelState(dialog, "labelNewPassword"),
                     labelState(dialog, "labelConfirmPassword")}),
        labels);
    QCOMPARE(QStringList({child<QLineEdit>(dialog, "lineEditOldPass")->text(),
                          child<QLineEdit>(dialog, "lineEditNewPass")->text(),
                          child<QLineEdit>(dialog, "lineEditConfirmPass")->text()}),
             inputs);
}

void TestKVChangePassword::resetBeforeEveryTry()
{
    KVChangePassword dialog(nullptr);
    QCOMPARE(labelState(dialog, "labelConfirmPassword"),
             QStringLiteral("Confirm new password [black]"));
    fill(dialog, Old, "abc", "abd");
    fill(dialog, Old, "", "x");
    QCOMPARE(labelState(dialog, "labelConfirmPassword"),
             QStringLiteral("Confirm new password [black]"));
    QCOMPARE(labelState(dialog, "labelNewPassword"),
             QStringLiteral("New password (cannot be empty) [red]"));
}

void TestKVChangePassword::successReenciphersEverything()
{
    WalletDatabase* db = WalletDatabase::instance();
    const QString item = db->addItem({}, RootItemId, "deleted", "key", false).itemId;
    QVERIFY(db->saveField("PASS", "hidden", item, {}));
    db->deleteItemWithFields(item);
    KVChangePassword dialog(nullptr);
    fill(dialog, Old, "brand new", "brand new");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!child<QWidget>(dialog, "progressBar")->isHidden());
    QCOMPARE(cipherRowsOpenedBy("brand new").total, 5 + 5);
    QCOMPARE(cipherRowsOpenedBy("brand new").opened, 5 + 5);
    QCOMPARE(cipherRowsOpenedBy(Old).opened, 0);
    QCOMPARE(db->getLabel("PASS").labelName, QStringLiteral("Password"));
    QVERIFY(openWalletDatabase());
    QVERIFY(!WalletDatabase::instance()->checkPassword(Old));
    QVERIFY(WalletDatabase::instance()->checkPassword("brand new"));
}

void TestKVChangePassword::unreadableItemsAreNamed()
{
    // A value that no longer deciphers under the current password: nothing
    // is rewritten, and the message names the item it belongs to.
    WalletDatabase* db = WalletDatabase::instance();
    const QString folder = db->addItem({}, RootItemId, "Mail", "folder", true).itemId;
    const QString item = db->addItem({}, folder, "Provider", "key", false).itemId;
    QVERIFY(db->saveField("USER", "me", item, {}));
    QSqlQuery(QStringLiteral("UPDATE kelvaron_fields SET value=x'00112233445566778899aabbccddeeff' "
                             "WHERE item_id='%1'")
                  .arg(item));
    QFile file(WalletDatabase::databaseFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    ModalDriver::Seen seen;
    changeRefused(&seen);
    QVERIFY2(seen.text.contains("/Mail/Provider"), qPrintable(seen.text));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestKVChangePassword::protectionIsChosenHere_data()
{
    QTest::addColumn<bool>("fromStrong");
    QTest::addColumn<bool>("toStrong");
    QTest::newRow("original to strong") << false << true;
    QTest::newRow("strong to original") << true << false;
    QTest::newRow("strong kept") << true << true;
}

void TestKVChangePassword::protectionIsChosenHere()
{
    QFETCH(bool, fromStrong);
    QFETCH(bool, toStrong);
    freshWallet();
    WalletDatabase* db = WalletDatabase::instance();
    db->initialiseWallet(Old, fromStrong ? WalletProtection::Format::Argon2id
                                         : WalletProtection::Format::Original);
    KVChangePassword dialog(nullptr);
    auto* strong = child<QCheckBox>(dialog, "checkBoxStrong");
    QCOMPARE(strong->text(), QStringLiteral("Strong protection (Argon2id)"));
    // Pre-set to what the wallet has now.
    QCOMPARE(strong->isChecked(), fromStrong);
    strong->setChecked(toStrong);
    fill(dialog, Old, "brand new", "brand new");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(db->protection().isStrong(), toStrong);
    QCOMPARE(cipherRowsOpenedBy("brand new").opened, cipherRowsOpenedBy("brand new").total);
    QVERIFY(openWalletDatabase());
    QCOMPARE(WalletDatabase::instance()->protection().isStrong(), toStrong);
    QVERIFY(WalletDatabase::instance()->checkPassword("brand new"));
}

void TestKVChangePassword::failureKeepsTheOldPassword()
{
    // A trigger that refuses updates of field values makes the work fail midway.
    QSqlQuery(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kelvaron_fields BEGIN SELECT "
                             "RAISE(ABORT, 'refused'); END"));
    QSqlQuery(QStringLiteral("PRAGMA foreign_keys=ON"));
    QSqlQuery(QStringLiteral("CREATE TABLE p (id INTEGER PRIMARY KEY)"));
    QSqlQuery(QStringLiteral(
        "CREATE TABLE c (r INTEGER REFERENCES p(id) DEFERRABLE INITIALLY DEFERRED)"));
    QSqlQuery(QStringLiteral("CREATE TRIGGER fail_commit AFTER UPDATE ON kelvaron_items BEGIN "
                             "INSERT INTO c VALUES (1); END"));
    ModalDriver::Seen seen;
    changeRefused(&seen);
    QCOMPARE(seen.title, QStringLiteral("Password not changed"));
    QCOMPARE(cipherRowsOpenedBy(Old).opened, cipherRowsOpenedBy(Old).total);
    QVERIFY(openWalletDatabase());
    QVERIFY(WalletDatabase::instance()->checkPassword(Old));
    QCOMPARE(WalletDatabase::instance()->listChildren(RootItemId).at(0).name,
             QStringLiteral("Banking"));
}

KELVARON_TEST_MAIN(TestKVChangePassword)
#include "tst_kvchangepassword.moc"
