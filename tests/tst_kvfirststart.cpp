#include "kvfirststart.h"
#include "modaldriver.h"
#include "testenvironment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QLineEdit* line(KVFirstStart& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QLatin1String(name));
}

} // namespace

class TestKVFirstStart : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY2(openTopLevelWindows().isEmpty(), qPrintable(openTopLevelWindows().join(',')));
    }
    void newPasswordCases_data();
    void newPasswordCases();
    void restoreNeedsAFile();
    void switchingModesEmptiesInputs();
};

void TestKVFirstStart::newPasswordCases_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("equal") << "s3cret!"
                           << "s3cret!" << QString() << true;
    QTest::newRow("single space is a password") << " "
                                                << " " << QString() << true;
    QTest::newRow("different") << "abc"
                               << "abC"
                               << "Confirmation failed" << false;
    QTest::newRow("empty first") << ""
                                 << "abc"
                                 << "Empty password" << false;
}

void TestKVFirstStart::newPasswordCases()
{
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(bool, accepted);
    KVFirstStart dialog(nullptr);
    dialog.show();
    line(dialog, "linePassword")->setText(password);
    line(dialog, "linePasswordConfirm")->setText(confirm);
    ModalDriver driver;
    if (!message.isEmpty())
        driver.expectMessage();
    dialog.findChild<QPushButton*>("pushButtonOk")->click();
    QVERIFY(driver.allAnswered());
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    if (accepted) {
        QCOMPARE(dialog.newPassword(), password);
        QCOMPARE(dialog.backupFilePath(), QString());
    } else {
        QCOMPARE(driver.seenTitles(), QStringList(message));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.newPassword(), QString());
    }
    if (message == QLatin1String("Confirmation failed")) {
        QVERIFY(line(dialog, "linePassword")->text().isEmpty());
        QVERIFY(line(dialog, "linePasswordConfirm")->text().isEmpty());
        QCOMPARE(dialog.focusWidget(), line(dialog, "linePassword"));
    }
    dialog.close();
}

void TestKVFirstStart::restoreNeedsAFile()
{
    KVFirstStart dialog(nullptr);
    dialog.show();
    dialog.findChild<QComboBox*>()->setCurrentIndex(1);
    QVERIFY(line(dialog, "lineEditBackupPath")->isVisible());
    QVERIFY(!line(dialog, "linePassword")->isVisible());
    ModalDriver driver;
    driver.expectMessage();
    dialog.findChild<QPushButton*>("pushButtonOk")->click();
    QCOMPARE(driver.seenTitles(), QStringList("Restore failed"));
    QVERIFY(dialog.isVisible());

    line(dialog, "lineEditBackupPath")->setText(QStringLiteral("/tmp/kvrb.zip"));
    dialog.findChild<QPushButton*>("pushButtonOk")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.backupFilePath(), QStringLiteral("/tmp/kvrb.zip"));
    QCOMPARE(dialog.newPassword(), QString());
}

void TestKVFirstStart::switchingModesEmptiesInputs()
{
    KVFirstStart dialog(nullptr);
    auto* combo = dialog.findChild<QComboBox*>();
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("Create new password database"));
    line(dialog, "linePassword")->setText(QStringLiteral("typed"));
    combo->setCurrentIndex(1);
    line(dialog, "lineEditBackupPath")->setText(QStringLiteral("/tmp/a.zip"));
    combo->setCurrentIndex(0);
    QVERIFY(line(dialog, "linePassword")->text().isEmpty());
    combo->setCurrentIndex(1);
    QVERIFY(line(dialog, "lineEditBackupPath")->text().isEmpty());
}

KELVARON_TEST_MAIN(TestKVFirstStart)
#include "tst_kvfirststart.moc"
