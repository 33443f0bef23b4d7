#include "interfacelanguage.h"
#include "startup.h"
#include "testenvironment.h"

#include <QSettings>
#include <QtTest>

// Runs with the system locale ru_RU (set for the test by CTest).
class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void russianSystemLoadsTheRussianCatalogue();
    void choiceOverridesTheSystem_data();
    void choiceOverridesTheSystem();
};

void TestLanguage::russianSystemLoadsTheRussianCatalogue()
{
    QSettings().remove("General/language");
    QCOMPARE(QLocale::system().name(), QStringLiteral("ru_RU"));
    QCOMPARE(QCoreApplication::translate("", "Banking"), QStringLiteral("Banking"));
    configureApplication(*qApp);
    QCOMPARE(QCoreApplication::translate("", "Banking"), QString::fromUtf8("Банки"));
}

void TestLanguage::choiceOverridesTheSystem_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("code");
    QTest::newRow("system, Russian") << "system"
                                     << "ru_RU"
                                     << "ru";
    QTest::newRow("system, English") << "system"
                                     << "en_GB"
                                     << "en";
    QTest::newRow("system, German: English") << "system"
                                             << "de_DE"
                                             << "en";
    QTest::newRow("nothing chosen, Russian") << ""
                                             << "ru_RU"
                                             << "ru";
    QTest::newRow("English on a Russian system") << "en"
                                                 << "ru_RU"
                                                 << "en";
    QTest::newRow("Russian on an English system") << "ru"
                                                  << "en_US"
                                                  << "ru";
    QTest::newRow("an unknown choice") << "xx"
                                       << "ru_RU"
                                       << "ru";
}

void TestLanguage::choiceOverridesTheSystem()
{
    QFETCH(QString, chosen);
    QFETCH(QString, system);
    QFETCH(QString, code);
    if (chosen.isEmpty())
        QSettings().remove("General/language");
    else
        QSettings().setValue("General/language", chosen);
    QCOMPARE(interfaceLanguageCode(QLocale(system)), code);
}

KELVARON_TEST_MAIN(TestLanguage)
#include "tst_language.moc"
