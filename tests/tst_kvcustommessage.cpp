#include "kvcustommessage.h"
#include "modaldriver.h"
#include "testenvironment.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestKVCustomMessage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY2(openTopLevelWindows().isEmpty(), qPrintable(openTopLevelWindows().join(',')));
    }
    void oneLineKeepsDesignedSize();
    void longTextGrowsDownwards();
    void answers_data();
    void answers();
    void parentlessBoxIsCentred();
};

namespace {

// Every line of both labels fits, descenders included, and the buttons sit
// below the text inside the box.
void checkFits(KVCustomMessage& box)
{
    auto* title = box.findChild<QLabel*>("labelTitle");
    auto* text = box.findChild<QLabel*>("labelText");
    auto* buttons = box.findChild<QDialogButtonBox*>("buttonBox");
    QVERIFY(title->height() >= title->heightForWidth(title->width()));
    QVERIFY(title->height() >= title->fontMetrics().height() + 2 * title->margin());
    QVERIFY(text->height() >= text->heightForWidth(text->width()));
    QVERIFY(text->y() >= title->geometry().bottom());
    QVERIFY(buttons->y() >= text->geometry().bottom());
    QVERIFY(buttons->geometry().bottom() < box.height());
    QCOMPARE(box.width(), 418);
}

} // namespace

void TestKVCustomMessage::oneLineKeepsDesignedSize()
{
    KVCustomMessage box(nullptr);
    box.setupMessage(QStringLiteral("Wrong password"), QStringLiteral("Short text"), false, 0);
    checkFits(box);
    // A short message keeps the designed height, or grows only by what its
    // font needs beyond it.
    QVERIFY(box.height() >= 120);
    QVERIFY(box.height() <= 120 + box.findChild<QLabel*>("labelTitle")->fontMetrics().height());
    QCOMPARE(box.findChild<QLabel*>("labelTitle")->text(), QStringLiteral("Wrong password"));
}

void TestKVCustomMessage::longTextGrowsDownwards()
{
    KVCustomMessage shortBox(nullptr);
    shortBox.setupMessage(QStringLiteral("Title"), QStringLiteral("Short"), true, 1);
    KVCustomMessage box(nullptr);
    const QString text =
        QStringLiteral("You are going to delete the item and it will not be possible "
                       "to restore it and its fields. ")
            .repeated(4);
    box.setupMessage(QStringLiteral("Title"), text, true, 1);
    checkFits(box);
    auto* label = box.findChild<QLabel*>("labelText");
    const int grown = label->height() - shortBox.findChild<QLabel*>("labelText")->height();
    QVERIFY(grown > 0);
    QCOMPARE(box.height(), shortBox.height() + grown);
    QCOMPARE(label->width(), 320);

    // A long title wraps instead of running out of the box.
    KVCustomMessage longTitle(nullptr);
    longTitle.setupMessage(QStringLiteral("A very long item name ").repeated(5), text, true, 1);
    checkFits(longTitle);
    QVERIFY(longTitle.height() > box.height());
}

void TestKVCustomMessage::answers_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK") << 0 << true << true;
    QTest::newRow("Yes") << 1 << true << true;
    QTest::newRow("No") << 1 << false << false;
}

void TestKVCustomMessage::answers()
{
    QFETCH(int, buttons);
    QFETCH(bool, accept);
    QFETCH(bool, accepted);
    ModalDriver driver;
    driver.expectMessage(accept);
    QCOMPARE(KVCustomMessage::ask(QStringLiteral("T"), QStringLiteral("X"), false, buttons),
             accepted);
    QVERIFY(driver.allAnswered());
    QCOMPARE(driver.seen().at(0).title, QStringLiteral("T"));
}

void TestKVCustomMessage::parentlessBoxIsCentred()
{
    KVCustomMessage box(nullptr);
    box.setupMessage(QStringLiteral("T"), QStringLiteral("X"), false, 0);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(box.pos(),
             QPoint(screen.width() / 2 - 418 / 2, screen.height() / 2 - box.height() / 2));
    QWidget parent;
    KVCustomMessage child(&parent);
    child.move(3, 4);
    child.setupMessage(QStringLiteral("T"), QStringLiteral("X"), false, 0);
    QCOMPARE(child.pos(), QPoint(3, 4));
}

KELVARON_TEST_MAIN(TestKVCustomMessage)
#include "tst_kvcustommessage.moc"
