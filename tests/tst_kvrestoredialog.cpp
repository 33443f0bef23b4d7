#include "backuparchive.h"
#include "kvrestoredialog.h"
#include "modaldriver.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "ziptestfiles.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList rows(KVRestoreDialog& dialog)
{
    QStringList names;
    auto* list = dialog.findChild<QListWidget*>("listWidget");
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->data(Qt::UserRole).toString());
    return names;
}

void select(KVRestoreDialog& dialog, int row)
{
    auto* list = dialog.findChild<QListWidget*>("listWidget");
    list->setCurrentRow(row);
}

} // namespace

class TestKVRestoreDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { QVERIFY(openTopLevelWindows().isEmpty()); }
    void listsBackupsNewestFirst();
    void restoreNeedsASelection();
    void deleteAsksFirst();
    void restoresTheChosenBackup_data();
    void restoresTheChosenBackup();

private:
    QTemporaryDir m_folder;
};

void TestKVRestoreDialog::init()
{
    QSettings().setValue("backup/backup_path", m_folder.path());
    for (const QString& file : QDir(m_folder.path()).entryList(QDir::Files))
        QFile::remove(m_folder.filePath(file));
    freshWallet("pw");
    const QDateTime now = QDateTime::currentDateTime();
    writeFile(m_folder.filePath("kvrb-20260101-000000-manual.zip"), "old", now.addDays(-3));
    writeFile(m_folder.filePath("kvrb-20260301-000000-restore.zip"), "newer", now.addDays(-1));
    writeFile(m_folder.filePath("kvrb-20260201-000000-manual.zip"), "middle", now.addDays(-2));
    writeFile(m_folder.filePath("other.zip"), "not a backup", now);
}

void TestKVRestoreDialog::listsBackupsNewestFirst()
{
    KVRestoreDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Kelvaron Desktop - Recovery"));
    QCOMPARE(rows(dialog),
             QStringList({"kvrb-20260301-000000-restore.zip", "kvrb-20260201-000000-manual.zip",
                          "kvrb-20260101-000000-manual.zip"}));
}

void TestKVRestoreDialog::restoreNeedsASelection()
{
    KVRestoreDialog dialog(nullptr);
    dialog.findChild<QPushButton*>("restoreButton")->click();
    QCOMPARE(dialog.result(), 0);
    QVERIFY(QFile::exists(WalletDatabase::databaseFilePath()));
}

void TestKVRestoreDialog::deleteAsksFirst()
{
    KVRestoreDialog dialog(nullptr);
    select(dialog, 1);
    ModalDriver driver;
    driver.expectMessage(false);
    dialog.findChild<QPushButton*>("deleteButton")->click();
    QCOMPARE(rows(dialog).size(), 3);
    select(dialog, 1);
    driver.expectMessage(true);
    dialog.findChild<QPushButton*>("deleteButton")->click();
    QVERIFY(driver.allAnswered());
    QVERIFY(driver.seen().last().text.contains("kvrb-20260201-000000-manual.zip"));
    QCOMPARE(rows(dialog),
             QStringList({"kvrb-20260301-000000-restore.zip", "kvrb-20260101-000000-manual.zip"}));
    QVERIFY(!QFile::exists(m_folder.filePath("kvrb-20260201-000000-manual.zip")));
}

void TestKVRestoreDialog::restoresTheChosenBackup_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("yes, replace") << true;
    QTest::newRow("no: nothing changes") << false;
}

void TestKVRestoreDialog::restoresTheChosenBackup()
{
    QFETCH(bool, replace);
    WalletDatabase::instance()->addItem({}, RootItemId, "Saved", "key", false);
    // The new archive is the one file that the backup adds, whatever today's date.
    const QStringList before = QDir(m_folder.path()).entryList(QDir::Files);
    QVERIFY(!makeBackupArchive(BackupManual).isEmpty());
    QStringList added = QDir(m_folder.path()).entryList(QDir::Files);
    for (const QString& name : before)
        added.removeAll(name);
    QCOMPARE(added.size(), 1);
    WalletDatabase::instance()->addItem({}, RootItemId, "Added later", "key", false);
    const QByteArray wallet = readFile(WalletDatabase::databaseFilePath());
    const int backups = QDir(m_folder.path()).entryList(QDir::Files).size();
    {
        // The archive is checked first, then the user is asked, No by default.
        ModalDriver driver;
        bool noIsDefault = false;
        driver.expect("KVCustomMessage", [&](QWidget* box) {
            auto* no = box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::No);
            noIsDefault = no->isDefault();
            ModalDriver::pressStandard(box, replace ? QDialogButtonBox::Yes : QDialogButtonBox::No);
        });
        KVRestoreDialog dialog(nullptr);
        const int row = rows(dialog).indexOf(added.first());
        QVERIFY(row >= 0);
        select(dialog, row);
        dialog.findChild<QPushButton*>("restoreButton")->click();
        QVERIFY(driver.allAnswered());
        QVERIFY(noIsDefault);
        QCOMPARE(driver.seenTitles(), QStringList({"Replace your wallet?"}));
        QCOMPARE(dialog.result(), int(replace ? QDialog::Accepted : QDialog::Rejected));
    }
    QVERIFY(WalletDatabase::instance()->checkPassword("pw"));
    if (replace) {
        QCOMPARE(WalletDatabase::instance()->listChildren(RootItemId).size(), 3);
        return;
    }
    // Kept: the same bytes, and no safety backup was made.
    QVERIFY(readFile(WalletDatabase::databaseFilePath()) == wallet);
    QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files).size(), backups);
    QCOMPARE(WalletDatabase::instance()->listChildren(RootItemId).size(), 4);
}

KELVARON_TEST_MAIN(TestKVRestoreDialog)
#include "tst_kvrestoredialog.moc"
