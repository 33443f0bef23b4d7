#include "backuparchive.h"
#include "idlelock.h"
#include "itemtreewidget.h"
#include "kelvaronconfig.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "writelimit.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QSqlDatabase>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

namespace {

const QString Password = QStringLiteral("pw");

struct Wallet
{
    QString banking, card, readMe, empty, bare, heron, deep, inner;
};

Wallet makeWallet()
{
    freshWallet();
    WalletDatabase* db = WalletDatabase::instance();
    db->initialiseWallet(Password);
    Wallet w;
    const QList<ItemRecord> top = db->listChildren(RootItemId);
    w.banking = top[0].itemId;
    w.readMe = top[1].itemId;
    w.card = db->listChildren(w.banking)[0].itemId;
    w.empty = db->addItem({}, RootItemId, "Empty", "folder", true).itemId;
    w.bare = db->addItem({}, RootItemId, "Bare", "key", false).itemId;
    w.heron = db->addItem({}, RootItemId, "  Velvet HERON ", "heron", false).itemId;
    w.deep = db->addItem({}, w.banking, "Deep", "foldercars", true).itemId;
    w.inner = db->addItem({}, w.deep, "Inner", "visa", false).itemId;
    return w;
}

QString writeTextFile(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("this is not an archive\n");
    return path;
}

template <typename T> T* child(MainWindow& window, const char* name)
{
    return window.findChild<T*>(QLatin1String(name));
}

QTreeWidget* tree(MainWindow& w)
{
    return child<QTreeWidget>(w, "treeWidget");
}
QTreeWidget* list(MainWindow& w)
{
    return child<QTreeWidget>(w, "listWidget");
}
QString text(MainWindow& w, const char* label)
{
    return child<QLabel>(w, label)->text();
}
bool enabled(MainWindow& w, const char* button)
{
    return child<QPushButton>(w, button)->isEnabled();
}
QString current(MainWindow& w)
{
    return tree(w)->currentItem()->data(0, Qt::UserRole).toString();
}

QStringList listTexts(MainWindow& w)
{
    QStringList texts;
    for (int i = 0; i < list(w)->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list(w)->topLevelItem(i);
        texts.append(list(w)->columnCount() == 1 ? row->text(0)
                                                 : row->text(0) + '=' + row->text(1));
    }
    return texts;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_wallet = makeWallet(); }
    void rootIsShownAtStart();
    void headerPathRules_data();
    void headerPathRules();
    void buttonStates_data();
    void buttonStates();
    void activationOpensChildrenAndEditsFields();
    void goingUp();
    void hiddenImageAndBack();
    void unknownIdChangesNothing();
    void treeModelIsConsistent();
    void createFolderAndItem();
    void renameThroughEdit();
    void deleteRules();
    void fieldCommands();
    void refusedDeleteIsReported();
    void notices();
    void lockAndUnlock();
    void searchAsYouType();
    void lockClearsOnlyOurSecret_data();
    void lockClearsOnlyOurSecret();
    void unlockFailures_data();
    void unlockFailures();
    void autoLockTimer_data();
    void autoLockTimer();
    void lockWaitsForAWriteUnderWay();
    void pinToggleAndPersistence();
    void changePasswordLocks();
    void upgradeBarForTheOriginalFormat_data();
    void upgradeBarForTheOriginalFormat();
    void backupAsksForAFolderFirst();
    void backupWritesAnArchive();
    void importRestoresLocksAndUnlocks();
    void failedImportIsReported();
    void copyKeyCopiesTheSecretValue();
    void secretsMaskedUntilShown();
    void deleteQuestionsDefaultToNo_data();
    void deleteQuestionsDefaultToNo();
    void placeIsKeptAcrossRefreshAndUnlock();
    void addressShownWhenNoBrowserOpens_data();
    void addressShownWhenNoBrowserOpens();
    void shortcutsTriggerTheirCommands_data();
    void shortcutsTriggerTheirCommands();
    void moveToMovesOrSaysWhy();
    void contextMenuIsTheEditMenu();
    void dropOntoAFolderMovesWhatWasDragged();
    void trayOnlyWhereThereIsOne();
    void windowGrowsAndComesBack();
    void tabFollowsTheWindow();
    void tabIntoTheListChoosesARow();

private:
    void selectListRow(MainWindow& window, int row)
    {
        list(window)->setCurrentItem(list(window)->topLevelItem(row));
    }
    Wallet m_wallet;
};

void TestMainWindow::rootIsShownAtStart()
{
    MainWindow window;
    window.show();
    QCOMPARE(current(window), RootItemId);
    QCOMPARE(text(window, "lineEdit"), QStringLiteral("Kelvaron"));
    QCOMPARE(text(window, "pathLabel"), QStringLiteral("/"));
    QVERIFY(!enabled(window, "folderUpButton"));
    QVERIFY(enabled(window, "addButtonFolder"));
    QCOMPARE(list(window)->columnCount(), 1);
    QCOMPARE(listTexts(window),
             QStringList({"Banking", "Empty", "  Velvet HERON ", "Bare", "Read me"}));
    QCOMPARE(tree(window)->topLevelItemCount(), 1);
    QVERIFY(tree(window)->topLevelItem(0)->isExpanded());
    QCOMPARE(window.selectedTreeId(), RootItemId);
    QVERIFY(window.selectedListId().isNull());
    QVERIFY(!child<QGraphicsView>(window, "graphicsVievHeron")->isVisible());
}

void TestMainWindow::headerPathRules_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("item under the root") << "readMe"
                                         << "Read me"
                                         << "/";
    QTest::newRow("item in a top folder") << "card"
                                          << "Credit card sample"
                                          << "/Banking/";
    QTest::newRow("two levels down") << "inner"
                                     << "Inner"
                                     << "/Banking/Deep/";
    QTest::newRow("top folder") << "banking"
                                << "Banking"
                                << "/";
}

void TestMainWindow::headerPathRules()
{
    QFETCH(QString, node);
    QFETCH(QString, name);
    QFETCH(QString, path);
    const QMap<QString, QString> ids = {{"readMe", m_wallet.readMe},
                                        {"card", m_wallet.card},
                                        {"inner", m_wallet.inner},
                                        {"banking", m_wallet.banking}};
    MainWindow window;
    QVERIFY(window.selectTreeItem(ids[node]));
    QCOMPARE(text(window, "lineEdit"), name);
    QCOMPARE(text(window, "pathLabel"), path);
    QVERIFY(!text(window, "statsLabel").isEmpty());
    QVERIFY(enabled(window, "folderUpButton"));
}

void TestMainWindow::buttonStates_data()
{
    QTest::addColumn<QString>("node");
    // addButtonFolder, delete, edit, copy, add: with no row chosen, then
    // with the first row chosen (empty when there is no row).
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("folder with children") << "banking"
                                          << "10001"
                                          << "11101" << QStringList({"Deep", "Credit card sample"});
    QTest::newRow("empty folder") << "empty"
                                  << "10001" << QString() << QStringList();
    QTest::newRow("item without fields") << "bare"
                                         << "00001" << QString() << QStringList();
    QTest::newRow("item with fields")
        << "card"
        << "00001"
        << "01111"
        << QStringList({"Name=John Smith", "Card number=1234 5678 9012 3456", "PIN code=●●●●●●●●"});
}

void TestMainWindow::buttonStates()
{
    QFETCH(QString, node);
    QFETCH(QString, states);
    QFETCH(QString, chosen);
    QFETCH(QStringList, rows);
    const QMap<QString, QString> ids = {{"banking", m_wallet.banking},
                                        {"empty", m_wallet.empty},
                                        {"bare", m_wallet.bare},
                                        {"card", m_wallet.card}};
    MainWindow window;
    QVERIFY(window.selectTreeItem(ids[node]));
    const auto buttonStates = [&window] {
        QString actual;
        for (const char* button :
             {"addButtonFolder", "deleteButton", "editButton", "copyButton", "addButton"})
            actual += enabled(window, button) ? '1' : '0';
        return actual;
    };
    // Commands that need a row are off until one is chosen, and off again
    // when the choice is cleared.
    QCOMPARE(buttonStates(), states);
    QCOMPARE(listTexts(window), rows);
    if (rows.isEmpty())
        return;
    selectListRow(window, 0);
    QCOMPARE(buttonStates(), chosen);
    list(window)->clearSelection();
    QCOMPARE(buttonStates(), states);
}

void TestMainWindow::activationOpensChildrenAndEditsFields()
{
    // Enter or a double-click on a row.
    MainWindow window;
    emit list(window)->itemActivated(list(window)->topLevelItem(0), 0);
    QCOMPARE(current(window), m_wallet.banking);
    QCOMPARE(text(window, "lineEdit"), QStringLiteral("Banking"));
    emit list(window)->itemActivated(list(window)->topLevelItem(1), 0);
    QCOMPARE(current(window), m_wallet.card);
    // A field row opens its editor; the item stays shown.
    ModalDriver driver;
    QString edited;
    driver.expect("KVFieldEdit", [&edited](QWidget* editor) {
        edited = editor->findChild<QLineEdit*>("lineEditValue")->text();
        ModalDriver::pressStandard(editor, QDialogButtonBox::Cancel);
    });
    emit list(window)->itemActivated(list(window)->topLevelItem(1), 0);
    QVERIFY(driver.allAnswered());
    QCOMPARE(edited, QStringLiteral("1234 5678 9012 3456"));
    QCOMPARE(current(window), m_wallet.card);
    QCOMPARE(list(window)->columnCount(), 2);
}

void TestMainWindow::goingUp()
{
    MainWindow window;
    QVERIFY(window.selectTreeItem(m_wallet.inner));
    QPushButton* up = child<QPushButton>(window, "folderUpButton");
    up->click();
    QCOMPARE(current(window), m_wallet.deep);
    up->click();
    QCOMPARE(current(window), m_wallet.banking);
    up->click();
    QCOMPARE(current(window), RootItemId);
    QVERIFY(!up->isEnabled());
}

void TestMainWindow::hiddenImageAndBack()
{
    MainWindow window;
    window.show();
    QVERIFY(window.selectTreeItem(m_wallet.card));
    QVERIFY(window.selectTreeItem(m_wallet.heron));
    auto* heron = child<QGraphicsView>(window, "graphicsVievHeron");
    QVERIFY(heron->isVisible());
    QVERIFY(!list(window)->isVisible());
    QVERIFY(!child<QPushButton>(window, "addButton")->isVisible());
    QCOMPARE(text(window, "lineEdit"), QStringLiteral("Credit card sample")); // header kept
    QVERIFY(heron->scene() && !heron->scene()->items().isEmpty());

    QVERIFY(window.selectTreeItem(RootItemId));
    QVERIFY(!heron->isVisible());
    QVERIFY(list(window)->isVisible());
    QVERIFY(child<QPushButton>(window, "copyButton")->isVisible());

    // The name alone, or the icon alone, shows the node normally.
    WalletDatabase::instance()->updateItem(m_wallet.heron, "velvet heron", "visa");
    WalletDatabase::instance()->updateItem(m_wallet.bare, "Bare", "heron");
    window.fillTree();
    QVERIFY(window.selectTreeItem(m_wallet.heron));
    QVERIFY(!heron->isVisible());
    QVERIFY(window.selectTreeItem(m_wallet.bare));
    QVERIFY(!heron->isVisible());
}

void TestMainWindow::unknownIdChangesNothing()
{
    MainWindow window;
    QVERIFY(window.selectTreeItem(m_wallet.card));
    QVERIFY(!window.selectTreeItem(QStringLiteral("nothere")));
    QCOMPARE(current(window), m_wallet.card);
    QVERIFY(enabled(window, "folderUpButton"));
}

void TestMainWindow::treeModelIsConsistent()
{
    MainWindow window;
    QAbstractItemModelTester tester(tree(window)->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester listTester(list(window)->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    window.fillTree();
    QVERIFY(window.selectTreeItem(m_wallet.card));
    QVERIFY(window.selectTreeItem(m_wallet.banking));
    QCOMPARE(tree(window)->topLevelItem(0)->childCount(), 5);
}

void TestMainWindow::createFolderAndItem()
{
    MainWindow window;
    ModalDriver driver;
    driver.expect("EditItemFolder", [](QWidget* editor) {
        ModalDriver::setText(editor, "lineEdit", "Travel");
        ModalDriver::pressStandard(editor, QDialogButtonBox::Ok);
    });
    child<QPushButton>(window, "addButtonFolder")->click();
    QVERIFY(driver.allAnswered());
    QCOMPARE(text(window, "lineEdit"), QStringLiteral("Travel"));
    QVERIFY(WalletDatabase::instance()->getItem(current(window)).folder);
    const QString travel = current(window);

    driver.expect("EditItemFolder", [](QWidget* editor) {
        ModalDriver::setText(editor, "lineEdit", "Airline");
        auto* combo = editor->findChild<QComboBox*>("comboBox");
        combo->setCurrentIndex(combo->findData("icon_airplane"));
        ModalDriver::pressStandard(editor, QDialogButtonBox::Ok);
    });
    child<QPushButton>(window, "addButton")->click();
    QCOMPARE(text(window, "lineEdit"), QStringLiteral("Airline"));
    QCOMPARE(text(window, "pathLabel"), QStringLiteral("/Travel/"));
    QCOMPARE(WalletDatabase::instance()->getItem(current(window)).icon, QStringLiteral("airplane"));

    // Cancel changes nothing and keeps the node current.
    driver.expect("EditItemFolder", [](QWidget* editor) {
        ModalDriver::pressStandard(editor, QDialogButtonBox::Cancel);
    });
    QVERIFY(window.selectTreeItem(travel));
    child<QPushButton>(window, "addButton")->click();
    QVERIFY(driver.allAnswered());
    QCOMPARE(current(window), travel);
    QCOMPARE(WalletDatabase::instance()->listChildren(travel).size(), 1);
}

void TestMainWindow::renameThroughEdit()
{
    MainWindow window;
    selectListRow(window, 3); // Bare
    ModalDriver driver;
    driver.expect("EditItemFolder", [](QWidget* editor) {
        ModalDriver::setText(editor, "lineEdit", "Bare bones");
        ModalDriver::pressStandard(editor, QDialogButtonBox::Ok);
    });
    child<QPushButton>(window, "editButton")->click();
    QVERIFY(driver.allAnswered());
    QCOMPARE(current(window), RootItemId);
    QVERIFY(listTexts(window).contains("Bare bones"));
}

void TestMainWindow::deleteRules()
{
    MainWindow window;
    ModalDriver driver;
    // An empty folder goes at once; a non-empty one is refused.
    selectListRow(window, 1); // Empty
    child<QPushButton>(window, "deleteButton")->click();
    QVERIFY(!listTexts(window).contains("Empty"));
    QVERIFY(driver.seen().isEmpty());
    selectListRow(window, 0); // Banking
    driver.expectMessage();
    child<QPushButton>(window, "deleteButton")->click();
    QCOMPARE(driver.seen().last().title, QStringLiteral("Deletion cancelled"));
    QCOMPARE(driver.seen().last().text, QStringLiteral("Non-empty folder cannot be deleted"));
    QVERIFY(listTexts(window).contains("Banking"));
    // An item asks with its name; No keeps it, Yes deletes it with its fields.
    selectListRow(window, 3); // Read me
    driver.expectMessage(false);
    child<QPushButton>(window, "deleteButton")->click();
    QCOMPARE(driver.seen().last().title, QStringLiteral("Read me"));
    QVERIFY(listTexts(window).contains("Read me"));
    selectListRow(window, 3);
    driver.expectMessage(true);
    child<QPushButton>(window, "deleteButton")->click();
    QVERIFY(!listTexts(window).contains("Read me"));
    QCOMPARE(current(window), RootItemId);
    QVERIFY(WalletDatabase::instance()->listFields(m_wallet.readMe).isEmpty());
    QVERIFY(driver.allAnswered());
}

void TestMainWindow::fieldCommands()
{
    WalletDatabase::instance()->saveField("TIME", "093000", m_wallet.card, QString());
    WalletDatabase::instance()->saveField("EXPD", "20261131", m_wallet.card, QString());
    MainWindow window;
    QVERIFY(window.selectTreeItem(m_wallet.card));
    QCOMPARE(listTexts(window).at(3), QStringLiteral("Time=09:30"));

    // Copy puts the stored value, marked secret for clipboard managers.
    selectListRow(window, 4);
    child<QPushButton>(window, "copyButton")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("20261131"));
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->data("x-kde-passwordManagerHint"),
             QByteArray("secret"));

    // Delete asks with the label and the display form.
    ModalDriver driver;
    selectListRow(window, 3);
    driver.expectMessage(true);
    child<QPushButton>(window, "deleteButton")->click();
    QCOMPARE(driver.seen().last().title, QStringLiteral("Time"));
    QCOMPARE(current(window), m_wallet.card);
    QCOMPARE(list(window)->topLevelItemCount(), 4);

    // Edit opens the field editor on the selected field; the item stays current.
    selectListRow(window, 0);
    driver.expect("KVFieldEdit", [](QWidget* editor) {
        editor->findChild<QLineEdit*>("lineEditValue")->setText("Jane Smith");
        ModalDriver::pressStandard(editor, QDialogButtonBox::Ok);
    });
    child<QPushButton>(window, "editButton")->click();
    QCOMPARE(current(window), m_wallet.card);
    QCOMPARE(listTexts(window).at(0), QStringLiteral("Name=Jane Smith"));

    // Add opens it for a new field.
    driver.expect("KVFieldEdit", [](QWidget* editor) {
        auto* combo = editor->findChild<QComboBox*>("comboBox");
        combo->setCurrentIndex(combo->findData("USER"));
        editor->findChild<QLineEdit*>("lineEditValue")->setText("jane");
        ModalDriver::pressStandard(editor, QDialogButtonBox::Ok);
    });
    child<QPushButton>(window, "addButton")->click();
    QCOMPARE(listTexts(window).last(), QStringLiteral("User name=jane"));
    QVERIFY(driver.allAnswered());
}

void TestMainWindow::refusedDeleteIsReported()
{
    MainWindow window;
    QVERIFY(window.selectTreeItem(m_wallet.card));
    const int fields = list(window)->topLevelItemCount();
    selectListRow(window, 0);
    ModalDriver driver;
    driver.expectMessage(true); // yes, delete
    driver.expectMessage();     // the refusal, acknowledged
    {
        const WriteLimit full(0); // the disk is full
        child<QPushButton>(window, "deleteButton")->click();
    }
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(driver.seenTitles().last(), QStringLiteral("Not saved"));
    QCOMPARE(list(window)->topLevelItemCount(), fields);
    QCOMPARE(WalletDatabase::instance()->listFields(m_wallet.card).size(), fields);
}

void TestMainWindow::notices()
{
    MainWindow window;
    ModalDriver driver;
    driver.expectMessage();
    window.findChild<QAction*>("actionSync")->trigger();
    // Find no longer says "later": with an empty box it only takes the
    // keyboard to it.
    window.findChild<QAction*>("actionFind")->trigger();
    QCOMPARE(driver.seenTitles(), QStringList({"Synchronization"}));
}

void TestMainWindow::searchAsYouType()
{
    QSettings().clear();
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.selectTreeItem(m_wallet.deep));
    auto* box = child<QLineEdit>(window, "searchBox");

    // Ctrl+F from anywhere in the window takes the keyboard to the box.
    tree(window)->setFocus();
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(box->hasFocus());

    // Typing searches after a short pause; the tree keeps its selection.
    QTest::keyClicks(box, "john");
    QTRY_COMPARE(listTexts(window), QStringList({"Credit card sample=/Banking"}));
    QCOMPARE(current(window), m_wallet.deep);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Found: 1"));

    // Words may match the path and the fields, in any order.
    box->setText(QStringLiteral("5678 banking"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(listTexts(window), QStringList({"Credit card sample=/Banking"}));
    box->setText(QStringLiteral("nothing like it"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("No match"));
    QCOMPARE(list(window)->topLevelItem(0)->flags(), Qt::NoItemFlags);

    // Escape goes back exactly where the user was.
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(box->text().isEmpty());
    QCOMPARE(current(window), m_wallet.deep);
    QCOMPARE(listTexts(window), QStringList({"Inner"}));

    // Opening a result selects it in the tree and shows it.
    box->setText(QStringLiteral("read"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(listTexts(window), QStringList({"Read me=/"}));
    emit list(window)->itemActivated(list(window)->topLevelItem(0), 0);
    QCOMPARE(current(window), m_wallet.readMe);
    QCOMPARE(text(window, "lineEdit"), QStringLiteral("Read me"));

    // Lock wipes the index: what was added meanwhile is found after unlock.
    window.findChild<QAction*>("actionLock")->trigger();
    QVERIFY(box->text().isEmpty());
    QVERIFY(openWalletDatabase());
    QVERIFY(WalletDatabase::instance()->checkPassword(Password));
    WalletDatabase::instance()->addItem({}, RootItemId, "Added while locked", "key", false);
    ModalDriver driver;
    driver.expectPassword(Password);
    child<QPushButton>(window, "unlockButton")->click();
    box->setText(QStringLiteral("added while"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(listTexts(window), QStringList({"Added while locked=/"}));
}

void TestMainWindow::lockAndUnlock()
{
    MainWindow window;
    window.show();
    window.findChild<QAction*>("actionLock")->trigger();
    QVERIFY(window.isLocked());
    QVERIFY(!tree(window)->isVisible());
    QVERIFY(!list(window)->isVisible());
    QVERIFY(child<QPushButton>(window, "unlockButton")->isVisible());
    QVERIFY(child<QLabel>(window, "labelLocked")->isVisible());
    // Locked by the user: no word of an automatic lock.
    QVERIFY(child<QLabel>(window, "labelLocked")->text().startsWith("Kelvaron is locked."));
    QVERIFY(!window.menuBar()->isEnabled());
    QVERIFY(!WalletDatabase::instance()->hasPassword());
    QVERIFY(!QSqlDatabase::contains(QSqlDatabase::defaultConnection));

    ModalDriver driver;
    driver.expectPassword("wrong");
    driver.expectMessage();
    driver.expectPassword(Password);
    child<QPushButton>(window, "unlockButton")->click();
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(driver.seen().at(1).title, QStringLiteral("Wrong password!"));
    QCOMPARE(driver.seen().at(1).text, QStringLiteral("Password is wrong, try again"));
    QCOMPARE(driver.seen().at(2).text, QStringLiteral("2 attempts left"));
    QVERIFY(!window.isLocked());
    QVERIFY(tree(window)->isVisible());
    QCOMPARE(current(window), RootItemId);
    QVERIFY(window.menuBar()->isEnabled());
}

void TestMainWindow::lockClearsOnlyOurSecret_data()
{
    QTest::addColumn<bool>("userCopiedSince");
    QTest::newRow("still our secret: cleared") << false;
    QTest::newRow("the user copied something else: kept") << true;
}

void TestMainWindow::lockClearsOnlyOurSecret()
{
    QFETCH(bool, userCopiedSince);
    MainWindow window;
    QVERIFY(window.selectTreeItem(m_wallet.card));
    selectListRow(window, 0);
    child<QPushButton>(window, "copyButton")->click();
    QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
    if (userCopiedSince)
        QGuiApplication::clipboard()->setText(QStringLiteral("shopping list"));
    window.findChild<QAction*>("actionLock")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             userCopiedSince ? QStringLiteral("shopping list") : QString());
    // Locked, the store holds no password any more.
    QVERIFY(!WalletDatabase::instance()->hasPassword());
}

void TestMainWindow::unlockFailures_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("three wrong")
        << QStringList({"a", "b", "c"})
        << QStringList({"", "Password is wrong, try again", "2 attempts left",
                        "Password is wrong, try again", "1 attempt left",
                        "Too many failed login attempts, leaving the application"});
    QTest::newRow("empty on the third")
        << QStringList({"a", "b", ""})
        << QStringList({"", "Password is wrong, try again", "2 attempts left",
                        "Password is wrong, try again", "1 attempt left",
                        "Password cannot be empty, try again"});
    QTest::newRow("cancel") << QStringList({"<cancel>"}) << QStringList({""});
}

void TestMainWindow::unlockFailures()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, texts);
    MainWindow window;
    window.show();
    window.lockWindow();
    ModalDriver driver;
    for (const QString& entry : entries) {
        if (entry == "<cancel>") {
            driver.expectPasswordCancel();
            continue;
        }
        driver.expectPassword(entry);
        driver.expectMessage();
    }
    QTimer::singleShot(0, &window,
                       [&window] { child<QPushButton>(window, "unlockButton")->click(); });
    QCOMPARE(qApp->exec(), 1);
    QVERIFY(driver.allAnswered());
    QStringList seen;
    for (const ModalDriver::Seen& dialog : driver.seen())
        seen.append(dialog.text);
    QCOMPARE(seen, texts);
    QVERIFY(window.isLocked());
}

void TestMainWindow::autoLockTimer_data()
{
    QTest::addColumn<QString>("cause");
    QTest::newRow("no input for the chosen minutes") << "timer";
    QTest::newRow("the desktop session locks") << "sessionLocked";
}

void TestMainWindow::autoLockTimer()
{
    QFETCH(QString, cause);
    QSettings().clear();
    MainWindow window;
    auto* timer = window.findChild<QTimer*>("lockTimer");
    // Counting from the start, whether or not the window is active.
    QVERIFY(timer->isActive());
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    QVERIFY(timer->isActive());

    if (cause == QLatin1String("timer")) {
        // The focused window is left alone: the count runs out (shortened
        // here) and the wallet locks.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        timer->start(50);
        QTRY_VERIFY(window.isLocked());
    } else {
        QVERIFY(QMetaObject::invokeMethod(window.findChild<IdleLock*>(), "sessionLocked"));
        QVERIFY(window.isLocked());
    }
    QVERIFY(child<QLabel>(window, "labelLocked")->text().contains("locked automatically"));
    QVERIFY(!timer->isActive());

    // Unlocking counts again.
    ModalDriver driver;
    driver.expectPassword(Password);
    child<QPushButton>(window, "unlockButton")->click();
    QVERIFY(driver.allAnswered());
    QVERIFY(timer->isActive());
}

void TestMainWindow::lockWaitsForAWriteUnderWay()
{
    // The lock falls due while the wallet is being re-enciphered: that one
    // transaction ends first, whole, and the lock follows.
    MainWindow window;
    window.show();
    ModalDriver driver;
    driver.expect("KVChangePassword", [&window](QWidget* dialog) {
        window.findChild<QTimer*>("lockTimer")->start(0);
        ModalDriver::setText(dialog, "lineEditOldPass", Password);
        ModalDriver::setText(dialog, "lineEditNewPass", "new one");
        ModalDriver::setText(dialog, "lineEditConfirmPass", "new one");
        ModalDriver::click(dialog, "pushButtonChangePass");
    });
    driver.expectMessage();
    window.findChild<QAction*>("actionChange_password")->trigger();
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QVERIFY(window.isLocked());
    QCOMPARE(driver.seen().last().title, QStringLiteral("Password was changed"));
    // Nothing was closed unsaved, so unlocking says nothing of it.
    driver.expectPassword("new one");
    child<QPushButton>(window, "unlockButton")->click();
    QCOMPARE(window.statusBar()->currentMessage(), QString());
    window.lockWindow();
    QVERIFY(openWalletDatabase());
    const CipherRows rows = cipherRowsOpenedBy("new one");
    QVERIFY(rows.total > 0);
    QCOMPARE(rows.opened, rows.total);
}

void TestMainWindow::pinToggleAndPersistence()
{
    QSettings().setValue("General/stayontop", true);
    {
        MainWindow window;
        auto* pin = window.findChild<QAction*>("pinAction");
        QVERIFY(pin->isChecked());
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        pin->trigger();
        // Unpinned is normal stacking: neither above nor below all others.
        QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnBottomHint));
        QCOMPARE(QSettings().value("General/stayontop").toBool(), false);
        pin->trigger();
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(QSettings().value("General/stayontop").toBool(), true);

        // A dialog lifts the pin for its lifetime.
        ModalDriver driver;
        bool liftedDuringDialog = false;
        driver.expect("KVCustomMessage", [&](QWidget* box) {
            liftedDuringDialog = !(window.windowFlags() & Qt::WindowStaysOnTopHint);
            ModalDriver::pressStandard(box, QDialogButtonBox::Ok);
        });
        window.findChild<QAction*>("actionSync")->trigger();
        QVERIFY(liftedDuringDialog);
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
        window.close();
    }
    {
        MainWindow restarted;
        QVERIFY(restarted.findChild<QAction*>("pinAction")->isChecked());
    }
    QSettings().clear();
}

void TestMainWindow::changePasswordLocks()
{
    MainWindow window;
    window.show();
    ModalDriver driver;
    driver.expect("KVChangePassword", [](QWidget* dialog) {
        ModalDriver::setText(dialog, "lineEditOldPass", Password);
        ModalDriver::setText(dialog, "lineEditNewPass", "new one");
        ModalDriver::setText(dialog, "lineEditConfirmPass", "new one");
        ModalDriver::click(dialog, "pushButtonChangePass");
    });
    driver.expectMessage();
    window.findChild<QAction*>("actionChange_password")->trigger();
    QVERIFY(driver.allAnswered());
    QVERIFY(window.isLocked());
    QCOMPARE(driver.seen().last().title, QStringLiteral("Password was changed"));
    QCOMPARE(driver.seen().last().text,
             QStringLiteral("The application is now locked. Unlock it with your new password."));
    driver.expectPassword(Password);
    driver.expectMessage();
    driver.expectPassword("new one");
    child<QPushButton>(window, "unlockButton")->click();
    QVERIFY(driver.allAnswered());
    QVERIFY(!window.isLocked());
    QCOMPARE(listTexts(window).size(), 5);
}

void TestMainWindow::upgradeBarForTheOriginalFormat_data()
{
    QTest::addColumn<bool>("strong");
    QTest::newRow("original protection") << false;
    QTest::newRow("strong protection") << true;
}

void TestMainWindow::upgradeBarForTheOriginalFormat()
{
    QFETCH(bool, strong);
    QSettings().remove("General/upgradedismissed");
    if (strong) {
        freshWallet();
        WalletDatabase::instance()->initialiseWallet(Password, WalletProtection::Format::Argon2id);
    }
    MainWindow window;
    window.show();
    auto* bar = child<QFrame>(window, "protectionBar");
    QCOMPARE(bar->isVisible(), !strong);
    if (strong)
        return;
    QVERIFY(child<QLabel>(window, "labelProtection")->text().contains("guessed quickly"));

    // Upgrade... opens Change password with strong protection ticked.
    ModalDriver driver;
    bool ticked = false;
    driver.expect("KVChangePassword", [&ticked](QWidget* dialog) {
        ticked = dialog->findChild<QCheckBox*>("checkBoxStrong")->isChecked();
        ModalDriver::click(dialog, "pushButtonCancel");
    });
    child<QPushButton>(window, "pushButtonUpgrade")->click();
    QVERIFY(driver.allAnswered());
    QVERIFY(ticked);
    QVERIFY(bar->isVisible());

    // Locked, the bar goes with the wallet; dismissed, it stays away for
    // this wallet, also after the next start.
    window.lockWindow();
    QVERIFY(!bar->isVisible());
    driver.expectPassword(Password);
    child<QPushButton>(window, "unlockButton")->click();
    QVERIFY(bar->isVisible());
    child<QToolButton>(window, "toolButtonDismiss")->click();
    QVERIFY(!bar->isVisible());
    MainWindow next;
    next.show();
    QVERIFY(!child<QFrame>(next, "protectionBar")->isVisible());
    QCOMPARE(QSettings().value("General/upgradedismissed").toStringList(),
             QStringList(WalletDatabase::instance()->walletId()));
    QSettings().remove("General/upgradedismissed");
}

void TestMainWindow::backupAsksForAFolderFirst()
{
    QSettings().remove("backup/backup_path");
    MainWindow window;
    ModalDriver driver;
    driver.expectMessage(false);
    window.findChild<QAction*>("actionBackup")->trigger();
    QVERIFY(driver.allAnswered());
    QCOMPARE(driver.seenTitles(), QStringList("Backup folder is not set yet"));

    // A folder that has vanished counts as none.
    QSettings().setValue("backup/backup_path", "/nonexistent/backups");
    driver.expectMessage(false);
    window.findChild<QAction*>("actionRestore")->trigger();
    QVERIFY(driver.allAnswered());
    QCOMPARE(driver.seen().size(), 2);
    QSettings().clear();
}

void TestMainWindow::backupWritesAnArchive()
{
    QTemporaryDir folder;
    QSettings().setValue("backup/backup_path", folder.path());
    MainWindow window;
    ModalDriver driver;
    driver.expectMessage();
    window.findChild<QAction*>("actionBackup")->trigger();
    QCOMPARE(driver.seen().last().title, QStringLiteral("Backup file successfully created"));
    QCOMPARE(driver.seen().last().text,
             "The backup was successfully saved in your backup folder '" + folder.path() + "'");
    QCOMPARE(QDir(folder.path()).entryList({"kvrb-*-manual.zip"}).size(), 1);
    QSettings().clear();
}

void TestMainWindow::importRestoresLocksAndUnlocks()
{
    QTemporaryDir folder;
    QSettings().setValue("backup/backup_path", folder.path());
    // A backup of another wallet, made under another password.
    WalletDatabase::instance()->close();
    QFile::rename(WalletDatabase::databaseFilePath(), WalletDatabase::databaseFilePath() + ".mine");
    openWalletDatabase();
    WalletDatabase::instance()->initialiseWallet("other password");
    WalletDatabase::instance()->addItem({}, RootItemId, "From the backup", "key", false);
    QVERIFY(!makeBackupArchive(BackupManual).isEmpty());
    const QString archive = folder.filePath(QDir(folder.path()).entryList({"kvrb-*"}).first());
    const QString moved = QDir::tempPath() + "/kelvaron-import-test.zip";
    QFile::remove(moved);
    QVERIFY(QFile::rename(archive, moved));
    WalletDatabase::instance()->close();
    QFile::remove(WalletDatabase::databaseFilePath());
    QFile::rename(WalletDatabase::databaseFilePath() + ".mine", WalletDatabase::databaseFilePath());
    openWalletDatabase();
    QVERIFY(WalletDatabase::instance()->checkPassword(Password));

    MainWindow window;
    window.show();
    ModalDriver driver;
    driver.expect("QFileDialog", [moved](QWidget* dialog) {
        auto* files = static_cast<QFileDialog*>(dialog);
        files->selectFile(moved);
        static_cast<QDialog*>(files)->accept();
    });
    driver.expectMessage(true);      // yes, replace the wallet
    driver.expectPassword(Password); // the old password no longer opens it
    driver.expectMessage();
    driver.expectPassword("other password");
    window.findChild<QAction*>("actionImport")->trigger();
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QVERIFY(!window.isLocked());
    QVERIFY(listTexts(window).contains("From the backup"));
    QCOMPARE(QDir(folder.path()).entryList({"kvrb-*-restore.zip"}).size(), 1);
    QFile::remove(moved);
    QSettings().clear();
}

void TestMainWindow::failedImportIsReported()
{
    QTemporaryDir folder;
    QSettings().setValue("backup/backup_path", folder.path());
    const QString notZip = writeTextFile(folder.filePath("notes.zip"));
    MainWindow window;
    ModalDriver driver;
    driver.expect("QFileDialog", [notZip](QWidget* dialog) {
        auto* files = static_cast<QFileDialog*>(dialog);
        files->selectFile(notZip);
        static_cast<QDialog*>(files)->accept();
    });
    driver.expectMessage();
    window.findChild<QAction*>("actionImport")->trigger();
    QVERIFY(driver.allAnswered());
    QCOMPARE(driver.seen().last().title, QStringLiteral("Import cancelled"));
    QVERIFY(!window.isLocked());
    QVERIFY(WalletDatabase::instance()->checkPassword(Password));
    QSettings().clear();
}

void TestMainWindow::copyKeyCopiesTheSecretValue()
{
    MainWindow window;
    window.show();
    QVERIFY(window.selectTreeItem(m_wallet.card));
    // The label column is current: the value is copied all the same.
    list(window)->setCurrentItem(list(window)->topLevelItem(2), 0);
    list(window)->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(list(window), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1234"));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat("x-kde-passwordManagerHint"));
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Copied; the clipboard clears in 10 s"));
    window.findChild<QAction*>("actionLock")->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
}

void TestMainWindow::secretsMaskedUntilShown()
{
    WalletDatabase* db = WalletDatabase::instance();
    QVERIFY(db->saveField("PASS", "a long password of many letters", m_wallet.inner, {}));
    QVERIFY(db->saveField("SANS", "Rex", m_wallet.inner, {}));
    QVERIFY(db->saveField("USER", "jane", m_wallet.inner, {}));
    const QString dots(8, QChar(0x25CF));
    const QStringList masked = {"Password=" + dots, "Secret answer=" + dots, "User name=jane"};
    const QStringList shown = {"Password=a long password of many letters", "Secret answer=Rex",
                               "User name=jane"};
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* eye = window.findChild<QAction*>("actionShowSecrets");
    QVERIFY(window.selectTreeItem(m_wallet.inner));
    // The same run of dots whatever the secret's length.
    QCOMPARE(listTexts(window), masked);

    // Ctrl+H shows this item's secrets, and again hides them.
    QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(eye->isChecked());
    QCOMPARE(listTexts(window), shown);
    QTest::keyClick(&window, Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(listTexts(window), masked);

    // Shown for the open item only: another item, then back, masks again.
    eye->trigger();
    QCOMPARE(listTexts(window), shown);
    QVERIFY(window.selectTreeItem(m_wallet.card));
    QVERIFY(!eye->isChecked());
    QCOMPARE(listTexts(window).last(), "PIN code=" + dots);
    QVERIFY(window.selectTreeItem(m_wallet.inner));
    QCOMPARE(listTexts(window), masked);

    // A folder has no secrets to show; a lock masks them again.
    QVERIFY(window.selectTreeItem(m_wallet.banking));
    QVERIFY(!eye->isEnabled());
    QVERIFY(window.selectTreeItem(m_wallet.inner));
    eye->trigger();
    window.findChild<QAction*>("actionLock")->trigger();
    QVERIFY(!eye->isChecked());
    ModalDriver driver;
    driver.expectPassword(Password);
    child<QPushButton>(window, "unlockButton")->click();
    QCOMPARE(current(window), m_wallet.inner);
    QCOMPARE(listTexts(window), masked);
}

void TestMainWindow::deleteQuestionsDefaultToNo_data()
{
    QTest::addColumn<bool>("field");
    QTest::newRow("an item") << false;
    QTest::newRow("a field") << true;
}

void TestMainWindow::deleteQuestionsDefaultToNo()
{
    QFETCH(bool, field);
    MainWindow window;
    QVERIFY(window.selectTreeItem(field ? m_wallet.card : m_wallet.banking));
    selectListRow(window, field ? 2 : 1); // PIN code, or the card item
    if (field)                            // the field's time is shown while it is chosen
        QVERIFY(!window.statusBar()->currentMessage().isEmpty());
    const QStringList before = listTexts(window);

    // Enter answers the question with its default, which must be No; the
    // picture is the question, not the stop hand kept for errors.
    ModalDriver driver;
    QString picture;
    driver.expect("KVCustomMessage", [&picture](QWidget* box) {
        picture = box->findChild<QGraphicsView*>("graphicsView")->property("picture").toString();
        QTest::keyClick(box, Qt::Key_Return);
    });
    child<QPushButton>(window, "deleteButton")->click();
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(picture, QStringLiteral(":/toolbar_icons/icons/question.png"));
    QCOMPARE(driver.seen().last().title,
             field ? QStringLiteral("PIN code") : QStringLiteral("Credit card sample"));
    QCOMPARE(listTexts(window), before);
    QCOMPARE(WalletDatabase::instance()->listFields(m_wallet.card).size(), 3);

    // Yes deletes; no time of the deleted field stays behind.
    driver.expectMessage(true);
    child<QPushButton>(window, "deleteButton")->click();
    QVERIFY(driver.allAnswered());
    QCOMPARE(listTexts(window).size(), before.size() - 1);
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
}

void TestMainWindow::placeIsKeptAcrossRefreshAndUnlock()
{
    MainWindow window;
    window.show();
    const auto row = [&window](const QString& id) {
        for (QTreeWidgetItemIterator it(tree(window)); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == id)
                return *it;
        return static_cast<QTreeWidgetItem*>(nullptr);
    };
    row(m_wallet.banking)->setExpanded(true);
    row(m_wallet.deep)->setExpanded(true);
    QVERIFY(window.selectTreeItem(m_wallet.inner));
    const auto checkPlace = [&] {
        QCOMPARE(current(window), m_wallet.inner);
        QVERIFY(row(m_wallet.banking)->isExpanded());
        QVERIFY(row(m_wallet.deep)->isExpanded());
        QVERIFY(!row(m_wallet.empty)->isExpanded());
    };

    // A change rebuilds the tree: a field added to the item.
    ModalDriver driver;
    driver.expect("KVFieldEdit", [](QWidget* editor) {
        auto* combo = editor->findChild<QComboBox*>("comboBox");
        combo->setCurrentIndex(combo->findData("USER"));
        editor->findChild<QLineEdit*>("lineEditValue")->setText("jane");
        ModalDriver::pressStandard(editor, QDialogButtonBox::Ok);
    });
    child<QPushButton>(window, "addButton")->click();
    QVERIFY(driver.allAnswered());
    checkPlace();

    window.findChild<QAction*>("actionLock")->trigger();
    QCOMPARE(tree(window)->topLevelItemCount(), 0);
    driver.expectPassword(Password);
    child<QPushButton>(window, "unlockButton")->click();
    QVERIFY(driver.allAnswered());
    checkPlace();
}

void TestMainWindow::addressShownWhenNoBrowserOpens_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("address");
    QTest::newRow("Website") << "actionWebsite" << QString();
    QTest::newRow("Send feedback") << "actionSend_feedback"
                                   << "/feedback";
}

void TestMainWindow::addressShownWhenNoBrowserOpens()
{
    QFETCH(QString, action);
    QFETCH(QString, address);
    // The offscreen platform opens no browser.
    MainWindow window;
    ModalDriver driver;
    driver.expectMessage();
    window.findChild<QAction*>(action)->trigger();
    QVERIFY(driver.allAnswered());
    QCOMPARE(driver.seen().last().text, QStringLiteral("Open this address in your web browser:\n") +
                                            QStringLiteral(KELVARON_WEBSITE) + address);
}

void TestMainWindow::shortcutsTriggerTheirCommands_data()
{
    // What is shown: "root", "folder" (Banking) or "field" (the card, a row
    // chosen). What follows: a command that triggers, or what Ctrl+F and
    // Ctrl+C do in the list.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("action");
    const QList<QStringList> rows = {{"Ctrl+F", "root", "search box"},
                                     {"Ctrl+L", "root", "actionLock"},
                                     {"Ctrl+C", "field", "clipboard"},
                                     {"Del", "field", "actionDelete"},
                                     {"F2", "field", "actionEdit"},
                                     {"Backspace", "folder", "actionUp"},
                                     {"Alt+Up", "folder", "actionUp"},
                                     {"Ctrl+N", "root", "actionNewItem"},
                                     {"Ctrl+Shift+N", "root", "actionNewFolder"},
                                     {"Ctrl+B", "root", "actionBackup"},
                                     {"Ctrl+Q", "root", "actionQuit"},
                                     {"Ctrl+H", "field", "actionShowSecrets"}};
    for (const QStringList& row : rows)
        QTest::newRow(qPrintable(row[0])) << row[0] << row[1] << row[2];
}

void TestMainWindow::shortcutsTriggerTheirCommands()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QString, action);
    MainWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    if (shown != "root")
        QVERIFY(window.selectTreeItem(shown == "folder" ? m_wallet.banking : m_wallet.card));
    list(window)->setFocus();
    if (shown == "field")
        selectListRow(window, 1);
    // Whatever the command opens is answered by closing it.
    ModalDriver driver;
    QApplication::clipboard()->clear();
    QAction* command = window.findChild<QAction*>(action);
    QSignalSpy triggered(command ? command : new QAction(&window), &QAction::triggered);
    // A real quit would end every later event loop of the test process.
    if (action == "actionQuit")
        command->disconnect(&window);
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
    if (action == "search box") {
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("searchBox"));
    } else if (action == "clipboard") {
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1234 5678 9012 3456"));
    } else {
        QCOMPARE(triggered.count(), 1);
        // Shortcuts are named in the commands' tooltips.
        QVERIFY2(
            command->toolTip().contains(command->shortcut().toString(QKeySequence::NativeText)),
            qPrintable(command->toolTip()));
    }
    if (action == "actionUp")
        QCOMPARE(current(window), RootItemId);
}

void TestMainWindow::moveToMovesOrSaysWhy()
{
    MainWindow window;
    // The sample card moves from Banking to the root through the picker.
    QVERIFY(window.selectTreeItem(m_wallet.card));
    ModalDriver driver;
    QStringList offered;
    driver.expect("MoveToDialog", [&offered](QWidget* dialog) {
        auto* folders = dialog->findChild<QTreeWidget*>("treeFolders");
        for (QTreeWidgetItemIterator it(folders); *it; ++it)
            offered.append((*it)->text(0));
        folders->setCurrentItem(folders->topLevelItem(0));
        ModalDriver::click(dialog, "pushButtonMove");
    });
    window.findChild<QAction*>("actionMoveTo")->trigger();
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(offered, QStringList({"Kelvaron", "Banking", "Deep", "Empty"}));
    QCOMPARE(WalletDatabase::instance()->getParentId(m_wallet.card), RootItemId);
    QCOMPARE(current(window), m_wallet.card);

    // A folder is never offered a place inside itself; where it is already,
    // nothing is written and nothing asked.
    QVERIFY(window.selectTreeItem(m_wallet.banking));
    driver.expect("MoveToDialog", [&offered](QWidget* dialog) {
        auto* folders = dialog->findChild<QTreeWidget*>("treeFolders");
        offered.clear();
        for (QTreeWidgetItemIterator it(folders); *it; ++it)
            offered.append((*it)->text(0));
        ModalDriver::click(dialog, "pushButtonMove");
    });
    window.findChild<QAction*>("actionMoveTo")->trigger();
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(offered, QStringList({"Kelvaron", "Empty"}));
    QCOMPARE(WalletDatabase::instance()->getParentId(m_wallet.banking), RootItemId);
}

void TestMainWindow::contextMenuIsTheEditMenu()
{
    MainWindow window;
    window.show();
    QVERIFY(window.selectTreeItem(m_wallet.card));
    selectListRow(window, 0);
    QStringList enabled;
    QTimer::singleShot(0, [&enabled] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->isEnabled() && !action->isSeparator())
                enabled.append(action->objectName());
        menu->close();
    });
    emit list(window)->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(enabled, QStringList({"actionNewField", "actionEdit", "actionDelete",
                                   "actionCopyValue", "actionMoveTo", "actionUp"}));
}

namespace {

QTreeWidgetItem* rowOf(QTreeWidget* view, const QString& id)
{
    for (QTreeWidgetItemIterator it(view); *it; ++it)
        if ((*it)->data(0, ItemTreeWidget::IdRole).toString() == id)
            return *it;
    return nullptr;
}

// What the view itself puts into a drag of row (which becomes current).
std::unique_ptr<QMimeData> dragOf(QTreeWidget* view, QTreeWidgetItem* row)
{
    view->setCurrentItem(row);
    return std::unique_ptr<QMimeData>(view->model()->mimeData({view->currentIndex()}));
}

} // namespace

void TestMainWindow::dropOntoAFolderMovesWhatWasDragged()
{
    MainWindow window;
    auto* tree = window.findChild<ItemTreeWidget*>("treeWidget");
    auto* rows = window.findChild<ItemTreeWidget*>("listWidget");
    // "Read me" dragged from the list onto the folder Empty in the tree.
    std::unique_ptr<QMimeData> drag = dragOf(rows, rowOf(rows, m_wallet.readMe));
    QVERIFY(drag && drag->hasFormat(ItemTreeWidget::MimeType));
    const int nodes = tree->topLevelItem(0)->childCount();
    QVERIFY(!tree->dropMimeData(rowOf(tree, m_wallet.empty), 0, drag.get(), Qt::MoveAction));
    QTRY_COMPARE(WalletDatabase::instance()->getParentId(m_wallet.readMe), m_wallet.empty);
    // The view inserted nothing of its own: it shows the store's tree.
    QCOMPARE(tree->topLevelItem(0)->childCount(), nodes - 1);
    QCOMPARE(rowOf(tree, m_wallet.readMe)->parent(), rowOf(tree, m_wallet.empty));

    // A folder dropped into a folder of its own says why it does not move.
    ModalDriver driver;
    driver.expectMessage();
    drag = dragOf(tree, rowOf(tree, m_wallet.banking));
    tree->dropMimeData(rowOf(tree, m_wallet.deep), 0, drag.get(), Qt::MoveAction);
    QTRY_VERIFY(driver.allAnswered());
    QCOMPARE(driver.seenTitles(), QStringList("Not moved"));
    QCOMPARE(WalletDatabase::instance()->getParentId(m_wallet.banking), RootItemId);
    // The root is never dragged; a field row neither.
    QVERIFY(!dragOf(tree, tree->topLevelItem(0)));
    QVERIFY(window.selectTreeItem(m_wallet.card));
    QVERIFY(!rows->dragEnabled());
}

void TestMainWindow::trayOnlyWhereThereIsOne()
{
    QSettings().setValue("General/showintray", true);
    {
        MainWindow window;
        window.show();
        QCOMPARE(window.isTrayIconVisible(), QSystemTrayIcon::isSystemTrayAvailable());
        // Without a tray icon, closing closes, as it always did.
        if (!window.isTrayIconVisible()) {
            QVERIFY(window.close());
            QVERIFY(!window.isVisible());
        } else {
            QVERIFY(!window.close());
            QVERIFY(!window.isVisible());
            QVERIFY(QSettings().value("General/traynoticeshown").toBool());
        }
    }
    QSettings().remove("General/showintray");
    MainWindow window;
    QVERIFY(!window.isTrayIconVisible());
}

void TestMainWindow::windowGrowsAndComesBack()
{
    QSettings().remove("General/geometry");
    QSettings().remove("General/splitter");
    // Without the protection bar, which adds its own height above the form.
    QSettings().setValue("General/upgradedismissed",
                         QStringList(WalletDatabase::instance()->walletId()));
    QSize grown;
    int treeWidth = 0;
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The form's size is about where it starts, and exactly the smallest.
        QVERIFY(window.centralWidget()->width() >= 633 && window.centralWidget()->width() < 640);
        QVERIFY(window.centralWidget()->height() >= 320 && window.centralWidget()->height() < 330);
        const QSize start = window.size();
        window.resize(300, 200);
        QTRY_COMPARE(window.centralWidget()->size(), QSize(633, 320));
        QTreeWidget* tree = window.findChild<QTreeWidget*>("treeWidget");
        const QSize treeBefore = tree->size();
        const QSize listBefore = list(window)->size();
        grown = start + QSize(300, 200);
        window.resize(grown);
        QTRY_VERIFY(tree->height() > treeBefore.height());
        QVERIFY(tree->width() > treeBefore.width());
        QVERIFY(list(window)->width() > listBefore.width());
        QVERIFY(list(window)->height() > listBefore.height());
        // The buttons keep their size at the panel's edge.
        QCOMPARE(child<QPushButton>(window, "copyButton")->size(), QSize(31, 32));
        auto* splitter = window.findChild<QSplitter*>("splitter");
        splitter->setSizes({350, splitter->sizes().at(1) + tree->width() - 350});
        treeWidth = tree->width();
        QVERIFY(window.close());
    }
    // The next start comes back at that size, with the splitter where it was.
    MainWindow again;
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.size(), grown);
    QCOMPARE(again.findChild<QTreeWidget*>("treeWidget")->width(), treeWidth);
    QSettings().remove("General/geometry");
    QSettings().remove("General/splitter");
    QSettings().remove("General/upgradedismissed");
}

void TestMainWindow::tabFollowsTheWindow()
{
    // The tree, the list, then the buttons top to bottom.
    MainWindow window;
    QCOMPARE(tabOrderAfter(window.findChild<QWidget*>("treeWidget"), 7),
             QStringList({"listWidget", "folderUpButton", "addButtonFolder", "addButton",
                          "deleteButton", "editButton", "copyButton"}));
}

void TestMainWindow::tabIntoTheListChoosesARow()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.selectTreeItem(m_wallet.card));
    tree(window)->setFocus();
    QVERIFY(list(window)->selectedItems().isEmpty());
    QTest::keyClick(tree(window), Qt::Key_Tab);
    QVERIFY(list(window)->hasFocus());
    QCOMPARE(list(window)->selectedItems().size(), 1);
    QVERIFY(enabled(window, "copyButton"));
    // Ctrl+C and Enter act on it at once.
    QTest::keyClick(list(window), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("John Smith"));
    ModalDriver driver;
    driver.expect("KVFieldEdit", [](QWidget* editor) {
        ModalDriver::pressStandard(editor, QDialogButtonBox::Cancel);
    });
    QTest::keyClick(list(window), Qt::Key_Return);
    QVERIFY(driver.allAnswered());
    window.close();
}

KELVARON_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
