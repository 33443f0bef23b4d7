#include "passwordgenerator.h"
#include "settingskeys.h"
#include "testenvironment.h"

#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QtTest>

namespace {

PasswordGenerator::Settings defaults()
{
    PasswordGenerator::Settings s;
    s.specialSymbols = SettingsKeys::SpecialSymbolsDefault;
    return s;
}

} // namespace

class TestPasswordGenerator : public QObject
{
    Q_OBJECT

private slots:
    void defaultsGiveEightLettersAndDigits();
    void smartKeepsTheShape_data();
    void smartKeepsTheShape();
    void emptyCases_data();
    void emptyCases();
    void classWeights();
    void pressesDiffer();
    void everyEnabledClassIsPresent_data();
    void everyEnabledClassIsPresent();
    void storedSettingsAndTheirDefaults();
    void storedLengthIsBounded_data();
    void storedLengthIsBounded();
};

void TestPasswordGenerator::defaultsGiveEightLettersAndDigits()
{
    const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9]{8}$"));
    for (int i = 0; i < 300; ++i) {
        const QString password = PasswordGenerator::generate(defaults(), QString());
        QVERIFY2(allowed.match(password).hasMatch(), qPrintable(password));
    }
}

void TestPasswordGenerator::smartKeepsTheShape_data()
{
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<QString>("symbols");
    QTest::addColumn<QString>("shape"); // per character: a small, A capital, 9 digit, ! symbol
    QTest::newRow("mixed") << "Ab3!x"
                           << "!#$"
                           << "Aa9!a";
    QTest::newRow("symbol not in the set") << "Ab3!x"
                                           << "#$"
                                           << "Aa9aa";
    QTest::newRow("blank and accented letter") << QString::fromUtf8("x é") << "!"
                                               << "aaa";
}

void TestPasswordGenerator::smartKeepsTheShape()
{
    QFETCH(QString, templateText);
    QFETCH(QString, symbols);
    QFETCH(QString, shape);
    PasswordGenerator::Settings s = defaults();
    s.smart = true;
    s.length = 2; // never consulted in smart generation
    s.specialSymbols = symbols;
    for (int round = 0; round < 50; ++round) {
        const QString password = PasswordGenerator::generate(s, templateText);
        QCOMPARE(password.size(), templateText.size());
        for (int i = 0; i < password.size(); ++i) {
            const QChar c = password.at(i);
            switch (shape.at(i).toLatin1()) {
            case 'a':
                QVERIFY(PasswordGenerator::SmallLetters.contains(c));
                break;
            case 'A':
                QVERIFY(PasswordGenerator::CapitalLetters.contains(c));
                break;
            case '9':
                QVERIFY(PasswordGenerator::DigitCharacters.contains(c));
                break;
            default:
                QVERIFY(symbols.contains(c));
                break;
            }
        }
    }
}

void TestPasswordGenerator::emptyCases_data()
{
    QTest::addColumn<bool>("letters");
    QTest::addColumn<bool>("specials");
    QTest::addColumn<QString>("symbols");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("length 0") << true << false << "!" << 0 << "^$";
    QTest::newRow("no class at all") << false << false << "!" << 12 << "^$";
    QTest::newRow("only specials, empty set") << false << true << "" << 12 << "^$";
    QTest::newRow("specials with empty set are left out")
        << true << true << "" << 40 << "^[A-Za-z0-9]{40}$";
    QTest::newRow("only specials") << false << true << "#" << 5 << "^#####$";
}

void TestPasswordGenerator::emptyCases()
{
    QFETCH(bool, letters);
    QFETCH(bool, specials);
    QFETCH(QString, symbols);
    QFETCH(int, length);
    QFETCH(QString, pattern);
    PasswordGenerator::Settings s = defaults();
    s.lowerCase = s.upperCase = s.digits = letters;
    s.specials = specials;
    s.specialSymbols = symbols;
    s.length = length;
    const QString password = PasswordGenerator::generate(s, QStringLiteral("ignored"));
    QVERIFY2(QRegularExpression(pattern).match(password).hasMatch(), qPrintable(password));
}

void TestPasswordGenerator::classWeights()
{
    // 90,000 characters: small and capital letters each about 3/9, digits
    // 2/9, symbols 1/9. The bounds are more than ten standard deviations wide.
    PasswordGenerator::Settings s = defaults();
    s.specials = true;
    s.length = 900;
    int counts[4] = {};
    for (int i = 0; i < 100; ++i)
        for (const QChar c : PasswordGenerator::generate(s, QString())) {
            if (PasswordGenerator::SmallLetters.contains(c))
                ++counts[0];
            else if (PasswordGenerator::CapitalLetters.contains(c))
                ++counts[1];
            else if (PasswordGenerator::DigitCharacters.contains(c))
                ++counts[2];
            else
                ++counts[3];
        }
    const double expected[4] = {3.0 / 9, 3.0 / 9, 2.0 / 9, 1.0 / 9};
    for (int k = 0; k < 4; ++k)
        QVERIFY2(qAbs(counts[k] / 90000.0 - expected[k]) < 0.02,
                 qPrintable(QString::number(counts[k])));
}

void TestPasswordGenerator::everyEnabledClassIsPresent_data()
{
    QTest::addColumn<bool>("specials");
    QTest::addColumn<int>("length");
    QTest::newRow("letters and digits, 8") << false << 8;
    QTest::newRow("all four classes, 4") << true << 4;
    QTest::newRow("all four classes, 6") << true << 6;
}

void TestPasswordGenerator::everyEnabledClassIsPresent()
{
    QFETCH(bool, specials);
    QFETCH(int, length);
    PasswordGenerator::Settings s = defaults();
    s.specials = specials;
    s.specialSymbols = QStringLiteral("!#$");
    s.length = length;
    const QStringList classes = {PasswordGenerator::SmallLetters, PasswordGenerator::CapitalLetters,
                                 PasswordGenerator::DigitCharacters, s.specialSymbols};
    // The guaranteed characters take every position, not only the first.
    QSet<int> digitPlaces;
    for (int round = 0; round < 2000; ++round) {
        const QString password = PasswordGenerator::generate(s, QString());
        QCOMPARE(password.size(), length);
        for (int k = 0; k < (specials ? 4 : 3); ++k) {
            bool found = false;
            for (const QChar c : password)
                found = found || classes.at(k).contains(c);
            QVERIFY2(found, qPrintable(password));
        }
        for (int i = 0; i < password.size(); ++i)
            if (PasswordGenerator::DigitCharacters.contains(password.at(i)))
                digitPlaces.insert(i);
    }
    QCOMPARE(digitPlaces.size(), length);
}

void TestPasswordGenerator::pressesDiffer()
{
    PasswordGenerator::Settings s = defaults();
    s.length = 20;
    QVERIFY(PasswordGenerator::generate(s, QString()) != PasswordGenerator::generate(s, QString()));
}

void TestPasswordGenerator::storedSettingsAndTheirDefaults()
{
    QSettings().clear();
    PasswordGenerator::Settings s = PasswordGenerator::load(QStringLiteral("ITEM0001"));
    QVERIFY(!s.smart && s.upperCase && s.lowerCase && s.digits && !s.specials);
    QCOMPARE(s.length, 8);
    QCOMPARE(s.specialSymbols, QStringLiteral("!#$%&()*+,-.:;<=>?@[]^_`{|}~"));
    QSettings().setValue(QStringLiteral("password/smartpassITEM0001"), true);
    QSettings().setValue(QStringLiteral("password/length"), 15);
    QVERIFY(PasswordGenerator::load(QStringLiteral("ITEM0001")).smart);
    QVERIFY(!PasswordGenerator::load(QStringLiteral("ITEM0002")).smart);
    QCOMPARE(PasswordGenerator::load(QStringLiteral("ITEM0002")).length, 15);
}

void TestPasswordGenerator::storedLengthIsBounded_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("length");
    QTest::newRow("in range") << QVariant(20) << 20;
    QTest::newRow("zero") << QVariant(0) << 1;
    QTest::newRow("negative") << QVariant(-5) << 1;
    QTest::newRow("huge") << QVariant(2000000000) << 99;
    QTest::newRow("not a number") << QVariant(QStringLiteral("long")) << 8;
}

void TestPasswordGenerator::storedLengthIsBounded()
{
    QFETCH(QVariant, stored);
    QFETCH(int, length);
    QSettings().setValue(QStringLiteral("password/length"), stored);
    const PasswordGenerator::Settings settings = PasswordGenerator::load(QString());
    QCOMPARE(settings.length, length);
    QCOMPARE(PasswordGenerator::generate(settings, QString()).size(), length);
    QSettings().clear();
}

KELVARON_TEST_MAIN(TestPasswordGenerator)
#include "tst_passwordgenerator.moc"
