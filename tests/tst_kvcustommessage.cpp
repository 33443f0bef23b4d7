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

void TestKVCustomMessage::oneLineKeepsDesignedSize()
{
    KVCustomMessage box(nullptr);
    box.setupMessage(QStringLiteral("Title"), QStringLiteral("Short text"), false, 0);
    QCOMPARE(box.size(), QSize(418, 120));
    QCOMPARE(box.findChild<QDialogButtonBox*>("buttonBox")->geometry().y(), 85);
    QCOMPARE(box.findChild<QLabel*>("labelTitle")->text(), QStringLiteral("Title"));
}

void TestKVCustomMessage::longTextGrowsDownwards()
{
    KVCustomMessage box(nullptr);
    const QString text =
        QStringLiteral("You are going to delete the item and it will not be possible "
                       "to restore it and its fields. ")
            .repeated(4);
    box.setupMessage(QStringLiteral("Title"), text, true, 1);
    auto* label = box.findChild<QLabel*>("labelText");
    const int grown = label->height() - 51;
    QVERIFY(grown > 0);
    QCOMPARE(box.height(), 120 + grown);
    QCOMPARE(box.width(), 418);
    QCOMPARE(box.findChild<QDialogButtonBox*>("buttonBox")->geometry(),
             QRect(10, 85 + grown, 401, 32));
    QCOMPARE(label->width(), 320);
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
    QCOMPARE(box.pos(), QPoint(screen.width() / 2 - 418 / 2, screen.height() / 2 - 120 / 2));
    QWidget parent;
    KVCustomMessage child(&parent);
    child.move(3, 4);
    child.setupMessage(QStringLiteral("T"), QStringLiteral("X"), false, 0);
    QCOMPARE(child.pos(), QPoint(3, 4));
}

KELVARON_TEST_MAIN(TestKVCustomMessage)
#include "tst_kvcustommessage.moc"
