#include "gcmcipher.h"
#include "testenvironment.h"
#include "walletdatabase.h"
#include "walletprotection.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString Password = QStringLiteral("correct horse");
const QString Script = QStringLiteral(KELVARON_TEST_DATA "/format2.py");
const QString ScriptWallet = QStringLiteral(KELVARON_TEST_DATA "/format2_wallet.dat");
using Format = WalletProtection::Format;

WalletDatabase* db()
{
    return WalletDatabase::instance();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The rows of one table of the independent script's vectors.
QList<QList<QByteArray>> vectorRows(const QByteArray& table)
{
    QFile file(QStringLiteral(KELVARON_TEST_DATA "/format2_vectors.tsv"));
    QList<QList<QByteArray>> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    while (!file.atEnd()) {
        // Split on tabs without trimming: an empty plaintext is an empty column.
        const QList<QByteArray> columns = file.readLine().chopped(1).split('\t');
        if (columns.first() == table)
            rows.append(columns.mid(1));
    }
    return rows;
}

QString utf8Hex(const QByteArray& hex)
{
    const QByteArray utf8 = QByteArray::fromHex(hex);
    return QString::fromUtf8(utf8.constData(), utf8.size());
}

// Runs the independent script; its standard output, or a failure.
QByteArray runScript(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"), QStringList{Script} + arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning() << process.readAllStandardError();
        return {};
    }
    return process.readAllStandardOutput();
}

// A strong wallet with one item of two fields, locked and closed.
QString closedStrongWallet()
{
    freshWallet();
    db()->initialiseWallet(Password, Format::Argon2id);
    const QString item = db()->addItem({}, RootItemId, "Bank", "key", false).itemId;
    db()->saveField("USER", "heron", item, {});
    db()->saveField("PASS", "s3cret ✓", item, {});
    db()->close();
    return item;
}

// Every live name and value the store shows, by item path.
QStringList shownContent()
{
    QStringList content;
    for (const ItemRecord& item : db()->listLiveItems())
        if (item.itemId != RootItemId)
            content.append(db()->itemPath(item.itemId));
    for (const auto& field : db()->listLiveFields())
        content.append(db()->itemPath(field.first) + ": " + field.second.value);
    content.sort();
    return content;
}

} // namespace

class TestWalletProtection : public QObject
{
    Q_OBJECT

private slots:
    void argon2KnownAnswers_data();
    void argon2KnownAnswers();
    void gcmKnownAnswers_data();
    void gcmKnownAnswers();
    void gcmEachValueHasItsOwnNonce();
    void gcmRefusesDamagedValues_data();
    void gcmRefusesDamagedValues();
    void newStrongWalletIsVersion2();
    void scriptWalletOpens();
    void programWalletIsReadByTheScript();
    void badSettingsAreRefusedUntouched_data();
    void badSettingsAreRefusedUntouched();
    void tamperedValuesShowAsUnreadable_data();
    void tamperedValuesShowAsUnreadable();
    void conversionKeepsEveryValue_data();
    void conversionKeepsEveryValue();
};

// Vectors made with the argon2 command-line tool by tests/data/format2.py.
void TestWalletProtection::argon2KnownAnswers_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("salt");
    QTest::addColumn<qint64>("memory");
    QTest::addColumn<qint64>("iterations");
    QTest::addColumn<qint64>("parallelism");
    QTest::addColumn<QByteArray>("key");
    const auto rows = vectorRows("argon2");
    QVERIFY(rows.size() >= 5);
    for (const auto& row : rows)
        QTest::newRow(row[0].constData())
            << QByteArray::fromHex(row[1]) << QByteArray::fromHex(row[2]) << row[3].toLongLong()
            << row[4].toLongLong() << row[5].toLongLong() << QByteArray::fromHex(row[6]);
}

void TestWalletProtection::argon2KnownAnswers()
{
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, salt);
    QFETCH(qint64, memory);
    QFETCH(qint64, iterations);
    QFETCH(qint64, parallelism);
    QFETCH(QByteArray, key);
    QCOMPARE(WalletProtection::argon2idKey(password, salt, memory, iterations, parallelism).toHex(),
             key.toHex());
}

// Vectors made with Python's cryptography AESGCM by tests/data/format2.py.
void TestWalletProtection::gcmKnownAnswers_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("plaintext");
    QTest::addColumn<QByteArray>("value");
    const auto rows = vectorRows("gcm");
    QVERIFY(rows.size() >= 5);
    for (const auto& row : rows)
        QTest::newRow(row[0].constData())
            << QByteArray::fromHex(row[1]) << utf8Hex(row[2]) << QByteArray::fromHex(row[3]);
}

void TestWalletProtection::gcmKnownAnswers()
{
    QFETCH(QByteArray, key);
    QFETCH(QString, plaintext);
    QFETCH(QByteArray, value);
    GcmCipher cipher(key);
    bool ok = false;
    QCOMPARE(cipher.decrypt(value, &ok), plaintext);
    QVERIFY(ok);
    // And back: what the program writes opens again, at the format's length.
    const QByteArray written = cipher.encrypt(plaintext, &ok);
    QVERIFY(ok);
    QCOMPARE(written.size(), value.size());
    QCOMPARE(cipher.decrypt(written, &ok), plaintext);
    QVERIFY(ok);
}

void TestWalletProtection::gcmEachValueHasItsOwnNonce()
{
    GcmCipher cipher(QByteArray(32, 'k'));
    bool ok = false;
    const QByteArray first = cipher.encrypt("same", &ok);
    const QByteArray second = cipher.encrypt("same", &ok);
    QVERIFY(first.left(12) != second.left(12));
    QVERIFY(first != second);
}

void TestWalletProtection::gcmRefusesDamagedValues_data()
{
    QTest::addColumn<QByteArray>("value");
    GcmCipher cipher(QByteArray(32, 'k'));
    bool ok = false;
    const QByteArray good = cipher.encrypt("account 4111", &ok);
    const auto flipped = [&good](int at) {
        QByteArray bytes = good;
        bytes[at] = char(bytes[at] ^ 1);
        return bytes;
    };
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("27 bytes") << good.left(27);
    QTest::newRow("tag cut off") << good.left(good.size() - 1);
    QTest::newRow("nonce changed") << flipped(0);
    QTest::newRow("ciphertext changed") << flipped(12);
    QTest::newRow("tag changed") << flipped(good.size() - 1);
    QTest::newRow("another key's value") << GcmCipher(QByteArray(32, 'j')).encrypt("x", &ok);
}

void TestWalletProtection::gcmRefusesDamagedValues()
{
    QFETCH(QByteArray, value);
    GcmCipher cipher(QByteArray(32, 'k'));
    bool ok = true;
    QVERIFY(cipher.decrypt(value, &ok).isEmpty());
    QVERIFY(!ok);
}

void TestWalletProtection::newStrongWalletIsVersion2()
{
    const QString item = closedStrongWallet();
    QVERIFY(openWalletDatabase());
    QVERIFY(db()->protection().isStrong());
    QCOMPARE(db()->protection().memoryKiB(), 65536);
    QCOMPARE(db()->protection().iterations(), 3);
    QCOMPARE(db()->protection().parallelism(), 2);
    QCOMPARE(db()->protection().salt().size(), 16);
    QSqlQuery query("SELECT version, kdf, length(kdf_salt) FROM kelvaron_properties");
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("2"));
    QCOMPARE(query.value(1).toString(), QStringLiteral("argon2id"));
    QCOMPARE(query.value(2).toInt(), 16);
    QVERIFY(!db()->checkPassword("wrong"));
    QVERIFY(!db()->hasPassword());
    QVERIFY(db()->checkPassword(Password));
    QCOMPARE(db()->listFields(item).at(1).value, QStringLiteral("s3cret ✓"));
    // Equal plaintexts no longer give equal stored values.
    QVERIFY(db()->encrypt("same") != db()->encrypt("same"));
    QVERIFY(db()->protection().description().contains("Argon2id"));
}

void TestWalletProtection::scriptWalletOpens()
{
    db()->close();
    QFile::remove(WalletDatabase::databaseFilePath());
    QVERIFY(QFile::copy(ScriptWallet, WalletDatabase::databaseFilePath()));
    QFile::setPermissions(WalletDatabase::databaseFilePath(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(openWalletDatabase());
    QCOMPARE(db()->state(), WalletDatabase::State::Ready);
    QVERIFY(db()->protection().isStrong());
    QVERIFY(!db()->checkPassword("correct hors"));
    QVERIFY(db()->checkPassword(Password));
    QCOMPARE(shownContent(),
             QStringList({"/Web sites", "/Web sites/Forum", "/Web sites/Forum: heron",
                          "/Web sites/Forum: https://example.org/",
                          "/Web sites/Forum: p@ss, \"quoted\" ✓", "/Заметка",
                          "/Заметка: ", "/Заметка: first line\nsecond line"}));
}

void TestWalletProtection::programWalletIsReadByTheScript()
{
    const QString item = closedStrongWallet();
    const QByteArray output = runScript({"read", WalletDatabase::databaseFilePath(), Password});
    const QJsonObject read = QJsonDocument::fromJson(output).object();
    QVERIFY2(!read.isEmpty(), output.constData());
    QVERIFY(openWalletDatabase());
    QVERIFY(db()->checkPassword(Password));
    QCOMPARE(read["names"].toObject()[item].toString(), QStringLiteral("Bank"));
    int values = 0;
    for (const auto& field : db()->listLiveFields()) {
        QCOMPARE(read["values"].toObject()[field.first + "/" + field.second.fieldId].toString(),
                 field.second.value);
        ++values;
    }
    QVERIFY(values >= 2);
    QCOMPARE(read["values"].toObject().size(), values);
}

void TestWalletProtection::badSettingsAreRefusedUntouched_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("version 2 without the columns")
        << "UPDATE kelvaron_properties SET version='2'; "
           "ALTER TABLE kelvaron_properties DROP COLUMN kdf_salt";
    QTest::newRow("unknown derivation") << "UPDATE kelvaron_properties SET kdf='scrypt'";
    QTest::newRow("memory under 8 MiB") << "UPDATE kelvaron_properties SET kdf_memory=8191";
    QTest::newRow("memory over 1 GiB") << "UPDATE kelvaron_properties SET kdf_memory=1048577";
    QTest::newRow("memory of 4 GiB") << "UPDATE kelvaron_properties SET kdf_memory=4194304";
    QTest::newRow("no memory") << "UPDATE kelvaron_properties SET kdf_memory=NULL";
    QTest::newRow("0 iterations") << "UPDATE kelvaron_properties SET kdf_iterations=0";
    QTest::newRow("11 iterations") << "UPDATE kelvaron_properties SET kdf_iterations=11";
    QTest::newRow("100 iterations") << "UPDATE kelvaron_properties SET kdf_iterations=100";
    QTest::newRow("parallelism 0") << "UPDATE kelvaron_properties SET kdf_parallelism=0";
    QTest::newRow("parallelism 17") << "UPDATE kelvaron_properties SET kdf_parallelism=17";
    QTest::newRow("parallelism 64") << "UPDATE kelvaron_properties SET kdf_parallelism=64";
    QTest::newRow("salt of 15 bytes")
        << "UPDATE kelvaron_properties SET kdf_salt=substr(kdf_salt, 1, 15)";
    QTest::newRow("salt of 17 bytes")
        << "UPDATE kelvaron_properties SET kdf_salt=kdf_salt || x'00'";
}

void TestWalletProtection::badSettingsAreRefusedUntouched()
{
    QFETCH(QString, sql);
    closedStrongWallet();
    for (const QString& statement : sql.split("; "))
        runOnWalletFile(statement);
    const QByteArray before = fileBytes(WalletDatabase::databaseFilePath());
    QVERIFY(openWalletDatabase());
    QCOMPARE(db()->state(), WalletDatabase::State::Damaged);
    QVERIFY(!db()->problem().isEmpty());
    db()->close();
    QVERIFY(fileBytes(WalletDatabase::databaseFilePath()) == before);
}

void TestWalletProtection::tamperedValuesShowAsUnreadable_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("a changed byte") << "UPDATE kelvaron_fields SET value="
                                       "substr(value, 1, 13) || x'00' || substr(value, 15) "
                                       "WHERE type='PASS'";
    QTest::newRow("27 bytes") << "UPDATE kelvaron_fields SET value=substr(value, 1, 27) "
                                 "WHERE type='PASS'";
    bool ok = false;
    const QByteArray foreign = GcmCipher(QByteArray(32, 'x')).encrypt("other", &ok);
    QTest::newRow("a value under another key") << "UPDATE kelvaron_fields SET value=x'" +
                                                      QString::fromLatin1(foreign.toHex()) +
                                                      "' WHERE type='PASS'";
}

void TestWalletProtection::tamperedValuesShowAsUnreadable()
{
    QFETCH(QString, sql);
    const QString item = closedStrongWallet();
    runOnWalletFile(sql);
    QVERIFY(openWalletDatabase());
    QVERIFY(db()->checkPassword(Password));
    const QList<FieldRecord> fields = db()->listFields(item);
    QCOMPARE(fields.at(0).value, QStringLiteral("heron"));
    QCOMPARE(fields.at(1).value, QStringLiteral("(unreadable)"));
}

void TestWalletProtection::conversionKeepsEveryValue_data()
{
    QTest::addColumn<bool>("fromStrong");
    QTest::addColumn<bool>("toStrong");
    QTest::newRow("original to strong") << false << true;
    QTest::newRow("strong to original") << true << false;
    QTest::newRow("strong to strong") << true << true;
    QTest::newRow("original to original") << false << false;
}

void TestWalletProtection::conversionKeepsEveryValue()
{
    QFETCH(bool, fromStrong);
    QFETCH(bool, toStrong);
    freshWallet();
    db()->initialiseWallet(Password, fromStrong ? Format::Argon2id : Format::Original);
    const QString item = db()->addItem({}, RootItemId, "Bank", "key", false).itemId;
    db()->saveField("PASS", "s3cret ✓", item, {});
    const QByteArray oldSalt = db()->protection().salt();
    const QStringList before = shownContent();
    const CipherRows rows = cipherRowsOpenedBy(Password);
    QCOMPARE(rows.opened, rows.total);

    QVERIFY(db()->reencryptAll("new password", toStrong ? Format::Argon2id : Format::Original));
    QCOMPARE(db()->protection().isStrong(), toStrong);
    QCOMPARE(shownContent(), before);

    // As the file says after a restart.
    db()->close();
    QVERIFY(openWalletDatabase());
    QCOMPARE(db()->protection().isStrong(), toStrong);
    QCOMPARE(WalletProtection::hasKdfColumns(QSqlDatabase::database()), toStrong);
    QSqlQuery query("SELECT version FROM kelvaron_properties");
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), toStrong ? QStringLiteral("2") : QStringLiteral("1"));
    if (fromStrong && toStrong)
        QVERIFY(db()->protection().salt() != oldSalt);
    QCOMPARE(cipherRowsOpenedBy("new password").opened, rows.total);
    QCOMPARE(cipherRowsOpenedBy(Password).opened, 0);
    QVERIFY(!db()->checkPassword(Password));
    QVERIFY(db()->checkPassword("new password"));
    QCOMPARE(shownContent(), before);
}

KELVARON_TEST_MAIN(TestWalletProtection)
#include "tst_walletprotection.moc"
