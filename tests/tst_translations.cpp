#include "kvfirststart.h"
#include "mainwindow.h"
#include "startup.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QtTest>

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void labelsAndSampleContentInRussian();
    void dialogsInRussian();
};

void TestTranslations::initTestCase()
{
    QVERIFY(QFile::exists(":/translations/kelvaron_ru.qm"));
    loadTranslation(*qApp, QStringLiteral("ru"));
    QCOMPARE(QCoreApplication::translate("", "Banking"), QString::fromUtf8("Банки"));
}

void TestTranslations::labelsAndSampleContentInRussian()
{
    QFile::remove(WalletDatabase::databaseFilePath());
    QVERIFY(openWalletDatabase());
    WalletDatabase::instance()->initialiseWallet("pw");
    QCOMPARE(WalletDatabase::instance()->getLabel("MAIL").labelName,
             QString::fromUtf8("Эл. почта"));
    QCOMPARE(WalletDatabase::instance()->getLabel("PINC").labelName, QString::fromUtf8("PIN-код"));
    const QList<ItemRecord> top = WalletDatabase::instance()->listChildren(RootItemId);
    QCOMPARE(top.at(0).name, QString::fromUtf8("Банки"));
    QCOMPARE(top.at(1).name, QString::fromUtf8("Прочти меня"));
}

void TestTranslations::dialogsInRussian()
{
    KVFirstStart first(nullptr);
    QCOMPARE(first.findChild<QComboBox*>()->itemText(0),
             QString::fromUtf8("Создать новую базу паролей"));
    QCOMPARE(first.findChild<QLabel*>("labelMain")->text(),
             QString::fromUtf8("Новый мастер-пароль"));
    MainWindow window;
    QCOMPARE(window.findChild<QAction*>("actionLock")->text(), QString::fromUtf8("За&блокировать"));
    QCOMPARE(window.findChild<QAction*>("pinAction")->text(), QString::fromUtf8("Закрепить"));
}

KELVARON_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
