#include "backuparchive.h"
#include "modaldriver.h"
#include "startup.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "ziptestfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Password = QStringLiteral("master key");

void removeWallet()
{
    if (WalletDatabase::instance())
        WalletDatabase::instance()->close();
    QFile::remove(WalletDatabase::databaseFilePath());
}

void makeWallet(bool strong = false)
{
    removeWallet();
    QVERIFY(openWalletDatabase());
    WalletDatabase::instance()->initialiseWallet(
        Password, strong ? WalletProtection::Format::Argon2id : WalletProtection::Format::Original);
    WalletDatabase::instance()->close();
}

void answerFirstStart(ModalDriver& driver, const QString& password, bool strong = true)
{
    driver.expect(QStringLiteral("KVFirstStart"), [password, strong](QWidget* dialog) {
        // Strong protection is the default; the warning shows only while
        // the box is unticked.
        auto* box = dialog->findChild<QCheckBox*>("checkBoxStrong");
        auto* warning = dialog->findChild<QLabel*>("labelWeakWarning");
        QVERIFY(box->isVisible() && box->isChecked());
        QVERIFY(!warning->isVisible());
        box->setChecked(strong);
        QCOMPARE(warning->isVisible(), !strong);
        ModalDriver::setText(dialog, "linePassword", password);
        ModalDriver::setText(dialog, "linePasswordConfirm", password);
        ModalDriver::click(dialog, "pushButtonOk");
    });
}

// Closes the main window as soon as start-up shows it, which ends the event
// loop; records whether it was shown.
class MainWindowCloser : public QObject
{
public:
    MainWindowCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->objectName() == QLatin1String("MainWindow") && widget->isVisible()) {
                    shown = true;
                    widget->close();
                }
        });
        m_timer.start(10);
    }
    bool shown = false;

private:
    QTimer m_timer;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY2(openTopLevelWindows().isEmpty(), qPrintable(openTopLevelWindows().join(',')));
    }
    void firstRunCreatesWalletWithoutLogin_data();
    void firstRunCreatesWalletWithoutLogin();
    void cancelledFirstStartEndsWithZero();
    void unusableWalletFiles_data();
    void unusableWalletFiles();
    void failedRestoreIsReportedThenLogin();
    void firstStartRestoreEndsAtAWorkingLogin();
    void login_data();
    void login();
};

void TestStartup::firstRunCreatesWalletWithoutLogin_data()
{
    QTest::addColumn<bool>("strong");
    QTest::newRow("strong protection, the default") << true;
    QTest::newRow("original protection, unticked") << false;
}

void TestStartup::firstRunCreatesWalletWithoutLogin()
{
    QFETCH(bool, strong);
    removeWallet();
    // Settings left readable by others by an earlier version.
    QSettings().setValue("backup/backup_path", QDir::tempPath());
    QSettings().sync();
    QVERIFY(QFile::setPermissions(QSettings().fileName(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    ModalDriver driver;
    MainWindowCloser closer;
    answerFirstStart(driver, Password, strong);
    QCOMPARE(runStartup(*qApp), 0);
    QVERIFY(closer.shown);
    QCOMPARE(WalletDatabase::instance()->protection().isStrong(), strong);
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(driver.seen().size(), 1);
    QVERIFY(WalletDatabase::instance()->hasPassword());
    QCOMPARE(WalletDatabase::instance()->listChildren(RootItemId).size(), 2);
    QCOMPARE(QFile::permissions(QSettings().fileName()) & QFile::ReadOther, 0);
    QSettings().remove("backup/backup_path");
}

void TestStartup::cancelledFirstStartEndsWithZero()
{
    removeWallet();
    ModalDriver driver;
    driver.expect(QStringLiteral("KVFirstStart"),
                  [](QWidget* dialog) { ModalDriver::click(dialog, "pushButtonCancel"); });
    QCOMPARE(runStartup(*qApp), 0);
    QVERIFY(driver.allAnswered());
    QVERIFY(WalletDatabase::instance()->isUninitialised());
}

void TestStartup::unusableWalletFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("empty file") << "empty"
                                << "first start";
    QTest::newRow("SQLite without tables") << "no tables"
                                           << "first start";
    QTest::newRow("tables without any item") << "no items"
                                             << "first start";
    QTest::newRow("truncated wallet") << "truncated"
                                      << "damaged";
    QTest::newRow("random bytes") << "random"
                                  << "damaged";
    QTest::newRow("another program's database") << "foreign"
                                                << "damaged";
    QTest::newRow("root missing beside other rows") << "no root"
                                                    << "damaged";
    QTest::newRow("locked by another process") << "locked"
                                               << "busy";
}

void TestStartup::unusableWalletFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, outcome);
    const QString path = WalletDatabase::databaseFilePath();
    makeWallet();
    if (file == QLatin1String("empty")) {
        writeFile(path, {});
    } else if (file == QLatin1String("no tables")) {
        removeWallet();
        runOnWalletFile(QStringLiteral("PRAGMA user_version=7"));
        QVERIFY(QFileInfo(path).size() > 0);
    } else if (file == QLatin1String("no items")) {
        runOnWalletFile(QStringLiteral("DELETE FROM kelvaron_items"));
        runOnWalletFile(QStringLiteral("DELETE FROM kelvaron_fields"));
    } else if (file == QLatin1String("truncated")) {
        writeFile(path, readFile(path).left(int(QFileInfo(path).size() / 2)));
    } else if (file == QLatin1String("random")) {
        QByteArray bytes(8192, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(QRandomGenerator::global()->bounded(256));
        writeFile(path, bytes);
    } else if (file == QLatin1String("foreign")) {
        removeWallet();
        runOnWalletFile(QStringLiteral("CREATE TABLE songs (title TEXT)"));
    } else if (file == QLatin1String("no root")) {
        runOnWalletFile(QStringLiteral("DELETE FROM kelvaron_items WHERE item_id='__ROOT__'"));
    }
    // Another program holds the file in an exclusive transaction.
    QProcess holder;
    if (file == QLatin1String("locked")) {
        holder.start(QStringLiteral("python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import sqlite3, sys, time\n"
                                     "c = sqlite3.connect(sys.argv[1], isolation_level=None)\n"
                                     "c.execute('BEGIN EXCLUSIVE')\n"
                                     "print('locked', flush=True)\n"
                                     "time.sleep(60)\n"),
                      path});
        QVERIFY(holder.waitForReadyRead(10000));
    }
    const QByteArray before = readFile(path);

    ModalDriver driver;
    MainWindowCloser closer;
    if (outcome == QLatin1String("first start"))
        answerFirstStart(driver, Password);
    else
        driver.expectMessage(false); // No: quit, do not restore
    const int status = runStartup(*qApp);
    holder.kill();
    holder.waitForFinished();
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));

    if (outcome == QLatin1String("first start")) {
        QCOMPARE(status, 0);
        QVERIFY(closer.shown);
        QVERIFY(WalletDatabase::instance()->checkPassword(Password));
        QCOMPARE(WalletDatabase::instance()->listChildren(RootItemId).size(), 2);
        QCOMPARE(cipherRowsOpenedBy(Password).opened, cipherRowsOpenedBy(Password).total);
        return;
    }
    // Never written, never shown, and the user is told which file it is.
    QCOMPARE(status, 1);
    QVERIFY(!closer.shown);
    QCOMPARE(driver.seenTitles(), QStringList({outcome == QLatin1String("busy")
                                                   ? QStringLiteral("Wallet in use")
                                                   : QStringLiteral("Wallet cannot be opened")}));
    QVERIFY(driver.seen().first().text.contains(path));
    WalletDatabase::instance()->close();
    QVERIFY(readFile(path) == before);
}

void TestStartup::failedRestoreIsReportedThenLogin()
{
    removeWallet();
    ModalDriver driver;
    driver.expect(QStringLiteral("KVFirstStart"), [](QWidget* dialog) {
        dialog->findChild<QComboBox*>()->setCurrentIndex(1);
        ModalDriver::setText(dialog, "lineEditBackupPath", QStringLiteral("/nonexistent/kvrb.zip"));
        ModalDriver::click(dialog, "pushButtonOk");
    });
    driver.expectMessage();
    driver.expectPasswordCancel();
    QCOMPARE(runStartup(*qApp), 1);
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(driver.seen().at(1).title, QStringLiteral("Import cancelled"));
    QCOMPARE(driver.seen().at(1).text,
             QStringLiteral("The import failed. Contact us to report the problem."));
    QCOMPARE(driver.seen().at(2).objectName, QStringLiteral("KVPasswordDialog"));
}

void TestStartup::firstStartRestoreEndsAtAWorkingLogin()
{
    // A backup of a wallet, made elsewhere; this machine has no backup folder.
    makeWallet();
    QVERIFY(openWalletDatabase());
    const QString restoredId = WalletDatabase::instance()->walletId();
    WalletDatabase::instance()->close();
    QTemporaryDir dir;
    QCOMPARE(zipFileToArchive(dir.filePath("backup.zip"), WalletDatabase::databaseFilePath()),
             QStringLiteral("SUCCESS"));
    removeWallet();
    QSettings().remove("backup/backup_path");

    ModalDriver driver;
    MainWindowCloser closer;
    const QString archive = dir.filePath("backup.zip");
    driver.expect(QStringLiteral("KVFirstStart"), [archive](QWidget* dialog) {
        dialog->findChild<QComboBox*>()->setCurrentIndex(1);
        ModalDriver::setText(dialog, "lineEditBackupPath", archive);
        ModalDriver::click(dialog, "pushButtonOk");
    });
    driver.expectPassword(Password);
    QCOMPARE(runStartup(*qApp), 0);
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QVERIFY(closer.shown);
    QCOMPARE(WalletDatabase::instance()->walletId(), restoredId);
}

void TestStartup::login_data()
{
    // Each entry: a password, "<cancel>", or an empty entry. Then the
    // expected status and the sequence of dialogs: "?warning" for the
    // password dialog with its warning line, "title|text" for a message.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<bool>("strong");
    const QString wrong =
        QStringLiteral("Wrong password|The password you entered is wrong. Please try again.");
    const QString tooMany =
        QStringLiteral("Wrong password|Too many failed login attempts, leaving the application");
    QTest::newRow("right at once") << QStringList{Password} << 0 << QStringList{"?"} << false;
    QTest::newRow("three wrong")
        << QStringList{"a", "b", "c"} << 1
        << QStringList{"?", wrong, "?2 attempts left", wrong, "?1 attempt left", tooMany} << false;
    QTest::newRow("wrong, empty, right")
        << QStringList{"a", "", Password} << 0
        << QStringList{"?", wrong, "?2 attempts left",
                       "Empty password|The password cannot be empty. Please try again.",
                       "?1 attempt left"}
        << false;
    QTest::newRow("empty on the third")
        << QStringList{"a", "b", ""} << 1
        << QStringList{"?",
                       wrong,
                       "?2 attempts left",
                       wrong,
                       "?1 attempt left",
                       "Empty password|Too many failed login attempts, leaving the application"}
        << false;
    QTest::newRow("cancel first") << QStringList{"<cancel>"} << 1 << QStringList{"?"} << false;
    QTest::newRow("cancel second") << QStringList{"a", "<cancel>"} << 1
                                   << QStringList{"?", wrong, "?2 attempts left"} << false;
    // A strong wallet derives a key for every attempt.
    QTest::newRow("strong, right at once")
        << QStringList{Password} << 0 << QStringList{"?"} << true;
    QTest::newRow("strong, wrong then right")
        << QStringList{"a", Password} << 0 << QStringList{"?", wrong, "?2 attempts left"} << true;
}

void TestStartup::login()
{
    QFETCH(QStringList, entries);
    QFETCH(int, status);
    QFETCH(QStringList, dialogs);
    QFETCH(bool, strong);
    makeWallet(strong);
    ModalDriver driver;
    MainWindowCloser closer;
    for (const QString& entry : entries) {
        if (entry == QLatin1String("<cancel>")) {
            driver.expectPasswordCancel();
            continue;
        }
        driver.expectPassword(entry);
        if (entry != Password)
            driver.expectMessage();
    }
    QCOMPARE(runStartup(*qApp), status);
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QStringList seen;
    for (const ModalDriver::Seen& dialog : driver.seen())
        seen.append(dialog.objectName == QLatin1String("KVPasswordDialog")
                        ? QLatin1Char('?') + dialog.text
                        : dialog.title + QLatin1Char('|') + dialog.text);
    QCOMPARE(seen, dialogs);
    QCOMPARE(WalletDatabase::instance()->hasPassword(), status == 0);
    QCOMPARE(closer.shown, status == 0);
}

KELVARON_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
