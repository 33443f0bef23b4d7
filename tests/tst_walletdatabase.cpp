#include "formatfieldvalue.h"
#include "testenvironment.h"
#include "valuecipher.h"
#include "walletdatabase.h"
#include "writelimit.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>
#include <sys/stat.h>

namespace {

const QString Password = QStringLiteral("correct horse");

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

// Starts every test on a wallet file of its own.
void freshFile()
{
    freshWallet();
}

QVariant scalar(const QString& sql)
{
    QSqlQuery query;
    if (!query.exec(sql) || !query.next())
        return {};
    return query.value(0);
}

void exec(const QString& sql)
{
    QSqlQuery query;
    QVERIFY2(query.exec(sql), qPrintable(sql));
}

// The value of an item's field of the given type, read straight from the
// file (deleted rows included) and deciphered under password.
QString rawValue(const QString& item, const QString& type, const QString& password = Password)
{
    QSqlQuery query;
    query.prepare(
        QStringLiteral("SELECT value FROM kelvaron_fields WHERE item_id=:item AND type=:type"));
    query.bindValue(QStringLiteral(":item"), item);
    query.bindValue(QStringLiteral(":type"), type);
    if (!query.exec() || !query.next())
        return QStringLiteral("<no row>");
    bool ok = false;
    const QString value = decryptValue(query.value(0).toByteArray(), password, &ok);
    return ok ? value : QStringLiteral("<unreadable>");
}

QString updateTimestamp()
{
    return scalar(QStringLiteral("SELECT update_timestamp FROM kelvaron_properties")).toString();
}

// Makes the next commit fail: a deferred foreign key that an insert into
// kelvaron_items or kelvaron_fields violates is only checked at COMMIT.
void makeCommitsFail()
{
    exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    exec(QStringLiteral("CREATE TABLE guard_parent (id INTEGER PRIMARY KEY)"));
    exec(QStringLiteral("CREATE TABLE guard_child (parent INTEGER REFERENCES guard_parent(id) "
                        "DEFERRABLE INITIALLY DEFERRED)"));
    for (const char* table : {"kelvaron_items", "kelvaron_fields", "kelvaron_labels"})
        exec(QStringLiteral("CREATE TRIGGER guard_%1_i AFTER INSERT ON %1 BEGIN INSERT INTO "
                            "guard_child VALUES (42); END")
                 .arg(QLatin1String(table)));
    for (const char* table : {"kelvaron_items", "kelvaron_fields", "kelvaron_labels"})
        exec(QStringLiteral("CREATE TRIGGER guard_%1_u AFTER UPDATE ON %1 BEGIN INSERT INTO "
                            "guard_child VALUES (42); END")
                 .arg(QLatin1String(table)));
}

} // namespace

class TestWalletDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init() { freshFile(); }

    void newFileHasSchemaPropertiesAndLabels();
    void builtInLabelsInOrder();
    void newWalletHoldsTheSampleContent();
    void checkPassword();
    void rootRecordNeedsNoDatabase();
    void childrenAreListedFoldersFirstByName();
    void softDeletion();
    void sortWeights();
    void previousPasswordRule();
    void saveFieldWritesOnlyTheIntendedRow_data();
    void saveFieldWritesOnlyTheIntendedRow();
    void writesWithoutPasswordStoreNothing();
    void reencryptAllIncludesDeletedRows();
    void failedCommitLeavesTablesUnchanged();
    void changeOfPasswordIsAllOrNothing_data();
    void changeOfPasswordIsAllOrNothing();
    void moveItem_data();
    void moveItem();
    void filesArePrivate();
    void itemPathEndsAtMissingAncestor();
    void labelOperations();
    void formatFieldValue_data();
    void formatFieldValue();
    void storedDateAndTimeForms();
};

void TestWalletDatabase::newFileHasSchemaPropertiesAndLabels()
{
    QVERIFY(db()->isFreshFile());
    QVERIFY(db()->isUninitialised());
    QVERIFY(QFile::exists(WalletDatabase::databaseFilePath()));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND "
                                   "name LIKE 'kelvaron_%'"))
                 .toInt(),
             4);
    QCOMPARE(scalar(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND "
                                   "tbl_name='kelvaron_items' AND sql IS NOT NULL"))
                 .toString(),
             QStringLiteral("tree_idx1"));
    QSqlQuery query(QStringLiteral("SELECT database_id, lang, version, email, sync_timestamp, "
                                   "update_timestamp FROM kelvaron_properties"));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString().size(), 32);
    QCOMPARE(query.value(0).toString(), db()->walletId());
    QVERIFY(QStringList({"en", "ru"}).contains(query.value(1).toString()));
    QCOMPARE(query.value(2).toString(), QStringLiteral("1"));
    QVERIFY(query.value(3).isNull());
    QVERIFY(query.value(4).isNull());
    QVERIFY(QDateTime::fromString(query.value(5).toString(), "yyyy-MM-dd HH:mm:ss").isValid());
    QVERIFY(!query.next());

    // Reopening an existing file is not fresh and keeps the wallet id.
    const QString id = db()->walletId();
    QVERIFY(openWalletDatabase());
    QVERIFY(!db()->isFreshFile());
    QCOMPARE(db()->walletId(), id);
}

void TestWalletDatabase::builtInLabelsInOrder()
{
    const QStringList expected = {"MAIL|E-mail|mail|labelmail2",
                                  "EXPD|Expiration date|date|labelcalendar",
                                  "PASS|Password|pass|labelpass",
                                  "NOTE|Note|text|labeldoc",
                                  "LINK|Web page|link|labelworld",
                                  "ACNT|Account|text|labelmanhead",
                                  "CARD|Card number|text|labelcreditcard",
                                  "NAME|Name|text|labelpencil",
                                  "PHON|Phone|phon|labelphone",
                                  "PINC|PIN code|text|labelasterisk",
                                  "USER|User name|text|labelman",
                                  "OLDP|Previous password|text|labelpass",
                                  "DATE|Date|date|labelcalendar2",
                                  "TIME|Time|time|labelclock",
                                  "SNUM|Serial number|text|labelnumber",
                                  "ADDR|Address|text|labelhome",
                                  "SQUE|Secret question|text|labelquestion",
                                  "SANS|Secret answer|text|labelinfo3"};
    QStringList rows;
    QSqlQuery query(QStringLiteral("SELECT field_type, label_name, value_type, icon, system, "
                                   "deleted FROM kelvaron_labels"));
    while (query.next()) {
        rows.append(QStringList({query.value(0).toString(), query.value(1).toString(),
                                 query.value(2).toString(), query.value(3).toString()})
                        .join('|'));
        QCOMPARE(query.value(4).toInt(), 1);
        QCOMPARE(query.value(5).toInt(), 0);
    }
    QCOMPARE(rows, expected);
    QCOMPARE(db()->listLabels(2).size(), 18);
    QCOMPARE(db()->listLabels(0).size(), 18);
    QCOMPARE(db()->listLabels(1).size(), 0);
    QCOMPARE(db()->listLabels(0).at(2).fieldType, QStringLiteral("PASS"));
}

void TestWalletDatabase::newWalletHoldsTheSampleContent()
{
    db()->initialiseWallet(Password);
    QVERIFY(!db()->isUninitialised());
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items")).toInt(), 4);
    QCOMPARE(scalar(QStringLiteral("SELECT parent_id FROM kelvaron_items WHERE "
                                   "item_id='__ROOT__'"))
                 .toString(),
             QStringLiteral("________"));

    const QList<ItemRecord> top = db()->listChildren(RootItemId);
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0].name, QStringLiteral("Banking"));
    QVERIFY(top[0].folder);
    QCOMPARE(top[0].icon, QStringLiteral("folderbanking"));
    QCOMPARE(top[1].name, QStringLiteral("Read me"));
    QCOMPARE(top[1].icon, QStringLiteral("document"));
    QCOMPARE(db()->listFields(top[1].itemId).at(0).value, QStringLiteral("Read me text"));

    const QList<ItemRecord> banking = db()->listChildren(top[0].itemId);
    QCOMPARE(banking.size(), 1);
    QCOMPARE(banking[0].name, QStringLiteral("Credit card sample"));
    QCOMPARE(banking[0].itemId.size(), 8);
    QCOMPARE(db()->itemPath(banking[0].itemId), QStringLiteral("/Banking/Credit card sample"));
    QCOMPARE(db()->itemPath(top[1].itemId), QStringLiteral("/Read me"));
    QCOMPARE(db()->itemPath(RootItemId), QStringLiteral("/"));

    QStringList fields;
    for (const FieldRecord& field : db()->listFields(banking[0].itemId))
        fields.append(field.type + '=' + field.value + '=' + field.label.labelName);
    QCOMPARE(fields, QStringList({"NAME=John Smith=Name", "CARD=1234 5678 9012 3456=Card number",
                                  "PINC=1234=PIN code"}));
    QCOMPARE(scalar(QStringLiteral("SELECT group_concat(sort_weight) FROM (SELECT sort_weight "
                                   "FROM kelvaron_fields WHERE item_id='%1' ORDER BY sort_weight)")
                        .arg(banking[0].itemId))
                 .toString(),
             QStringLiteral("100,200,300"));

    // Nothing is stored in clear: names and values decipher only under the password.
    QSqlQuery query(QStringLiteral("SELECT name FROM kelvaron_items WHERE item_id<>'__ROOT__'"));
    while (query.next()) {
        bool ok = false;
        decryptValue(query.value(0).toByteArray(), Password, &ok);
        QVERIFY(ok);
        QVERIFY(!query.value(0).toByteArray().contains("Banking"));
    }

    // A second initialisation changes nothing.
    db()->initialiseWallet(QStringLiteral("other"));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items")).toInt(), 4);
}

void TestWalletDatabase::checkPassword()
{
    QVERIFY(!db()->checkPassword(Password)); // no root yet
    db()->initialiseWallet(Password);
    QVERIFY(openWalletDatabase());
    QVERIFY(!db()->hasPassword());
    QVERIFY(!db()->checkPassword(QStringLiteral("wrong")));
    QVERIFY(!db()->hasPassword());
    QVERIFY(db()->encrypt(QStringLiteral("x")).isEmpty());
    QVERIFY(db()->checkPassword(Password));
    QVERIFY(!db()->encrypt(QStringLiteral("x")).isEmpty());
    QVERIFY(!db()->checkPassword(QStringLiteral("wrong")));
    QVERIFY(db()->hasPassword()); // the right password stays held
    db()->lock();
    QVERIFY(!db()->hasPassword());
    QVERIFY(!QSqlDatabase::contains(QSqlDatabase::defaultConnection));
    db()->close(); // closing a closed store only forgets the password
}

void TestWalletDatabase::rootRecordNeedsNoDatabase()
{
    db()->close();
    const ItemRecord root = db()->getItem(RootItemId);
    QCOMPARE(root.name, QStringLiteral("Kelvaron"));
    QCOMPARE(root.icon, QStringLiteral("root"));
    QVERIFY(root.folder);
    QVERIFY(!root.changeTimestamp.isValid());
}

void TestWalletDatabase::childrenAreListedFoldersFirstByName()
{
    db()->initialiseWallet(Password);
    const QString folder =
        db()->addItem(QString(), RootItemId, QStringLiteral("f"), QStringLiteral("folder"), true)
            .itemId;
    db()->addItem(QString(), folder, QStringLiteral("apple"), QStringLiteral("apple"), false);
    db()->addItem(QString(), folder, QStringLiteral("Zebra"), QStringLiteral("folder"), true);
    db()->addItem(QString(), folder, QStringLiteral("banana"), QStringLiteral("box"), false);
    QStringList names;
    for (const ItemRecord& child : db()->listChildren(folder))
        names.append(child.name);
    QCOMPARE(names, QStringList({"Zebra", "apple", "banana"}));
}

void TestWalletDatabase::softDeletion()
{
    db()->initialiseWallet(Password);
    const QString folder =
        db()->addItem(QString(), RootItemId, QStringLiteral("f"), QString(), true).itemId;
    const QString item =
        db()->addItem(QString(), folder, QStringLiteral("site"), QString(), false).itemId;
    QVERIFY(db()->saveField(QStringLiteral("USER"), QStringLiteral("me"), item, QString()));
    QVERIFY(db()->hasChildren(folder));

    db()->deleteItem(item);
    QVERIFY(!db()->hasChildren(folder));
    QVERIFY(db()->listChildren(folder).isEmpty());
    QCOMPARE(db()->getItem(item).name, QStringLiteral("site"));
    QCOMPARE(db()->listFields(item).size(), 1); // deleteItem leaves the fields live
    QCOMPARE(db()->getParentId(item), QString());
    QVERIFY(db()->updateItem(item, QStringLiteral("new"), QString()).itemId.isEmpty());
    QCOMPARE(db()->getItem(item).name, QStringLiteral("site"));

    const QString other =
        db()->addItem(QString(), folder, QStringLiteral("other"), QString(), false).itemId;
    QVERIFY(db()->saveField(QStringLiteral("USER"), QStringLiteral("a"), other, QString()));
    QVERIFY(db()->saveField(QStringLiteral("NOTE"), QStringLiteral("b"), other, QString()));
    db()->deleteItemWithFields(other);
    QCOMPARE(db()->listFields(other).size(), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(DISTINCT change_timestamp) FROM (SELECT "
                                   "change_timestamp FROM kelvaron_fields WHERE item_id='%1' UNION "
                                   "ALL SELECT change_timestamp FROM kelvaron_items WHERE "
                                   "item_id='%1')")
                        .arg(other))
                 .toInt(),
             1);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items")).toInt(), 7);
}

void TestWalletDatabase::sortWeights()
{
    db()->initialiseWallet(Password);
    const QString item =
        db()->addItem(QString(), RootItemId, QStringLiteral("i"), QString(), false).itemId;
    QCOMPARE(db()->maxSortWeight(item), 0);
    for (const char* value : {"one", "two", "three"})
        QVERIFY(db()->saveField(QStringLiteral("NOTE"), QLatin1String(value), item, QString()));
    QList<FieldRecord> fields = db()->listFields(item);
    QCOMPARE(fields.size(), 3);
    QCOMPARE(db()->maxSortWeight(item), 300);
    db()->deleteField(item, fields[2].fieldId);
    QVERIFY(db()->getField(item, fields[2].fieldId).fieldId.isEmpty()); // deleted: not returned
    QVERIFY(db()->saveField(QStringLiteral("NOTE"), QStringLiteral("four"), item, QString()));
    QStringList values;
    for (const FieldRecord& field : db()->listFields(item))
        values.append(field.value);
    QCOMPARE(values, QStringList({"one", "two", "four"}));
    QCOMPARE(db()->maxSortWeight(item), 300);
}

void TestWalletDatabase::previousPasswordRule()
{
    db()->initialiseWallet(Password);
    const QString item =
        db()->addItem(QString(), RootItemId, QStringLiteral("i"), QString(), false).itemId;
    const QString plain =
        db()->addItem(QString(), RootItemId, QStringLiteral("j"), QString(), false).itemId;
    QVERIFY(db()->saveField(QStringLiteral("PASS"), QStringLiteral("first"), item, QString()));
    QVERIFY(db()->saveField(QStringLiteral("OLDP"), QString(), item, QString()));
    QVERIFY(db()->saveField(QStringLiteral("PASS"), QStringLiteral("solo"), plain, QString()));
    const QList<FieldRecord> fields = db()->listFields(item);
    const QString pass = fields[0].fieldId;
    const QString oldp = fields[1].fieldId;

    exec(QStringLiteral("UPDATE kelvaron_fields SET change_timestamp='2000-01-01 00:00:00'"));
    QVERIFY(db()->saveField(QString(), QStringLiteral("second"), item, pass));
    QCOMPARE(db()->getField(item, pass).value, QStringLiteral("second"));
    QCOMPARE(db()->getField(item, oldp).value, QStringLiteral("first"));
    QCOMPARE(db()->getField(item, oldp).changeTimestamp,
             db()->getField(item, pass).changeTimestamp);

    // Changing the previous-password field itself never triggers the copy.
    QVERIFY(db()->saveField(QString(), QStringLiteral("typed"), item, oldp));
    QCOMPARE(db()->getField(item, oldp).value, QStringLiteral("typed"));

    // Without a live previous-password field, one is created with the old
    // password, so that a change never loses it; a deleted one is left alone.
    QVERIFY(db()->saveField(QStringLiteral("OLDP"), QStringLiteral("deleted"), plain, QString()));
    QVERIFY(db()->deleteField(plain, db()->listFields(plain)[1].fieldId));
    QVERIFY(db()->saveField(QString(), QStringLiteral("solo2"), plain,
                            db()->listFields(plain)[0].fieldId));
    const QList<FieldRecord> fields2 = db()->listFields(plain);
    QCOMPARE(fields2.size(), 2);
    QCOMPARE(fields2[1].type, QStringLiteral("OLDP"));
    QCOMPARE(fields2[1].value, QStringLiteral("solo"));
    QCOMPARE(rawValue(plain, QStringLiteral("PASS")), QStringLiteral("solo2"));
    // A second change updates that field instead of adding another.
    QVERIFY(db()->saveField(QString(), QStringLiteral("solo3"), plain, fields2[0].fieldId));
    QCOMPARE(db()->listFields(plain).size(), 2);
    QCOMPARE(db()->listFields(plain)[1].value, QStringLiteral("solo2"));
}

void TestWalletDatabase::saveFieldWritesOnlyTheIntendedRow_data()
{
    // Each row: what happens to the wallet before the save, which field the
    // save names, the value it saves, and what must then be in the file.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<int>("rows");

    QTest::newRow("changed password keeps the old one") << ""
                                                        << "pass"
                                                        << "second" << true << "second"
                                                        << "first" << 2;
    QTest::newRow("unchanged password writes nothing") << ""
                                                       << "pass"
                                                       << "first" << true << "first"
                                                       << "older" << 2;
    QTest::newRow("no field under that id") << ""
                                            << "ZZZZ"
                                            << "second" << false << "first"
                                            << "older" << 2;
    QTest::newRow("deleted field") << "delete field"
                                   << "pass"
                                   << "second" << false << "first"
                                   << "older" << 2;
    QTest::newRow("field of a deleted item") << "delete item"
                                             << "pass"
                                             << "second" << false << "first"
                                             << "older" << 2;
    QTest::newRow("new field on a deleted item") << "delete item"
                                                 << ""
                                                 << "note" << false << "first"
                                                 << "older" << 2;
    QTest::newRow("update refused: no copy either") << "refuse PASS"
                                                    << "pass"
                                                    << "second" << false << "first"
                                                    << "older" << 2;
    QTest::newRow("copy refused: no update either") << "refuse OLDP"
                                                    << "pass"
                                                    << "second" << false << "first"
                                                    << "older" << 2;
    QTest::newRow("new field") << ""
                               << ""
                               << "note" << true << "first"
                               << "older" << 3;
}

void TestWalletDatabase::saveFieldWritesOnlyTheIntendedRow()
{
    QFETCH(QString, before);
    QFETCH(QString, target);
    QFETCH(QString, value);
    QFETCH(bool, saved);
    QFETCH(QString, password);
    QFETCH(QString, previous);
    QFETCH(int, rows);

    db()->initialiseWallet(Password);
    const QString item =
        db()->addItem(QString(), RootItemId, QStringLiteral("site"), QString(), false).itemId;
    QVERIFY(db()->saveField(QStringLiteral("PASS"), QStringLiteral("first"), item, QString()));
    QVERIFY(db()->saveField(QStringLiteral("OLDP"), QStringLiteral("older"), item, QString()));
    const QString pass = db()->listFields(item).at(0).fieldId;
    if (before == QLatin1String("delete field"))
        db()->deleteField(item, pass);
    else if (before == QLatin1String("delete item"))
        db()->deleteItem(item); // leaves the fields live
    exec(QStringLiteral("UPDATE kelvaron_fields SET change_timestamp='2000-01-01 00:00:00'"));
    if (before.startsWith(QLatin1String("refuse ")))
        exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kelvaron_fields WHEN "
                            "OLD.type='%1' BEGIN SELECT RAISE(ABORT, 'refused'); END")
                 .arg(before.mid(7)));

    const QString fieldId = target == QLatin1String("pass") ? pass : target;
    QCOMPARE(db()->saveField(QStringLiteral("NOTE"), value, item, fieldId), saved);
    QCOMPARE(rawValue(item, QStringLiteral("PASS")), password);
    QCOMPARE(rawValue(item, QStringLiteral("OLDP")), previous);
    QCOMPARE(
        scalar(QStringLiteral("SELECT COUNT(*) FROM kelvaron_fields WHERE item_id='%1'").arg(item))
            .toInt(),
        rows);
    // Only a real change of the password moves its change time.
    const bool moved = saved && target == QLatin1String("pass") && value != QLatin1String("first");
    QCOMPARE(scalar(QStringLiteral("SELECT change_timestamp FROM kelvaron_fields WHERE "
                                   "item_id='%1' AND type='PASS'")
                        .arg(item))
                     .toString() != QLatin1String("2000-01-01 00:00:00"),
             moved);
}

void TestWalletDatabase::writesWithoutPasswordStoreNothing()
{
    db()->initialiseWallet(Password);
    const QString item =
        db()->addItem(QString(), RootItemId, QStringLiteral("kept"), QString(), false).itemId;
    QVERIFY(db()->saveField(QStringLiteral("NOTE"), QStringLiteral("v"), item, QString()));
    const QString field = db()->listFields(item)[0].fieldId;
    QVERIFY(openWalletDatabase()); // open, but no password held

    QVERIFY(db()->addItem(QString(), RootItemId, QStringLiteral("x"), QString(), false)
                .itemId.isEmpty());
    QVERIFY(db()->updateItem(item, QStringLiteral("lost"), QString()).itemId.isEmpty());
    QVERIFY(!db()->saveField(QStringLiteral("NOTE"), QStringLiteral("w"), item, QString()));
    QVERIFY(!db()->saveField(QString(), QStringLiteral("w"), item, field));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items")).toInt(), 5);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items WHERE length(name)=0 OR "
                                   "name IS NULL"))
                 .toInt(),
             0);
    QVERIFY(!db()->reencryptAll(QStringLiteral("new"), WalletProtection::Format::Original));

    QVERIFY(db()->checkPassword(Password));
    QCOMPARE(db()->getItem(item).name, QStringLiteral("kept"));
    QCOMPARE(db()->getField(item, field).value, QStringLiteral("v"));
}

void TestWalletDatabase::reencryptAllIncludesDeletedRows()
{
    db()->initialiseWallet(Password);
    const QString item =
        db()->addItem(QString(), RootItemId, QStringLiteral("gone"), QString(), false).itemId;
    QVERIFY(db()->saveField(QStringLiteral("PASS"), QStringLiteral("hidden"), item, QString()));
    db()->deleteItemWithFields(item);
    const QString labelsBefore =
        scalar(QStringLiteral("SELECT group_concat(label_name) FROM kelvaron_labels")).toString();
    const QString stampBefore =
        scalar(QStringLiteral("SELECT group_concat(change_timestamp) FROM kelvaron_items"))
            .toString();

    QVERIFY(db()->reencryptAll(QStringLiteral("new password"), WalletProtection::Format::Original));
    QVERIFY(openWalletDatabase());
    QVERIFY(!db()->checkPassword(Password));
    QVERIFY(db()->checkPassword(QStringLiteral("new password")));
    QCOMPARE(db()->getItem(item).name, QStringLiteral("gone"));
    QCOMPARE(rawValue(item, QStringLiteral("PASS"), QStringLiteral("new password")),
             QStringLiteral("hidden"));
    QCOMPARE(cipherRowsOpenedBy(QStringLiteral("new password")).total, 5 + 5);
    QCOMPARE(cipherRowsOpenedBy(QStringLiteral("new password")).opened, 5 + 5);
    QCOMPARE(
        scalar(QStringLiteral("SELECT group_concat(label_name) FROM kelvaron_labels")).toString(),
        labelsBefore);
    QCOMPARE(scalar(QStringLiteral("SELECT group_concat(change_timestamp) FROM kelvaron_items"))
                 .toString(),
             stampBefore);
}

void TestWalletDatabase::failedCommitLeavesTablesUnchanged()
{
    db()->initialiseWallet(Password);
    const QString item = db()->listChildren(RootItemId)[1].itemId;
    const QString field = db()->listFields(item)[0].fieldId;
    makeCommitsFail();
    exec(QStringLiteral("UPDATE kelvaron_properties SET update_timestamp='2000-01-01 00:00:00'"));

    // Variant A: nothing stored and the update time stays.
    QVERIFY(db()->addItem(QString(), RootItemId, QStringLiteral("new"), QString(), false)
                .itemId.isEmpty());
    QVERIFY(db()->updateItem(item, QStringLiteral("renamed"), QString()).itemId.isEmpty());
    QCOMPARE(db()->getItem(item).name, QStringLiteral("Read me"));
    QCOMPARE(updateTimestamp(), QStringLiteral("2000-01-01 00:00:00"));
    // Variant B: nothing stored, but the update time moves.
    QVERIFY(!db()->saveField(QString(), QStringLiteral("changed"), item, field));
    QCOMPARE(db()->getField(item, field).value, QStringLiteral("Read me text"));
    QVERIFY(updateTimestamp() != QStringLiteral("2000-01-01 00:00:00"));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items")).toInt(), 4);
    QVERIFY(!db()->reencryptAll(QStringLiteral("new"), WalletProtection::Format::Original));
    QVERIFY(db()->checkPassword(Password));
}

void TestWalletDatabase::changeOfPasswordIsAllOrNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("strong");
    QTest::newRow("disk full midway") << "file size limit" << false;
    QTest::newRow("one update refused") << "trigger" << false;
    QTest::newRow("a value that does not decipher") << "damaged value" << false;
    QTest::newRow("a name that does not decipher") << "damaged name" << false;
    // Turning strong adds the key-derivation columns last: a refusal after
    // them must take them away again with the rest.
    QTest::newRow("to strong, disk full midway") << "file size limit" << true;
    QTest::newRow("to strong, one update refused") << "trigger" << true;
    QTest::newRow("to strong, properties refused") << "properties trigger" << true;
}

void TestWalletDatabase::changeOfPasswordIsAllOrNothing()
{
    QFETCH(QString, fault);
    QFETCH(bool, strong);
    db()->initialiseWallet(Password);
    // Enough rows to span several pages, so that a fault can strike midway.
    const QString item =
        db()->addItem(QString(), RootItemId, QStringLiteral("many"), QString(), false).itemId;
    exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < 300; ++i) {
        bool ok = false;
        QSqlQuery insert;
        insert.prepare(QStringLiteral("INSERT INTO kelvaron_fields (item_id, field_id, type, "
                                      "value, sort_weight) VALUES (:i, :f, 'NOTE', :v, :w)"));
        insert.bindValue(QStringLiteral(":i"), item);
        insert.bindValue(QStringLiteral(":f"), QStringLiteral("N%1").arg(i, 3, 10, QChar('0')));
        insert.bindValue(QStringLiteral(":v"),
                         encryptValue(QString(100, QChar('a' + i % 26)), Password, &ok));
        insert.bindValue(QStringLiteral(":w"), 100 * (i + 1));
        QVERIFY(insert.exec());
    }
    exec(QStringLiteral("COMMIT"));
    const CipherRows all = cipherRowsOpenedBy(Password);
    int expectedOpened = all.total;
    if (fault == QLatin1String("trigger")) {
        exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kelvaron_fields WHEN "
                            "OLD.field_id='N150' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    } else if (fault == QLatin1String("properties trigger")) {
        exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kelvaron_properties BEGIN "
                            "SELECT RAISE(ABORT, 'refused'); END"));
    } else if (fault.startsWith(QLatin1String("damaged"))) {
        exec(fault.endsWith(QLatin1String("value"))
                 ? QStringLiteral("UPDATE kelvaron_fields SET value=x'00112233' WHERE "
                                  "field_id='N200'")
                 : QStringLiteral("UPDATE kelvaron_items SET name=x'00112233' WHERE item_id='%1'")
                       .arg(item));
        expectedOpened -= 1;
    }
    QFile file(WalletDatabase::databaseFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QStringList unreadable;
    bool changed = true;
    const auto format =
        strong ? WalletProtection::Format::Argon2id : WalletProtection::Format::Original;
    if (fault == QLatin1String("file size limit")) {
        // The rollback journal may grow to three pages: the fourth page that
        // the work touches fails to be written, as on a full disk.
        const WriteLimit limit(3 * 4096 + 4096);
        changed = db()->reencryptAll(QStringLiteral("new"), format, {}, &unreadable);
    } else {
        changed = db()->reencryptAll(QStringLiteral("new"), format, {}, &unreadable);
    }
    QVERIFY(!changed);
    QVERIFY(!db()->protection().isStrong());

    // Wholly under the old password, byte for byte as before.
    QVERIFY(openWalletDatabase());
    QVERIFY(db()->checkPassword(Password));
    QCOMPARE(cipherRowsOpenedBy(Password).opened, expectedOpened);
    QCOMPARE(cipherRowsOpenedBy(QStringLiteral("new")).opened, 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == before);
    QVERIFY(!db()->protection().isStrong());
    QVERIFY(!WalletProtection::hasKdfColumns(QSqlDatabase::database()));
    if (fault == QLatin1String("damaged value"))
        QCOMPARE(unreadable, QStringList({QStringLiteral("/many")}));
    else if (fault == QLatin1String("damaged name"))
        QCOMPARE(unreadable,
                 QStringList({QStringLiteral("/ (item %1, name unreadable)").arg(item)}));
    else
        QVERIFY(unreadable.isEmpty());
}

void TestWalletDatabase::moveItem_data()
{
    // The tree: A/B/item1, C/, item2, a deleted folder D and a deleted item3.
    using Result = WalletDatabase::MoveResult;
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("pathAfter");
    QTest::newRow("an item into a folder") << "item1"
                                           << "C" << int(Result::Moved) << "/C/item1";
    QTest::newRow("a folder with what it holds") << "A"
                                                 << "C" << int(Result::Moved) << "/C/A";
    QTest::newRow("to the root") << "item1"
                                 << "root" << int(Result::Moved) << "/item1";
    QTest::newRow("where it is") << "item1"
                                 << "B" << int(Result::AlreadyThere) << "/A/B/item1";
    QTest::newRow("the root") << "root"
                              << "C" << int(Result::IsRoot) << "/";
    QTest::newRow("into itself") << "A"
                                 << "A" << int(Result::IntoItself) << "/A";
    QTest::newRow("below itself") << "A"
                                  << "B" << int(Result::IntoItself) << "/A";
    QTest::newRow("onto an item") << "item1"
                                  << "item2" << int(Result::TargetNotFolder) << "/A/B/item1";
    QTest::newRow("into a deleted folder") << "item1"
                                           << "D" << int(Result::TargetNotFolder) << "/A/B/item1";
    QTest::newRow("into no folder") << "item1"
                                    << "none" << int(Result::TargetNotFolder) << "/A/B/item1";
    QTest::newRow("a deleted item") << "item3"
                                    << "C" << int(Result::ItemNotFound) << "/item3";
}

void TestWalletDatabase::moveItem()
{
    QFETCH(QString, item);
    QFETCH(QString, target);
    QFETCH(int, result);
    QFETCH(QString, pathAfter);
    db()->initialiseWallet(Password);
    QHash<QString, QString> ids{{"root", RootItemId}, {"none", "NOSUCHID"}};
    const auto add = [&](const QString& name, const QString& parent, bool folder) {
        ids.insert(name, db()->addItem({}, ids.value(parent), name, "key", folder).itemId);
    };
    add("A", "root", true);
    add("B", "A", true);
    add("item1", "B", false);
    add("C", "root", true);
    add("item2", "root", false);
    add("D", "root", true);
    add("item3", "C", false);
    QVERIFY(db()->deleteItem(ids["D"]));
    QVERIFY(db()->deleteItem(ids["item3"]));
    exec(QStringLiteral("UPDATE kelvaron_items SET change_timestamp='2001-01-01 00:00:00'"));
    QFile file(WalletDatabase::databaseFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    const QString movedAt = currentTimestamp();
    QCOMPARE(int(db()->moveItem(ids[item], ids[target])), result);
    QCOMPARE(db()->itemPath(ids[item]), pathAfter);
    if (result == int(WalletDatabase::MoveResult::Moved)) {
        // The change time is the move's, whatever today is.
        QVERIFY(
            scalar("SELECT change_timestamp FROM kelvaron_items WHERE item_id='" + ids[item] + "'")
                .toString() >= movedAt);
        QCOMPARE(db()->getParentId(ids[item]), ids[target]);
        QCOMPARE(db()->itemPath(ids["item1"]).endsWith("/item1"), true);
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == before);
    }
}

void TestWalletDatabase::filesArePrivate()
{
    // Whatever the umask, other users never read the wallet or its journal.
    const mode_t oldMask = ::umask(022);
    db()->close();
    const QString folder = WalletDatabase::dataFolderPath();
    QFile::remove(WalletDatabase::databaseFilePath());
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                              QFileDevice::ExeOther));
    QVERIFY(openWalletDatabase());
    db()->initialiseWallet(Password);
    const auto mode = [](const QString& path) {
        struct stat status
        {
        };
        ::stat(QFile::encodeName(path).constData(), &status);
        return int(status.st_mode & 0777);
    };
    QCOMPARE(mode(folder), 0700);
    QCOMPARE(mode(WalletDatabase::databaseFilePath()), 0600);
    // The journal of a write in progress takes the wallet's mode.
    exec(QStringLiteral("BEGIN"));
    exec(QStringLiteral("UPDATE kelvaron_properties SET email='x'"));
    exec(QStringLiteral("PRAGMA cache_spill=1"));
    const QString journal = WalletDatabase::databaseFilePath() + QStringLiteral("-journal");
    QVERIFY(QFile::exists(journal));
    QCOMPARE(mode(journal), 0600);
    exec(QStringLiteral("ROLLBACK"));

    // A wallet left readable by others is made private when it is opened.
    db()->close();
    QVERIFY(QFile::setPermissions(WalletDatabase::databaseFilePath(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ReadOther));
    QVERIFY(openWalletDatabase());
    QCOMPARE(mode(WalletDatabase::databaseFilePath()), 0600);
    ::umask(oldMask);
}

void TestWalletDatabase::itemPathEndsAtMissingAncestor()
{
    db()->initialiseWallet(Password);
    const QString a =
        db()->addItem(QString(), RootItemId, QStringLiteral("a"), QString(), true).itemId;
    const QString b = db()->addItem(QString(), a, QStringLiteral("b"), QString(), true).itemId;
    const QString c = db()->addItem(QString(), b, QStringLiteral("c"), QString(), false).itemId;
    QCOMPARE(db()->itemPath(c), QStringLiteral("/a/b/c"));
    // A deleted top folder has no live row to ask for its parent: the walk
    // ends there instead of running forever.
    db()->deleteItem(a);
    QCOMPARE(db()->itemPath(c), QStringLiteral("/a/b/c"));
    exec(QStringLiteral("UPDATE kelvaron_items SET parent_id='%1' WHERE item_id='%2'").arg(c, b));
    QCOMPARE(db()->itemPath(c), QStringLiteral("/b/c")); // a cycle ends too
    QCOMPARE(itemPathOf(QString()), QString());
}

void TestWalletDatabase::labelOperations()
{
    db()->initialiseWallet(Password);
    exec(QStringLiteral("UPDATE kelvaron_labels SET change_timestamp='2000-01-01 00:00:00'"));
    db()->updateLabel(QStringLiteral("MAIL"), QString(), QString());
    QCOMPARE(scalar(QStringLiteral(
                        "SELECT change_timestamp FROM kelvaron_labels WHERE field_type='MAIL'"))
                 .toString(),
             QStringLiteral("2000-01-01 00:00:00"));
    db()->updateLabel(QStringLiteral("MAIL"), QStringLiteral("Mailbox"), QStringLiteral("labelat"));
    const LabelRecord mail = db()->getLabel(QStringLiteral("MAIL"));
    QCOMPARE(mail.labelName, QStringLiteral("Mailbox"));
    QCOMPARE(mail.icon, QStringLiteral("labelat"));
    QCOMPARE(mail.valueType, QStringLiteral("mail"));
    QVERIFY(mail.system);

    db()->deleteLabel(QStringLiteral("PASS"));
    QCOMPARE(db()->listLabels(0).size(), 18);

    const QString code = db()->addCustomLabel(QStringLiteral("Licence key"),
                                              QStringLiteral("labelstar"), QStringLiteral("pass"));
    QCOMPARE(code.size(), 4);
    QCOMPARE(db()->listLabels(1).size(), 1);
    QVERIFY(!db()->getLabel(code).system);
    const QString item =
        db()->addItem(QString(), RootItemId, QStringLiteral("app"), QString(), false).itemId;
    QVERIFY(db()->saveField(code, QStringLiteral("AAAA-BBBB"), item, QString()));
    QVERIFY(db()->saveField(code, QStringLiteral("CCCC"), item, QString()));
    QCOMPARE(db()->labelUsageCount(code), 2);
    db()->deleteField(item, db()->listFields(item)[0].fieldId);
    QCOMPARE(db()->labelUsageCount(code), 1);

    db()->deleteLabel(code);
    QCOMPARE(db()->listLabels(1).size(), 0);
    QCOMPARE(db()->listLabels(0).size(), 18);
    QCOMPARE(db()->listFields(item)[0].label.labelName, QStringLiteral("Licence key"));
}

void TestWalletDatabase::formatFieldValue_data()
{
    QTest::addColumn<QString>("valueType");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("date, month counted from zero")
        << "date"
        << "20261131" << QDate(2026, 12, 31).toString(Qt::TextDate);
    QTest::newRow("date, January") << "date"
                                   << "20260005" << QDate(2026, 1, 5).toString(Qt::TextDate);
    QTest::newRow("date of 7 characters") << "date"
                                          << "2026113" << QString();
    QTest::newRow("time without seconds") << "time"
                                          << "093015"
                                          << "09:30";
    QTest::newRow("password in clear") << "pass"
                                       << "s3cret"
                                       << "s3cret";
    QTest::newRow("text unchanged") << "text"
                                    << "line 1\nline 2"
                                    << "line 1\nline 2";
}

void TestWalletDatabase::formatFieldValue()
{
    QFETCH(QString, valueType);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    FieldRecord field;
    field.value = value;
    field.label.valueType = valueType;
    QCOMPARE(::formatFieldValue(field), shown);
}

void TestWalletDatabase::storedDateAndTimeForms()
{
    QCOMPARE(storedDate(QDate(2026, 1, 5)), QStringLiteral("20260005"));
    QCOMPARE(storedDate(QDate(2026, 12, 31)), QStringLiteral("20261131"));
    QCOMPARE(storedTime(QTime(9, 5, 7)), QStringLiteral("090507"));
    QCOMPARE(parseStoredTime(QStringLiteral("090507")), QTime(9, 5, 7));
    QCOMPARE(parseStoredDate(QStringLiteral("20261131")), QDate(2026, 12, 31));
    // A year before 1000 is padded to four digits, so the date reads back.
    QCOMPARE(storedDate(QDate(999, 3, 4)), QStringLiteral("09990204"));
    QCOMPARE(parseStoredDate(storedDate(QDate(5, 1, 1))), QDate(5, 1, 1));
}

KELVARON_TEST_MAIN(TestWalletDatabase)
#include "tst_walletdatabase.moc"
