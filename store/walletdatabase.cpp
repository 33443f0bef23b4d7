#include "walletdatabase.h"

#include "filesafety.h"
#include "randomstring.h"

#include <cstdlib>
#include <memory>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QVariant>

const QString RootItemId = QStringLiteral("__ROOT__");

namespace {

std::unique_ptr<WalletDatabase>& walletInstance()
{
    static std::unique_ptr<WalletDatabase> instance;
    return instance;
}

// How long a statement waits for another program that holds the file.
constexpr int BusyTimeoutMs = 3000;

const char* const SchemaStatements[] = {
    "CREATE TABLE IF NOT EXISTS kelvaron_properties ( database_id      CHAR(32) PRIMARY KEY  NOT "
    "NULL ,   lang             CHAR(2) NOT NULL ,   version          CHAR(10),    email            "
    "CHAR(200),   sync_timestamp   DATETIME,    update_timestamp DATETIME)  ",
    "CREATE TABLE IF NOT EXISTS kelvaron_labels ( field_type       CHAR(4) PRIMARY KEY  NOT NULL  "
    ",   label_name       VARCHAR(255),        value_type       VARCHAR(10),         icon          "
    "   CHAR(48),            system           BOOL DEFAULT 0,      change_timestamp DATETIME,      "
    "      deleted          BOOL DEFAULT 0)    ",
    "CREATE TABLE IF NOT EXISTS kelvaron_fields ( item_id          CHAR(8) NOT NULL ,   field_id  "
    "       CHAR(4) NOT NULL ,   type             CHAR(4),   value            BLOB,   "
    "change_timestamp DATETIME,   deleted          BOOL DEFAULT 0,   sort_weight      INTEGER, "
    "PRIMARY KEY (item_id,field_id) )",
    "CREATE TABLE IF NOT EXISTS kelvaron_items ( item_id          CHAR(8) PRIMARY KEY  NOT NULL ,  "
    " parent_id        CHAR(8),    name             BLOB,       icon             CHAR(48),   "
    "field_id         CHAR(4),    folder           BOOL,       create_timestamp DATETIME,   "
    "change_timestamp DATETIME,   deleted          BOOL DEFAULT 0)",
    "CREATE INDEX tree_idx1 ON kelvaron_items(parent_id)",
};

} // namespace

WalletDatabase::WalletDatabase() = default;

WalletDatabase::~WalletDatabase()
{
    forgetPassword();
}

WalletDatabase* WalletDatabase::instance()
{
    return walletInstance().get();
}

QString WalletDatabase::dataFolderPath()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DataLocation));
}

QString WalletDatabase::databaseFilePath()
{
    return QDir::toNativeSeparators(dataFolderPath() + QDir::separator() +
                                    QStringLiteral("kelvaron.dat"));
}

bool openWalletDatabase()
{
    try {
        walletInstance() = std::make_unique<WalletDatabase>();
        WalletDatabase* db = walletInstance().get();
        db->close();
        if (!QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false).isOpen())
            db->open();
        return true;
    } catch (...) {
        return false;
    }
}

QString currentTimestamp()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString languageCode()
{
    const QString code = QLocale::system().name().left(2);
    if (!code.isEmpty() && QStringLiteral("en,ru").contains(code))
        return code;
    return QStringLiteral("en");
}

void WalletDatabase::open()
{
    m_freshFile = false;
    m_state = State::Ready;
    m_problem.clear();
    const QString folder = dataFolderPath();
    QDir().mkpath(folder);
    FileSafety::hideFromOthers(folder);
    const QString path = databaseFilePath();
    const QFileInfo info(path);
    // Only a missing or empty file is a new wallet; anything else that is
    // not SQLite is never written.
    m_freshFile = !info.exists() || info.size() == 0;
    if (!m_freshFile && !hasSqliteHeader(path)) {
        refuse(State::Damaged, QCoreApplication::translate("", "it is not a Kelvaron wallet"));
        return;
    }
    if (info.exists())
        FileSafety::hideFromOthers(path);
    else
        FileSafety::createPrivateFile(path);

    m_connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    m_connection.setDatabaseName(path);
    m_connection.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!m_connection.open()) {
        refuse(State::Damaged, m_connection.lastError().text());
        return;
    }
    if (!m_freshFile && !checkExistingFile())
        return;
    if (m_freshFile && !createSchema()) {
        refuse(State::Damaged,
               QCoreApplication::translate("", "a new wallet could not be created in it"));
        return;
    }
    // A file whose protection cannot be used is refused before anything is written.
    if (const QString problem = readProperties(); !problem.isEmpty())
        refuse(State::Damaged, problem);
}

bool WalletDatabase::hasSqliteHeader(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

void WalletDatabase::refuse(State state, const QString& problem)
{
    m_state = state;
    m_problem = problem;
    qDebug() << "The wallet file cannot be used:" << problem;
}

bool WalletDatabase::checkExistingFile()
{
    // A file held by another program for longer than the busy timeout, or
    // one that SQLite finds damaged, is reported and never written.
    QSqlQuery check;
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next()) {
        const bool busy = check.lastError().nativeErrorCode() == QLatin1String("5") ||
                          check.lastError().nativeErrorCode() == QLatin1String("6");
        refuse(busy ? State::Busy : State::Damaged, check.lastError().text());
        return false;
    }
    if (check.value(0).toString() != QLatin1String("ok")) {
        refuse(State::Damaged, QCoreApplication::translate("", "the file is damaged"));
        return false;
    }
    check.clear();
    const int walletTables =
        rowCount(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND name "
                                "IN ('kelvaron_items','kelvaron_fields','kelvaron_labels',"
                                "'kelvaron_properties')"));
    const int allTables = rowCount(QStringLiteral(
        "SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'"));
    if (allTables == 0) {
        // An empty SQLite file, or a first run that ended before its tables
        // were committed: a new wallet.
        m_freshFile = true;
        return true;
    }
    if (walletTables != 4) {
        refuse(State::Damaged, QCoreApplication::translate("", "it holds another program's data"));
        return false;
    }
    if (rowCount(QStringLiteral("SELECT COUNT(*) FROM kelvaron_properties")) < 1) {
        refuse(State::Damaged, QCoreApplication::translate("", "its properties are missing"));
        return false;
    }
    if (isUninitialised() && rowCount(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items")) > 0) {
        refuse(State::Damaged, QCoreApplication::translate("", "its root entry is missing"));
        return false;
    }
    return true;
}

int WalletDatabase::rowCount(const QString& sql)
{
    QSqlQuery query;
    if (query.exec(sql) && query.next())
        return query.value(0).toInt();
    return -1;
}

void WalletDatabase::close()
{
    closeConnection();
    forgetPassword();
}

int WalletDatabase::storedItemCount()
{
    return rowCount(QStringLiteral("SELECT COUNT(*) FROM kelvaron_items"));
}

void WalletDatabase::closeConnection()
{
    if (QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection))) {
        QString name;
        {
            QSqlDatabase db =
                QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
            name = db.connectionName();
            db.close();
        }
        m_connection = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
}

void WalletDatabase::lock()
{
    close();
}

void WalletDatabase::forgetPassword()
{
    m_cipher.reset(); // its key bytes are overwritten
}

bool WalletDatabase::createSchema()
{
    // Tables, properties and built-in labels in one transaction: a first run
    // that ends halfway leaves a file without tables, which is new again.
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction())
        return false;
    bool ok = true;
    {
        QSqlQuery query;
        for (const char* statement : SchemaStatements)
            ok = ok && query.exec(QLatin1String(statement));
    }
    m_walletId = randomString(WalletIdLength);
    const QString now = currentTimestamp();
    if (ok) {
        QSqlQuery query;
        query.prepare(QStringLiteral("INSERT INTO kelvaron_properties (database_id, version, lang) "
                                     "VALUES (:dbidValue, :dbVersionValue, :dbLangValue)"));
        query.bindValue(QStringLiteral(":dbidValue"), m_walletId);
        query.bindValue(QStringLiteral(":dbLangValue"), languageCode());
        query.bindValue(QStringLiteral(":dbVersionValue"), 1);
        ok = query.exec() && setUpdateTimestamp(now) && insertDefaultLabels(now);
    }
    if (!ok) {
        db.rollback();
        return false;
    }
    return commitOrRollback();
}

QString WalletDatabase::readProperties()
{
    m_walletId.clear();
    QString problem;
    m_protection = WalletProtection::read(m_connection, &problem);
    QSqlQuery query;
    if (query.exec(QStringLiteral("SELECT * FROM kelvaron_properties ")) && query.next())
        m_walletId = query.value(QStringLiteral("database_id")).toString();
    return problem;
}

bool WalletDatabase::setUpdateTimestamp(const QString& now)
{
    return execBound(
        QStringLiteral("UPDATE kelvaron_properties SET update_timestamp=:changeValue "
                       "WHERE database_id=:dbId "),
        {{QStringLiteral(":changeValue"), now}, {QStringLiteral(":dbId"), m_walletId}});
}

void WalletDatabase::touchUpdateTimestamp(const QString& now)
{
    if (!QSqlDatabase::database().transaction())
        return;
    if (setUpdateTimestamp(now))
        commitOrRollback();
    else
        QSqlDatabase::database().rollback();
}

bool WalletDatabase::isUninitialised()
{
    return !rowExists(QStringLiteral("SELECT item_id FROM kelvaron_items WHERE item_id=:rootID;"),
                      {{QStringLiteral(":rootID"), RootItemId}});
}

bool WalletDatabase::checkPassword(const QString& candidate)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT name FROM kelvaron_items WHERE item_id=:rootID;"));
    query.bindValue(QStringLiteral(":rootID"), RootItemId);
    if (!query.exec() || !query.next())
        return false;
    const QByteArray name = query.value(0).toByteArray();
    if (name.isEmpty())
        return false;
    std::unique_ptr<WalletCipher> cipher = m_protection.cipherFor(candidate);
    if (!cipher)
        return false;
    bool ok = false;
    cipher->decrypt(name, &ok);
    if (ok)
        m_cipher = std::move(cipher);
    return ok;
}

namespace {

// One enciphered cell of the wallet: an item's name or a field's value.
struct CipherRow
{
    QString itemId;
    QString fieldId; // empty for an item's name
    QString plaintext;
};

// Reads every row of one table and deciphers it. False when the select
// fails; rows that do not decipher go to unreadable by item id.
bool readCipherRows(const QString& sql, bool withField, WalletCipher* decipher,
                    QList<CipherRow>* rows, QSet<QString>* unreadable)
{
    QSqlQuery select;
    select.setForwardOnly(true);
    if (!select.exec(sql))
        return false;
    while (select.next()) {
        bool ok = false;
        CipherRow row{select.value(0).toString(),
                      withField ? select.value(1).toString() : QString(), QString()};
        row.plaintext = decipher->decrypt(select.value(withField ? 2 : 1).toByteArray(), &ok);
        if (!ok)
            unreadable->insert(row.itemId);
        rows->append(row);
    }
    return !select.lastError().isValid();
}

} // namespace

bool WalletDatabase::reencryptAll(const QString& newPassword, WalletProtection::Format format,
                                  const std::function<void(int done, int total)>& progress,
                                  QStringList* unreadablePaths)
{
    // Without a held key every value would decipher as empty text and the
    // whole wallet would be re-enciphered as empty: refuse instead.
    if (!m_cipher || newPassword.isEmpty())
        return false;

    // Every name and value must open under the current password before any
    // is rewritten: a row that does not would be re-enciphered as garbage.
    QList<CipherRow> items;
    QList<CipherRow> fields;
    QSet<QString> unreadableNames;
    QSet<QString> unreadable;
    if (!readCipherRows(QStringLiteral("SELECT item_id, name FROM kelvaron_items"), false,
                        m_cipher.get(), &items, &unreadableNames) ||
        !readCipherRows(QStringLiteral("SELECT item_id, field_id, value FROM kelvaron_fields"),
                        true, m_cipher.get(), &fields, &unreadable))
        return false;
    if (!unreadable.isEmpty() || !unreadableNames.isEmpty()) {
        if (unreadablePaths)
            *unreadablePaths = unreadableItemPaths(unreadable + unreadableNames, unreadableNames);
        return false;
    }

    // The new key is derived once, before anything is written.
    const WalletProtection protection = WalletProtection::fresh(format);
    std::unique_ptr<WalletCipher> cipher = protection.cipherFor(newPassword);
    if (!cipher)
        return false;
    QSqlDatabase db = QSqlDatabase::database();
    if (!db.transaction())
        return false;
    const int total = items.size() + fields.size();
    int done = 0;
    QString failure;
    // The first statement that fails ends the work: the transaction is rolled
    // back whole, even when SQLite has already ended it on its own.
    const auto rewrite = [&](const QList<CipherRow>& rows, const QString& sql,
                             const QString& valueName) {
        constexpr int ProgressStep = 500;
        QSqlQuery update;
        if (!update.prepare(sql))
            return false;
        for (const CipherRow& row : rows) {
            if (++done % ProgressStep == 0 && progress)
                progress(done, total);
            bool ok = false;
            const QByteArray bytes = cipher->encrypt(row.plaintext, &ok);
            if (!ok)
                return false;
            update.bindValue(valueName, bytes);
            update.bindValue(QStringLiteral(":itemId"), row.itemId);
            if (!row.fieldId.isEmpty())
                update.bindValue(QStringLiteral(":fieldId"), row.fieldId);
            if (!execWritesOneRow(update)) {
                failure = QStringLiteral("row %1 of %2: %3")
                              .arg(done)
                              .arg(total)
                              .arg(update.lastError().text());
                return false;
            }
        }
        return true;
    };
    const bool ok =
        rewrite(items,
                QStringLiteral("UPDATE kelvaron_items SET name=:nameValue WHERE item_id=:itemId "),
                QStringLiteral(":nameValue")) &&
        rewrite(fields,
                QStringLiteral("UPDATE kelvaron_fields SET value=:valueValue WHERE "
                               "item_id=:itemId AND field_id=:fieldId "),
                QStringLiteral(":valueValue")) &&
        writeProtection(protection);
    if (progress)
        progress(total, total);
    if (!ok) {
        qDebug() << "Re-enciphering failed, rolling back at" << failure;
        db.rollback();
        return false;
    }
    if (!commitOrRollback())
        return false;
    m_protection = protection;
    m_cipher = std::move(cipher);
    return true;
}

bool WalletDatabase::writeProtection(const WalletProtection& protection)
{
    static const char* const AddColumns[] = {
        "ALTER TABLE kelvaron_properties ADD COLUMN kdf CHAR(16)",
        "ALTER TABLE kelvaron_properties ADD COLUMN kdf_salt BLOB",
        "ALTER TABLE kelvaron_properties ADD COLUMN kdf_memory INTEGER",
        "ALTER TABLE kelvaron_properties ADD COLUMN kdf_iterations INTEGER",
        "ALTER TABLE kelvaron_properties ADD COLUMN kdf_parallelism INTEGER"};
    static const char* const DropColumns[] = {
        "ALTER TABLE kelvaron_properties DROP COLUMN kdf",
        "ALTER TABLE kelvaron_properties DROP COLUMN kdf_salt",
        "ALTER TABLE kelvaron_properties DROP COLUMN kdf_memory",
        "ALTER TABLE kelvaron_properties DROP COLUMN kdf_iterations",
        "ALTER TABLE kelvaron_properties DROP COLUMN kdf_parallelism"};
    // A wallet in the original format has none of the key-derivation columns.
    const bool hasColumns = WalletProtection::hasKdfColumns(m_connection);
    if (hasColumns != protection.isStrong()) {
        QSqlQuery query;
        for (const char* statement : protection.isStrong() ? AddColumns : DropColumns)
            if (!query.exec(QLatin1String(statement)))
                return false;
    }
    const Bindings version = {{QStringLiteral(":dbVersionValue"), int(protection.format())},
                              {QStringLiteral(":dbId"), m_walletId}};
    if (!protection.isStrong())
        return execBoundOnOneRow(
            QStringLiteral("UPDATE kelvaron_properties SET version=:dbVersionValue "
                           "WHERE database_id=:dbId "),
            version);
    return execBoundOnOneRow(
        QStringLiteral("UPDATE kelvaron_properties SET version=:dbVersionValue, kdf=:kdfValue, "
                       "kdf_salt=:kdfSaltValue, kdf_memory=:kdfMemoryValue, "
                       "kdf_iterations=:kdfIterationsValue, kdf_parallelism=:kdfParallelismValue "
                       "WHERE database_id=:dbId "),
        version + Bindings{{QStringLiteral(":kdfValue"), QStringLiteral("argon2id")},
                           {QStringLiteral(":kdfSaltValue"), protection.salt()},
                           {QStringLiteral(":kdfMemoryValue"), protection.memoryKiB()},
                           {QStringLiteral(":kdfIterationsValue"), protection.iterations()},
                           {QStringLiteral(":kdfParallelismValue"), protection.parallelism()}});
}

QStringList WalletDatabase::unreadableItemPaths(const QSet<QString>& itemIds,
                                                const QSet<QString>& unreadableNames)
{
    // An item whose own name does not open is shown by its parent's path and
    // its id, never by the garbage its name deciphers to.
    QStringList paths;
    for (const QString& id : itemIds) {
        if (!unreadableNames.contains(id)) {
            paths.append(itemPath(id));
            continue;
        }
        // Deleted items are re-enciphered too, so the parent is read whether
        // or not the item is live (getParentId reads live items only).
        QSqlQuery query;
        const QString parent =
            prepareBound(
                query, QStringLiteral("SELECT parent_id FROM kelvaron_items WHERE item_id=:itemID"),
                {{QStringLiteral(":itemID"), id}}) &&
                    query.exec() && query.next()
                ? query.value(0).toString()
                : QString();
        paths.append(QCoreApplication::translate("", "%1 (item %2, name unreadable)")
                         .arg(parent.isEmpty() ? QStringLiteral("?") : itemPath(parent), id));
    }
    paths.sort();
    return paths;
}

QByteArray WalletDatabase::encrypt(const QString& plaintext) const
{
    bool ok = false;
    return m_cipher ? m_cipher->encrypt(plaintext, &ok) : QByteArray();
}

QString WalletDatabase::decrypt(const QByteArray& value) const
{
    if (!m_cipher)
        return {};
    bool ok = false;
    const QString plaintext = m_cipher->decrypt(value, &ok);
    return ok ? plaintext : QCoreApplication::translate("", "(unreadable)");
}

bool WalletDatabase::write(const QString& now, Touch touch, const std::function<bool()>& body)
{
    // Inside writeAll, the outer transaction commits or rolls back the whole.
    if (m_inWriteAll)
        return body();
    QSqlDatabase db = QSqlDatabase::database();
    bool committed = false;
    if (db.transaction()) {
        // A body that could not write all it meant to leaves nothing behind.
        if (body())
            committed = commitOrRollback();
        else
            db.rollback();
    }
    if (committed || touch == Touch::Always)
        touchUpdateTimestamp(now);
    return committed;
}

bool WalletDatabase::writeAll(const std::function<bool()>& body)
{
    if (m_inWriteAll)
        return body();
    return write(currentTimestamp(), Touch::OnCommit, [&] {
        m_inWriteAll = true;
        const bool ok = body();
        m_inWriteAll = false;
        return ok;
    });
}

bool WalletDatabase::commitOrRollback()
{
    QSqlDatabase db = QSqlDatabase::database();
    if (db.commit())
        return true;
    qDebug() << "Commit failed, rolling back:" << db.lastError().text();
    db.rollback();
    return false;
}

bool WalletDatabase::execWritesOneRow(QSqlQuery& query)
{
    return query.exec() && query.numRowsAffected() == 1;
}

bool WalletDatabase::isLiveItem(const QString& itemId)
{
    return rowExists(
        QStringLiteral("SELECT item_id FROM kelvaron_items WHERE item_id=:itemID AND deleted=0 "),
        {{QStringLiteral(":itemID"), itemId}});
}

bool WalletDatabase::prepareBound(QSqlQuery& query, const QString& sql, const Bindings& bindings)
{
    if (!query.prepare(sql))
        return false;
    for (const auto& binding : bindings)
        query.bindValue(binding.first, binding.second);
    return true;
}

bool WalletDatabase::execBound(const QString& sql, const Bindings& bindings)
{
    QSqlQuery query;
    return prepareBound(query, sql, bindings) && query.exec();
}

bool WalletDatabase::execBoundOnOneRow(const QString& sql, const Bindings& bindings)
{
    QSqlQuery query;
    return prepareBound(query, sql, bindings) && execWritesOneRow(query);
}

bool WalletDatabase::rowExists(const QString& sql, const Bindings& bindings)
{
    QSqlQuery query;
    return prepareBound(query, sql, bindings) && query.exec() && query.next();
}

QString WalletDatabase::unusedId(int length, const std::function<bool(const QString&)>& taken)
{
    // With the proper generator a repeat is very unlikely, but an insert under a
    // taken id would fail silently and lose the user's data: draw again instead.
    constexpr int MaxDraws = 100;
    QString id = randomString(length);
    for (int draw = 1; draw < MaxDraws && taken(id); ++draw)
        id = randomString(length);
    return id;
}
