#include "idlelock.h"
#include "lockcloser.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "privatebus.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <memory>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

// A lock always wins: the screen saver, sleep, the idle timeout and Lock
// itself close whatever dialog is open, without saving it, and lock at once.
class TestLockCloser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void lockClosesWhatIsOpen_data();
    void lockClosesWhatIsOpen();
    void dialogsOpenedWhileClosingAreClosedToo();
    void lockOverwritesWhatTheWindowShowed();

private:
    std::unique_ptr<PrivateBus> m_bus;
};

namespace {

const QString Password = QStringLiteral("pw");

QString cardId()
{
    WalletDatabase* db = WalletDatabase::instance();
    return db->listChildren(db->listChildren(RootItemId).first().itemId).first().itemId;
}

// What the card holds, read from the file itself once the window is locked.
QStringList cardFields(const QString& card)
{
    if (!openWalletDatabase() || !WalletDatabase::instance()->checkPassword(Password))
        return {QStringLiteral("the wallet did not open")};
    QStringList values;
    for (const FieldRecord& field : WalletDatabase::instance()->listFields(card))
        values.append(field.value);
    return values;
}

} // namespace

void TestLockCloser::initTestCase()
{
    // The window listens to this bus as it would to the desktop's own.
    m_bus = std::make_unique<PrivateBus>();
    if (m_bus->isUp()) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toUtf8());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_bus->address().toUtf8());
    }
}

void TestLockCloser::cleanup()
{
    QCOMPARE(openTopLevelWindows(), QStringList());
}

void TestLockCloser::lockClosesWhatIsOpen_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("opened");
    QTest::newRow("screen saver, field editor") << "screen saver"
                                                << "field editor";
    QTest::newRow("idle timeout, field editor") << "idle"
                                                << "field editor";
    QTest::newRow("Lock from the tray, field editor") << "lock"
                                                      << "field editor";
    QTest::newRow("screen saver, delete question") << "screen saver"
                                                   << "delete question";
}

void TestLockCloser::lockClosesWhatIsOpen()
{
    QFETCH(QString, cause);
    QFETCH(QString, opened);
    if (cause == QLatin1String("screen saver") && !m_bus->isUp())
        QSKIP("no dbus-daemon on this machine");
    freshWallet(Password);
    const QString card = cardId();
    const QStringList before = cardFields(card);
    MainWindow window;
    window.show();
    QVERIFY(window.selectTreeItem(card));
    QVERIFY(window.findChild<QTreeWidget*>("listWidget")->topLevelItemCount() > 0);
    window.findChild<QTreeWidget*>("listWidget")
        ->setCurrentItem(window.findChild<QTreeWidget*>("listWidget")->topLevelItem(0));

    ModalDriver driver;
    const auto lockNow = [&](QWidget* dialog) {
        if (auto* combo = dialog->findChild<QComboBox*>("comboBox")) {
            // The user is typing a new note: it must not be saved.
            combo->setCurrentIndex(combo->findData("NOTE"));
            dialog->findChild<QPlainTextEdit*>("plainTextEdit")->setPlainText("half typed");
        }
        if (cause == QLatin1String("screen saver"))
            QVERIFY(m_bus->emitSignal("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                      "org.freedesktop.ScreenSaver", "ActiveChanged", {true},
                                      QDBusConnection::sessionBus()));
        else if (cause == QLatin1String("idle"))
            window.findChild<QTimer*>("lockTimer")->start(0);
        else
            window.findChild<QAction*>("actionLock")->trigger();
    };
    if (opened == QLatin1String("field editor")) {
        driver.expect("KVFieldEdit", lockNow);
        window.findChild<QPushButton*>("addButton")->click();
    } else {
        driver.expect("KVCustomMessage", lockNow);
        window.findChild<QPushButton*>("deleteButton")->click();
    }
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    // Closed, locked, and nothing of it written.
    QVERIFY(window.isLocked());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(cardFields(card), before);

    // After unlock the user is told what was closed.
    driver.expectPassword(Password);
    window.findChild<QPushButton*>("unlockButton")->click();
    QVERIFY(!window.isLocked());
    const QString message = window.statusBar()->currentMessage();
    if (opened == QLatin1String("field editor"))
        QVERIFY2(message.contains("the field editor was open: it was closed without saving"),
                 qPrintable(message));
    else
        QVERIFY2(message.isEmpty(), qPrintable(message));
    window.close();
}

void TestLockCloser::dialogsOpenedWhileClosingAreClosedToo()
{
    // Code that unwinds from a closed dialog and opens another one finds it
    // closed as soon as it runs, until the lock has happened.
    LockCloser closer(nullptr);
    QDialog outer;
    QTimer::singleShot(0, &outer, [&] {
        QVERIFY(closer.closeAll().isEmpty());
        QVERIFY(!outer.isVisible());
    });
    QCOMPARE(outer.exec(), int(QDialog::Rejected));
    QDialog after;
    QCOMPARE(after.exec(), int(QDialog::Rejected));
    closer.finish();
    QDialog later;
    QTimer::singleShot(0, &later, &QDialog::accept);
    QCOMPARE(later.exec(), int(QDialog::Accepted));
}

void TestLockCloser::lockOverwritesWhatTheWindowShowed()
{
    freshWallet(Password);
    const QString card = cardId();
    MainWindow window;
    window.show();
    QVERIFY(window.selectTreeItem(card));
    auto* list = window.findChild<QTreeWidget*>("listWidget");
    // Copies that share the characters the views hold: the card's number
    // in the list and its name in the tree and the header.
    const QString number = list->topLevelItem(1)->text(1);
    const QString name = window.findChild<QTreeWidget*>("treeWidget")->currentItem()->text(0);
    const QString header = window.findChild<QLabel*>("lineEdit")->text();
    QCOMPARE(number, QStringLiteral("1234 5678 9012 3456"));
    QCOMPARE(name, QStringLiteral("Credit card sample"));
    window.lockWindow();
    for (const QString& text : {number, name, header})
        QCOMPARE(text, QString(text.size(), QChar(0)));
    QCOMPARE(list->topLevelItemCount(), 0);
    window.close();
}

KELVARON_TEST_MAIN(TestLockCloser)
#include "tst_lockcloser.moc"
