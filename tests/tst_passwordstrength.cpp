#include "kvchangepassword.h"
#include "kvfieldedit.h"
#include "kvfirststart.h"
#include "passwordstrength.h"
#include "strengthmeter.h"
#include "testenvironment.h"
#include "walletdatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestPasswordStrength : public QObject
{
    Q_OBJECT

private slots:
    void estimates_data();
    void estimates();
    void fieldEditorShowsIt();
    void masterPasswordDialogsAdvise_data();
    void masterPasswordDialogsAdvise();
};

void TestPasswordStrength::estimates_data()
{
    // Patterns count, not only length: a dictionary word, a keyboard walk, a
    // repeat or a name with a year are weak however they look.
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("log10Guesses");
    QTest::newRow("empty") << "" << -1 << 0;
    QTest::newRow("a dictionary word") << "password" << 0 << 0;
    QTest::newRow("a keyboard walk") << "qwerty" << 0 << 1;
    QTest::newRow("one letter repeated") << "aaaaaaaaaaaa" << 0 << 2;
    QTest::newRow("a name and a year") << "jane1985" << 1 << 4;
    QTest::newRow("words with substitutions") << "Tr0ub4dor&3" << 4 << 14;
    QTest::newRow("four words") << "correct horse battery staple" << 4 << 21;
    QTest::newRow("sixteen random characters") << "Xq7#pL9$vR2!mK4&" << 4 << 31;
}

void TestPasswordStrength::estimates()
{
    QFETCH(QString, password);
    QFETCH(int, score);
    QFETCH(int, log10Guesses);
    const PasswordStrength::Estimate estimate = PasswordStrength::estimate(password);
    QCOMPARE(estimate.score, score);
    QCOMPARE(estimate.log10Guesses, log10Guesses);
    StrengthMeter meter(nullptr);
    meter.setPassword(password);
    QCOMPARE(meter.score(), score);
    QCOMPARE(meter.guessesText(), password.isEmpty()
                                      ? QString()
                                      : QStringLiteral("about 10^%1 guesses").arg(log10Guesses));
}

void TestPasswordStrength::fieldEditorShowsIt()
{
    freshWallet(QStringLiteral("pw"));
    const QString item =
        WalletDatabase::instance()->addItem({}, RootItemId, "Site", "key", false).itemId;
    KVFieldEdit editor(item, QString(), nullptr);
    auto* types = editor.findChild<QComboBox*>("comboBox");
    auto* meter = editor.findChild<StrengthMeter*>("strengthMeter");
    QVERIFY(meter->isHidden());
    types->setCurrentIndex(types->findData(QStringLiteral("PASS")));
    QVERIFY(!meter->isHidden());
    auto* value = editor.findChild<QLineEdit*>("lineEditValue");
    // It follows what is typed, and what the generator puts there.
    value->setText(QStringLiteral("password"));
    QCOMPARE(meter->score(), 0);
    editor.findChild<QPushButton*>("pushButtonGenerate")->click();
    QCOMPARE(meter->score(), PasswordStrength::estimate(value->text()).score);
    QVERIFY(meter->score() >= 2);
    // Between the value and the generator's buttons, overlapping neither.
    QVERIFY(meter->y() >= value->geometry().bottom());
    QVERIFY(editor.findChild<QPushButton*>("pushButtonGenerate")->y() >=
            meter->geometry().bottom());
    // Only a password has a strength.
    types->setCurrentIndex(types->findData(QStringLiteral("USER")));
    QVERIFY(meter->isHidden());
}

void TestPasswordStrength::masterPasswordDialogsAdvise_data()
{
    QTest::addColumn<bool>("firstStart");
    QTest::newRow("first start") << true;
    QTest::newRow("change of password") << false;
}

void TestPasswordStrength::masterPasswordDialogsAdvise()
{
    QFETCH(bool, firstStart);
    std::unique_ptr<QDialog> dialog;
    if (firstStart)
        dialog = std::make_unique<KVFirstStart>(nullptr);
    else
        dialog = std::make_unique<KVChangePassword>(nullptr);
    auto* field = dialog->findChild<QLineEdit*>(firstStart ? "linePassword" : "lineEditNewPass");
    auto* meter = dialog->findChild<StrengthMeter*>("strengthMeter");
    QVERIFY(meter);
    QVERIFY(meter->y() >= field->geometry().bottom());
    // Every widget below the new password moved down: nothing overlaps it.
    for (QWidget* sibling : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (sibling != meter && sibling->isVisibleTo(dialog.get()) && sibling->y() > field->y())
            QVERIFY2(!sibling->geometry().intersects(meter->geometry()),
                     qPrintable(sibling->objectName()));
    field->setText(QStringLiteral("kelvaron"));
    QCOMPARE(meter->score(), 2);
    field->setText(QStringLiteral("correct horse battery staple"));
    QCOMPARE(meter->score(), 4);
}

KELVARON_TEST_MAIN(TestPasswordStrength)
#include "tst_passwordstrength.moc"
