#include "edititemfolder.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "writelimit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

void accept(EditItemFolder& editor)
{
    editor.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

QComboBox* combo(EditItemFolder& editor)
{
    return editor.findChild<QComboBox*>("comboBox");
}

} // namespace

class TestEditItemFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void tabFollowsTheForm();
    void createFolderAndItem_data();
    void createFolderAndItem();
    void editFindsPrefixedIcon();
    void editWithUnknownIconTakesTheFirst();
    void cancelStoresNothing();
    void blankNamesAreRefused_data();
    void blankNamesAreRefused();
    void refusedWriteKeepsTheDialogOpen_data();
    void refusedWriteKeepsTheDialogOpen();

private:
    QString m_card;
};

void TestEditItemFolder::init()
{
    freshWallet(QStringLiteral("pw"));
    const QString banking = WalletDatabase::instance()->listChildren(RootItemId)[0].itemId;
    m_card = WalletDatabase::instance()->listChildren(banking)[0].itemId;
}

void TestEditItemFolder::createFolderAndItem_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("entries");
    QTest::newRow("folder") << true << "Cars"
                            << "foldercars"
                            << "foldercars" << 17;
    QTest::newRow("item, prefix dropped") << false << "My card"
                                          << "icon_visa"
                                          << "visa" << 119;
    // An empty name is refused now (blankNamesAreRefused); the key icon still
    // loses its prefix.
    QTest::newRow("key icon") << false << "Front door"
                              << "icon_key"
                              << "key" << 119;
}

void TestEditItemFolder::createFolderAndItem()
{
    QFETCH(bool, folder);
    QFETCH(QString, name);
    QFETCH(QString, choice);
    QFETCH(QString, stored);
    QFETCH(int, entries);
    EditItemFolder editor(folder, RootItemId, nullptr);
    QCOMPARE(editor.findChild<QLabel*>("labelTitle")->text(),
             folder ? QStringLiteral("Folder name") : QStringLiteral("Item name"));
    QCOMPARE(combo(editor)->count(), entries);
    QCOMPARE(combo(editor)->currentIndex(), 0);
    editor.findChild<QLineEdit*>("lineEdit")->setText(name);
    combo(editor)->setCurrentIndex(combo(editor)->findData(choice));
    accept(editor);
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    const ItemRecord record = editor.editorResult();
    QCOMPARE(record.name, name);
    QCOMPARE(record.icon, stored);
    QCOMPARE(record.folder, folder);
    QCOMPARE(WalletDatabase::instance()->getParentId(record.itemId), RootItemId);
}

void TestEditItemFolder::editFindsPrefixedIcon()
{
    EditItemFolder editor(m_card, nullptr);
    QCOMPARE(editor.findChild<QLabel*>("labelTitle")->text(), QStringLiteral("Item name"));
    QCOMPARE(combo(editor)->currentData().toString(), QStringLiteral("icon_visa"));
    QCOMPARE(editor.findChild<QLineEdit*>("lineEdit")->text(),
             QStringLiteral("Credit card sample"));
    editor.findChild<QLineEdit*>("lineEdit")->setText(QStringLiteral("Renamed"));
    accept(editor);
    QCOMPARE(WalletDatabase::instance()->getItem(m_card).name, QStringLiteral("Renamed"));
    QCOMPARE(WalletDatabase::instance()->getItem(m_card).icon, QStringLiteral("visa"));
}

void TestEditItemFolder::editWithUnknownIconTakesTheFirst()
{
    WalletDatabase::instance()->updateItem(m_card, QStringLiteral("Card"), QStringLiteral("gone"));
    EditItemFolder editor(m_card, nullptr);
    QCOMPARE(combo(editor)->currentIndex(), 0);
    accept(editor);
    QCOMPARE(WalletDatabase::instance()->getItem(m_card).icon, QStringLiteral("document"));
}

void TestEditItemFolder::cancelStoresNothing()
{
    EditItemFolder editor(m_card, nullptr);
    editor.findChild<QLineEdit*>("lineEdit")->setText(QStringLiteral("Changed"));
    editor.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(WalletDatabase::instance()->getItem(m_card).name,
             QStringLiteral("Credit card sample"));
}

void TestEditItemFolder::blankNamesAreRefused_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("empty folder name") << true << "";
    QTest::newRow("blank item name") << false << "   ";
}

void TestEditItemFolder::blankNamesAreRefused()
{
    QFETCH(bool, folder);
    QFETCH(QString, name);
    const int before = WalletDatabase::instance()->listChildren(RootItemId).size();
    EditItemFolder editor(folder, RootItemId, nullptr);
    editor.findChild<QLineEdit*>("lineEdit")->setText(name);
    accept(editor);
    QVERIFY(editor.result() != QDialog::Accepted);
    QVERIFY(!editor.findChild<QLabel*>("labelError")->isHidden());
    QCOMPARE(WalletDatabase::instance()->listChildren(RootItemId).size(), before);
}

void TestEditItemFolder::refusedWriteKeepsTheDialogOpen_data()
{
    QTest::addColumn<bool>("create");
    QTest::newRow("new item") << true;
    QTest::newRow("rename") << false;
}

void TestEditItemFolder::refusedWriteKeepsTheDialogOpen()
{
    QFETCH(bool, create);
    const QByteArray before = [] {
        QFile file(WalletDatabase::databaseFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    auto dialog = create ? std::make_unique<EditItemFolder>(false, RootItemId, nullptr)
                         : std::make_unique<EditItemFolder>(m_card, nullptr);
    EditItemFolder& editor = *dialog;
    auto* name = editor.findChild<QLineEdit*>("lineEdit");
    name->setText(QStringLiteral("Typed by the user"));
    {
        // The disk is full: the journal cannot be written.
        const WriteLimit full(0);
        accept(editor);
    }
    QVERIFY(editor.result() != QDialog::Accepted);
    QVERIFY(!editor.findChild<QLabel*>("labelError")->isHidden());
    QCOMPARE(name->text(), QStringLiteral("Typed by the user"));
    QFile file(WalletDatabase::databaseFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == before);

    // Once there is room again, the same OK saves what was typed.
    accept(editor);
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(editor.editorResult().name, QStringLiteral("Typed by the user"));
}

void TestEditItemFolder::tabFollowsTheForm()
{
    // Icon, then name, then OK.
    EditItemFolder editor(true, RootItemId, nullptr);
    const QStringList order = tabOrderAfter(editor.findChild<QWidget*>("comboBox"), 3);
    QCOMPARE(order.mid(0, 1), QStringList("lineEdit"));
    QVERIFY2(order.mid(1).contains("OK"), qPrintable(order.join(',')));
}

KELVARON_TEST_MAIN(TestEditItemFolder)
#include "tst_edititemfolder.moc"
