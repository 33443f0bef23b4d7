#include "csv.h"
#include "exchangecommands.h"
#include "hostileimports.h"
#include "importreader.h"
#include "importwriter.h"
#include "keepassxcexport.h"
#include "modaldriver.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "writelimit.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Password = QStringLiteral("correct horse");
const QDate ImportDay(2026, 1, 2);

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

QString fixture(const QString& name)
{
    return QStringLiteral(KELVARON_TEST_DATA "/import/") + name;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One entry as "folder/path|title|icon|CODE=value; *Custom label=value".
QString summary(const ImportPlan::Entry& entry)
{
    QStringList fields;
    for (const ImportPlan::Field& field : entry.fields)
        fields.append((field.code.isEmpty() ? "*" + field.label : field.code) + "=" + field.value);
    return entry.folderPath.join('/') + "|" + entry.title + "|" + entry.icon + "|" +
           fields.join("; ");
}

// Every item below folderId as "path|label=value; ..." with its fields
// sorted, paths relative to folderId; folders as "path/".
QStringList treeBelow(const QString& folderId, const QString& prefix = QString())
{
    QStringList lines;
    for (const ItemRecord& child : db()->listChildren(folderId)) {
        const QString path = prefix + child.name;
        if (child.folder) {
            lines.append(path + "/");
            lines.append(treeBelow(child.itemId, path + "/"));
            continue;
        }
        QStringList fields;
        for (const FieldRecord& field : db()->listFields(child.itemId))
            fields.append(field.label.labelName + "=" + field.value);
        fields.sort();
        lines.append(path + "|" + fields.join("; "));
    }
    lines.sort();
    return lines;
}

int labelsNamed(const QString& name)
{
    QSqlQuery query;
    query.prepare("SELECT COUNT(*) FROM kelvaron_labels WHERE label_name=:name");
    query.bindValue(":name", name);
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    void init() { freshWallet(Password); }
    void cleanup()
    {
        QVERIFY2(openTopLevelWindows().isEmpty(), qPrintable(openTopLevelWindows().join(',')));
    }
    void csvReading_data();
    void csvReading();
    void csvWritingReadsBack();
    void fixtures_data();
    void fixtures();
    void importWritesOneFolderAndReusesLabels();
    void nothingIsWrittenOnProblemsOrFaults_data();
    void nothingIsWrittenOnProblemsOrFaults();
    void oversizedFilesAreRefusedUnread_data();
    void oversizedFilesAreRefusedUnread();
    void hostileShapesAreRefused_data();
    void hostileShapesAreRefused();
    void boundsThemselvesAreImported();
    void exportImportRoundTrip();
    void killedExportLeavesNothingAfterTheNextStart();
    void exportAsksFirst_data();
    void exportAsksFirst();
    void importCommandShowsThePreview();
};

void TestExchange::csvReading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("records"); // fields by "|", records by "#", "line:" first
    QTest::addColumn<int>("errorLine");
    QTest::newRow("plain") << QByteArray("a,b\nc,d\n") << "1:a|b#2:c|d" << 0;
    QTest::newRow("no final line end") << QByteArray("a,b\nc,d") << "1:a|b#2:c|d" << 0;
    QTest::newRow("CRLF and BOM") << QByteArray("\xEF\xBB\xBFx,y\r\n1,2\r\n") << "1:x|y#2:1|2" << 0;
    QTest::newRow("quoted comma and quote")
        << QByteArray("\"a,b\",\"say \"\"hi\"\"\"\n") << "1:a,b|say \"hi\"" << 0;
    QTest::newRow("line breaks inside quotes, CRLF kept as one")
        << QByteArray("\"one\r\ntwo\nthree\",x\nnext,y\n") << "1:one\ntwo\nthree|x#4:next|y" << 0;
    QTest::newRow("empty fields and lines") << QByteArray("a,,\n\n,\"\",c\n") << "1:a||#3:||c" << 0;
    QTest::newRow("UTF-8") << QByteArray("\"Пароль ✓\",ключ\n") << "1:Пароль ✓|ключ" << 0;
    QTest::newRow("quote inside a bare field") << QByteArray("a,b\nab\"c,d\n") << "1:a|b" << 2;
    QTest::newRow("text after a closing quote") << QByteArray("a\n\"x\"y,z\n") << "1:a" << 2;
    QTest::newRow("quote never closed") << QByteArray("a\nb\n\"open,\nmore\n") << "1:a#2:b" << 3;
    QTest::newRow("lone carriage return") << QByteArray("a\rb\n") << "" << 1;
}

void TestExchange::csvReading()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, records);
    QFETCH(int, errorLine);
    const Csv::Table table = Csv::parse(text);
    QStringList read;
    for (const Csv::Record& record : table.records)
        read.append(QString::number(record.line) + ":" + record.fields.join('|'));
    QCOMPARE(read.join('#'), records);
    QCOMPARE(table.errorLine, errorLine);
    QCOMPARE(table.error.isEmpty(), errorLine == 0);
}

void TestExchange::csvWritingReadsBack()
{
    const QStringList fields = {"plain", "with, comma", "with \"quotes\"", "two\nlines",
                                "",      "Ключ ✓"};
    const Csv::Table table = Csv::parse(Csv::line(fields) + Csv::line({"x"}));
    QVERIFY(table.error.isEmpty());
    QCOMPARE(table.records.size(), 2);
    QCOMPARE(table.records[0].fields, fields);
    QCOMPARE(table.records[1].line, 3);
}

void TestExchange::fixtures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("folders");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("problems");
    QTest::newRow("KeePassXC: quoting") << "keepassxc_quoting.csv"
                                        << "KeePassXC CSV" << 0
                                        << QStringList{"|GitHub|github|USER=octo; PASS=p,a\"ss; "
                                                       "LINK=https://github.com/login",
                                                       "|Plain, with comma|document|USER=user; "
                                                       "LINK=https://www.example.org/"}
                                        << QStringList();
    QTest::newRow("KeePassXC: BOM, CRLF, multi-line notes")
        << "keepassxc_multiline.csv"
        << "KeePassXC CSV" << 0
        << QStringList{"|Bank|document|USER=jsmith; PASS=secret; LINK=https://bank.example; "
                       "NOTE=Call the bank\nif the card is lost: quickly.",
                       "|Card|document|CARD=4111 1111 1111 1111; PINC=1234; "
                       "*Memo=first line\nsecond line"}
        << QStringList();
    QTest::newRow("KeePassXC: nested groups")
        << "keepassxc_nested.csv"
        << "KeePassXC CSV" << 3
        << QStringList{"Work/Servers|db1|document|USER=admin; PASS=s3rv3r; "
                       "LINK=ssh://db1.example",
                       "Work|Mail|mail|USER=me@work.example; PASS=m41l",
                       "Home|Router|document|USER=admin; PASS=r0ut3r; LINK=http://192.168.1.1; "
                       "*TOTP=JBSWY3DPEHPK3PXP",
                       "|Top level|document|NOTE=just a note"}
        << QStringList();
    QTest::newRow("Bitwarden CSV: custom fields, several addresses")
        << "bitwarden_custom_fields.csv"
        << "Bitwarden CSV" << 1
        << QStringList{"Social|Twitter|twitter|USER=me; PASS=pw1; LINK=https://twitter.com; "
                       "LINK=https://x.com; *Recovery email=me@example.org; "
                       "*Security question=Pet; *TOTP=JBSWY3DPEHPK3PXP",
                       "|Wifi at home|home|NOTE=SSID kel\nkey 1234"}
        << QStringList();
    QTest::newRow("Bitwarden JSON: card, identity, note, custom fields")
        << "bitwarden_card.json"
        << "Bitwarden JSON" << 2
        << QStringList{"Finance/Cards|Visa card|visa|NAME=John Smith; CARD=4111111111111111; "
                       "EXPD=07/2029; *Security code=123; *Brand=Visa",
                       "|Me|document|NAME=Mr Ann Lee; USER=annlee; MAIL=ann@example.org; "
                       "PHON=+1 555 0100; ADDR=1 Main St, 12345, Springfield, US; "
                       "*License number=D123",
                       "Finance|Safe combination|document|NOTE=12-34-56",
                       "Finance|Bank|document|USER=ann; PASS=b4nk; "
                       "LINK=https://bank.example.com; *Customer number=99812; PINC=4321"}
        << QStringList();
    QTest::newRow("malformed quote")
        << "bad_quote.csv"
        << "KeePassXC CSV" << 0 << QStringList{"|Fine|document|USER=u; PASS=p"}
        << QStringList{"Line 3: a closing quote is followed by other text"};
    QTest::newRow("short row") << "short_row.csv"
                               << "KeePassXC CSV" << 0
                               << QStringList{"|Fine|document|USER=u; PASS=p",
                                              "|Also fine|document|USER=u; PASS=p"}
                               << QStringList{"Line 3: 3 columns where the header has 10"};
}

void TestExchange::fixtures()
{
    QFETCH(QString, file);
    QFETCH(QString, format);
    QFETCH(int, folders);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, problems);
    const ImportPlan plan = ImportReader::readFile(fixture(file));
    QCOMPARE(plan.refusal, QString());
    QCOMPARE(plan.format, format);
    QCOMPARE(plan.folderTree().folders.size(), folders);
    QStringList read;
    for (const ImportPlan::Entry& entry : plan.entries)
        read.append(summary(entry));
    QCOMPARE(read, entries);
    QStringList reported;
    for (const ImportPlan::Problem& problem : plan.problems)
        reported.append(problem.text);
    QCOMPARE(reported, problems);
    QCOMPARE(plan.canBeWritten(), problems.isEmpty());

    // Written, the wallet holds exactly what the preview showed.
    const QString folder = ImportWriter::write(plan, ImportDay);
    QCOMPARE(folder.isEmpty(), !problems.isEmpty());
    if (folder.isEmpty())
        return;
    QCOMPARE(db()->getItem(folder).name, QStringLiteral("Imported 2026-01-02"));
    QCOMPARE(db()->getParentId(folder), RootItemId);
    int items = 0;
    int fields = 0;
    for (const QString& line : treeBelow(folder)) {
        if (!line.contains('|'))
            continue; // a folder
        ++items;
        fields += line.section('|', 1).split("; ", Qt::SkipEmptyParts).size();
    }
    QCOMPARE(items, entries.size());
    QCOMPARE(fields, plan.fieldCount());
}

void TestExchange::importWritesOneFolderAndReusesLabels()
{
    const ImportPlan plan = ImportReader::readFile(fixture("keepassxc_nested.csv"));
    const QString first = ImportWriter::write(plan, ImportDay);
    const QString second = ImportWriter::write(plan, ImportDay);
    QVERIFY(!first.isEmpty() && !second.isEmpty() && first != second);
    // A field name without a built-in label gets one label, made once.
    QCOMPARE(labelsNamed("TOTP"), 1);
    QCOMPARE(treeBelow(first), treeBelow(second));
    QCOMPARE(treeBelow(first),
             QStringList({"Home/",
                          "Home/Router|Password=r0ut3r; TOTP=JBSWY3DPEHPK3PXP; User "
                          "name=admin; Web page=http://192.168.1.1",
                          "Top level|Note=just a note", "Work/",
                          "Work/Mail|Password=m41l; User "
                          "name=me@work.example",
                          "Work/Servers/",
                          "Work/Servers/db1|Password=s3rv3r; User name=admin; Web "
                          "page=ssh://db1.example"}));
    QCOMPARE(
        db()->getLabel(db()->listFields(
                               db()->listChildren(db()->listChildren(first)[0].itemId)[0].itemId)[1]
                           .type)
            .valueType,
        QStringLiteral("pass"));
}

void TestExchange::nothingIsWrittenOnProblemsOrFaults_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fault");
    QTest::newRow("a short row") << "short_row.csv"
                                 << "";
    QTest::newRow("a malformed quote") << "bad_quote.csv"
                                       << "";
    QTest::newRow("a full disk midway") << "generated"
                                        << "file size limit";
    QTest::newRow("a refused insert midway") << "bitwarden_card.json"
                                             << "trigger";
}

void TestExchange::nothingIsWrittenOnProblemsOrFaults()
{
    QFETCH(QString, file);
    QFETCH(QString, fault);
    if (fault == "trigger") {
        QSqlQuery query;
        QVERIFY(query.exec("CREATE TRIGGER refuse BEFORE INSERT ON kelvaron_fields WHEN "
                           "NEW.type='PINC' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    }
    const QByteArray before = fileBytes(WalletDatabase::databaseFilePath());
    const QStringList treeBefore = treeBelow(RootItemId);
    QTemporaryDir dir;
    if (file == "generated") {
        // Enough to need many new pages of the file.
        QFile csv(dir.filePath("many.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n");
        for (int i = 0; i < 300; ++i)
            csv.write(QStringLiteral("\"Root/G%1\",\"Entry %2\",\"user\",\"pass\",\"\",\"%3\"\n")
                          .arg(i % 7)
                          .arg(i)
                          .arg(QString(200, QChar('n')))
                          .toUtf8());
        csv.close();
    }
    const ImportPlan plan =
        ImportReader::readFile(file == "generated" ? dir.filePath("many.csv") : fixture(file));
    QString folder;
    if (fault == "file size limit") {
        const WriteLimit limit(before.size() + 4096);
        folder = ImportWriter::write(plan, ImportDay);
    } else {
        folder = ImportWriter::write(plan, ImportDay);
    }
    QVERIFY(folder.isEmpty());
    QVERIFY(fileBytes(WalletDatabase::databaseFilePath()) == before);
    QCOMPARE(treeBelow(RootItemId), treeBefore);
    QCOMPARE(labelsNamed("Security code"), 0);
    QVERIFY(!QFile::exists(WalletDatabase::databaseFilePath() + "-journal"));
}

void TestExchange::oversizedFilesAreRefusedUnread_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("over 50 MiB") << "big"
                                 << "larger than 50 MiB";
    QTest::newRow("100,001 lines") << "lines"
                                   << "more than 100000 lines";
    QTest::newRow("not text") << "binary.dat"
                              << "it is not text";
    QTest::newRow("text, not an export") << "not_an_export.txt"
                                         << "not a KeePassXC or Bitwarden export";
    QTest::newRow("encrypted Bitwarden JSON") << "encrypted.json"
                                              << "is encrypted";
    QTest::newRow("broken JSON") << "json"
                                 << "not valid JSON";
}

void TestExchange::oversizedFilesAreRefusedUnread()
{
    QFETCH(QString, kind);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    QString path = dir.filePath("export.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (kind == "big") {
        // A sparse file: its size is refused before a byte is read.
        QVERIFY(file.resize(ImportReader::MaxFileBytes + 1));
    } else if (kind == "lines") {
        file.write("\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n");
        for (int i = 0; i < ImportReader::MaxRows; ++i)
            file.write("\"Root\",\"t\",\"u\",\"p\",\"\",\"\"\n");
    } else if (kind == "json") {
        file.write("{\"items\": [ {\"type\": 1, ");
    } else {
        path = fixture(kind);
    }
    file.close();
    const ImportPlan plan = ImportReader::readFile(path);
    QVERIFY2(plan.refusal.contains(refusal), qPrintable(plan.refusal));
    QVERIFY(plan.entries.isEmpty());
    QVERIFY(!plan.canBeWritten());
}

void TestExchange::hostileShapesAreRefused_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("problem");
    QTest::newRow("deep KeePassXC group") << "deep KeePassXC group"
                                          << ""
                                          << "Line 2: its folder is 20000 levels deep";
    QTest::newRow("deep Bitwarden folder") << "deep Bitwarden folder"
                                           << ""
                                           << "Item 1: its folder is 20000 levels deep";
    QTest::newRow("many addresses") << "many addresses"
                                    << ""
                                    << "Line 2: it has 100000 web addresses";
    for (const char* shape : {"link to /dev/zero", "named pipe", "folder"})
        QTest::newRow(shape) << shape << "not a file that can be imported"
                             << "";
}

void TestExchange::hostileShapesAreRefused()
{
    QFETCH(QString, shape);
    QFETCH(QString, refusal);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const ImportPlan plan = ImportReader::readFile(HostileImports::write(dir.path(), shape));
    QVERIFY(!plan.canBeWritten());
    QVERIFY(plan.entries.isEmpty());
    if (!refusal.isEmpty()) {
        QVERIFY2(plan.refusal.contains(refusal), qPrintable(plan.refusal));
        return;
    }
    QCOMPARE(plan.problems.size(), 1);
    QVERIFY2(plan.problems.first().text.startsWith(problem),
             qPrintable(plan.problems.first().text));
}

void TestExchange::boundsThemselvesAreImported()
{
    // 64 levels and 100 addresses are still an ordinary entry.
    QTemporaryDir dir;
    QFile file(dir.filePath("bounds.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,"
               "login_password,login_totp\n\"" +
               QByteArray("a/").repeated(ImportPlan::MaxFolderDepth) + "\",,login,n,,,0,\"" +
               QByteArray("a.io,").repeated(ImportPlan::MaxAddresses) + "\",u,p,\n");
    file.close();
    const ImportPlan plan = ImportReader::readFile(file.fileName());
    QVERIFY(plan.canBeWritten());
    QCOMPARE(plan.entries.size(), 1);
    QCOMPARE(plan.folderTree().folders.size(), ImportPlan::MaxFolderDepth);
    QVERIFY(!ImportWriter::write(plan, ImportDay).isEmpty());
}

void TestExchange::killedExportLeavesNothingAfterTheNextStart()
{
    QTemporaryDir dir;
    QVERIFY(KeepassxcExport::writeFile(dir.filePath("export.csv")));
    // A kill -9 halfway through the next export left its temporary file.
    const QString stale = dir.filePath(".kelvaron-export-AbCdEf");
    const QString running = dir.filePath(".kelvaron-export-GhIjKl");
    for (const QString& path : {stale, running}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Root,Bank,secret\n");
    }
    const QDateTime startedAt = QDateTime::currentDateTime();
    QFile old(stale);
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(startedAt.addSecs(-60), QFileDevice::FileModificationTime));
    old.close();
    QFile recent(running);
    QVERIFY(recent.open(QIODevice::ReadWrite));
    QVERIFY(recent.setFileTime(startedAt.addSecs(60), QFileDevice::FileModificationTime));
    recent.close();
    KeepassxcExport::removeStaleLeftovers(startedAt);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({".kelvaron-export-GhIjKl", "export.csv"}));
}

void TestExchange::exportImportRoundTrip()
{
    // The sample content, and more: nesting, several passwords, a custom
    // label, a multi-line note, quotes and commas.
    const QString work = db()->addItem({}, RootItemId, "Work", "folder", true).itemId;
    const QString servers = db()->addItem({}, work, "Servers, old", "folder", true).itemId;
    const QString db1 = db()->addItem({}, servers, "db \"one\"", "server", false).itemId;
    QVERIFY(db()->saveField("USER", "admin", db1, {}));
    QVERIFY(db()->saveField("PASS", "first, pass", db1, {}));
    QVERIFY(db()->saveField("PASS", "second\"pass", db1, {}));
    QVERIFY(db()->saveField("NOTE", "line one\nUser name: not a field\n  indented", db1, {}));
    const QString code = db()->addCustomLabel("Licence key", "labelempty", "text");
    QVERIFY(db()->saveField(code, "ABCD-1234", db1, {}));
    QVERIFY(db()->saveField("LINK", "https://db1.example", db1, {}));
    QTemporaryDir dir;
    const QString path = dir.filePath("export.csv");
    QVERIFY(KeepassxcExport::writeFile(path));
    QCOMPARE(QFile::permissions(path) & (QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                         QFileDevice::WriteGroup | QFileDevice::WriteOther),
             QFileDevice::Permissions());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("export.csv"));
    QVERIFY(fileBytes(path).startsWith("\"Group\",\"Title\",\"Username\",\"Password\",\"URL\","));

    const QStringList original = treeBelow(RootItemId);
    const ImportPlan plan = ImportReader::readFile(path);
    QCOMPARE(plan.format, QStringLiteral("KeePassXC CSV"));
    QVERIFY(plan.problems.isEmpty());
    const QString imported = ImportWriter::write(plan, ImportDay);
    QVERIFY(!imported.isEmpty());
    // The same tree below the new folder (folders without items have no row).
    QCOMPARE(treeBelow(imported), original);
    QVERIFY(original.contains("Work/Servers, old/db \"one\"|Licence key=ABCD-1234; Note=line "
                              "one\nUser name: not a field\n  indented; Password=first, pass; "
                              "Password=second\"pass; User name=admin; "
                              "Web page=https://db1.example"));
    QVERIFY(original.contains("Banking/"));
}

void TestExchange::exportAsksFirst_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("written");
    QTest::newRow("all confirmed") << true << Password << true;
    QTest::newRow("warning declined") << false << QString() << false;
    QTest::newRow("wrong password") << true << "wrong" << false;
}

void TestExchange::exportAsksFirst()
{
    QFETCH(bool, goOn);
    QFETCH(QString, password);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.csv");
    ModalDriver driver;
    driver.expectMessage(goOn);
    if (goOn) {
        driver.expectPassword(password);
        driver.expectMessage(); // what came of it
    }
    bool asked = false;
    QCOMPARE(ExchangeCommands::exportFile(nullptr,
                                          [&] {
                                              asked = true;
                                              return path;
                                          }),
             written);
    QVERIFY2(driver.allAnswered(), qPrintable(driver.unexpected().join(',')));
    QCOMPARE(asked, written);
    QCOMPARE(QFile::exists(path), written);
    QCOMPARE(driver.seen().first().title, QStringLiteral("Export every password?"));
    QVERIFY(driver.seen().first().text.contains("plain text"));
    // A wrong password leaves the wallet unlocked under the right one.
    QVERIFY(db()->hasPassword());
}

void TestExchange::importCommandShowsThePreview()
{
    auto driver = std::make_unique<ModalDriver>();
    QString counts;
    driver->expect("ImportDialog", [&counts](QWidget* dialog) {
        counts = dialog->findChild<QLabel*>("labelCounts")->text();
        QVERIFY(dialog->findChild<QPushButton*>("pushButtonImport")->isEnabled());
        ModalDriver::click(dialog, "pushButtonImport");
    });
    const QString folder =
        ExchangeCommands::importFile(nullptr, [] { return fixture("bitwarden_card.json"); });
    QVERIFY(driver->allAnswered());
    driver.reset();
    QVERIFY(!folder.isEmpty());
    QCOMPARE(counts, QStringLiteral("2 folders, 4 items, 17 fields, into a new folder"));

    // With a problem, Import is off: the preview can only be cancelled.
    ModalDriver refused;
    refused.expect("ImportDialog", [](QWidget* dialog) {
        QVERIFY(!dialog->findChild<QPushButton*>("pushButtonImport")->isEnabled());
        QVERIFY(dialog->findChild<QWidget*>("textProblems")->isVisible());
        ModalDriver::click(dialog, "pushButtonCancel");
    });
    QVERIFY(
        ExchangeCommands::importFile(nullptr, [] { return fixture("short_row.csv"); }).isEmpty());
    QVERIFY(refused.allAnswered());
}

KELVARON_TEST_MAIN(TestExchange)
#include "tst_exchange.moc"
