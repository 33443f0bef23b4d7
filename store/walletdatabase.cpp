#include "walletdatabase.h"

#include "randomstring.h"
#include "valuecipher.h"

#include <cstdlib>
#include <memory>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
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
    QDir().mkpath(dataFolderPath());
    const QString path = databaseFilePath();
    if (!QFileInfo::exists(path))
        m_freshFile = true;

    m_connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    m_connection.setDatabaseName(path);
    if (!m_connection.open()) {
        const QString error = m_connection.lastError().text();
        qDebug() << "Database open failed:" << error;
        QMessageBox box;
        box.setText(QCoreApplication::translate("", "Database initialization failure, error: ") +
                    error);
        box.exec();
        close();
        std::exit(1);
    }
    if (m_freshFile)
        createSchema();
    readProperties();
}

void WalletDatabase::close()
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
    m_masterPassword.clear();
}

void WalletDatabase::lock()
{
    m_masterPassword.clear();
    close();
}

void WalletDatabase::createSchema()
{
    QSqlDatabase db = QSqlDatabase::database();
    db.transaction();
    {
        QSqlQuery query;
        for (const char* statement : SchemaStatements)
            query.exec(QLatin1String(statement));
        query.clear();
    }
    commitOrRollback();

    m_walletId = randomString(WalletIdLength);
    db.transaction();
    {
        QSqlQuery query;
        query.prepare(QStringLiteral("INSERT INTO kelvaron_properties (database_id, version, lang) "
                                     "VALUES (:dbidValue, :dbVersionValue, :dbLangValue)"));
        query.bindValue(QStringLiteral(":dbidValue"), m_walletId);
        query.bindValue(QStringLiteral(":dbLangValue"), languageCode());
        query.bindValue(QStringLiteral(":dbVersionValue"), 1);
        query.exec();
        query.clear();
    }
    if (db.commit()) {
        touchUpdateTimestamp(currentTimestamp());
        createDefaultLabels();
    } else {
        db.rollback();
    }
}

void WalletDatabase::readProperties()
{
    m_walletId.clear();
    QSqlQuery query;
    if (query.exec(QStringLiteral("SELECT * FROM kelvaron_properties ")) && query.next())
        m_walletId = query.value(QStringLiteral("database_id")).toString();
}

void WalletDatabase::touchUpdateTimestamp(const QString& now)
{
    QSqlDatabase::database().transaction();
    {
        QSqlQuery query;
        query.prepare(QStringLiteral("UPDATE kelvaron_properties SET update_timestamp=:changeValue "
                                     "WHERE database_id=:dbId "));
        query.bindValue(QStringLiteral(":changeValue"), now);
        query.bindValue(QStringLiteral(":dbId"), m_walletId);
        query.exec();
    }
    commitOrRollback();
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
    bool ok = false;
    decryptValue(name, candidate, &ok);
    if (ok)
        m_masterPassword = candidate;
    return ok;
}

bool WalletDatabase::reencryptAll(const QString& newPassword,
                                  const std::function<void(int done, int total)>& progress)
{
    // Without a held password every value would decipher as empty text and
    // the whole wallet would be re-enciphered as empty: refuse instead.
    if (m_masterPassword.isEmpty() || newPassword.isEmpty())
        return false;
    QSqlDatabase db = QSqlDatabase::database();
    db.transaction();

    struct Row
    {
        QString itemId;
        QString fieldId;
        QByteArray value;
    };
    const auto readRows = [](const QString& sql, bool withField) {
        QList<Row> rows;
        QSqlQuery select;
        select.setForwardOnly(true);
        select.exec(sql);
        while (select.next())
            rows.append({select.value(0).toString(),
                         withField ? select.value(1).toString() : QString(),
                         select.value(withField ? 2 : 1).toByteArray()});
        return rows;
    };
    constexpr int ProgressStep = 500;
    int done = 0;
    int total = 0;
    const auto rewrite = [&](const QList<Row>& rows, const QString& sql, const QString& valueName,
                             bool withField) {
        QSqlQuery update;
        update.prepare(sql);
        for (const Row& row : rows) {
            if (progress && ++done % ProgressStep == 0)
                progress(done, total);
            bool ok = false;
            const QByteArray bytes = encryptValue(decrypt(row.value), newPassword, &ok);
            if (!ok)
                return false;
            update.bindValue(valueName, bytes);
            update.bindValue(QStringLiteral(":itemId"), row.itemId);
            if (withField)
                update.bindValue(QStringLiteral(":fieldId"), row.fieldId);
            update.exec();
        }
        return true;
    };

    const QList<Row> items =
        readRows(QStringLiteral("SELECT item_id, name FROM kelvaron_items"), false);
    const QList<Row> fields =
        readRows(QStringLiteral("SELECT item_id, field_id, value FROM kelvaron_fields"), true);
    total = items.size() + fields.size();
    const bool ok =
        rewrite(items,
                QStringLiteral("UPDATE kelvaron_items SET name=:nameValue WHERE item_id=:itemId "),
                QStringLiteral(":nameValue"), false) &&
        rewrite(fields,
                QStringLiteral("UPDATE kelvaron_fields SET value=:valueValue WHERE "
                               "item_id=:itemId AND field_id=:fieldId "),
                QStringLiteral(":valueValue"), true);
    if (progress)
        progress(total, total);
    if (!ok) {
        db.rollback();
        return false;
    }
    return commitOrRollback();
}

QByteArray WalletDatabase::encrypt(const QString& plaintext) const
{
    bool ok = false;
    return encryptValue(plaintext, m_masterPassword, &ok);
}

QString WalletDatabase::decrypt(const QByteArray& value) const
{
    bool ok = false;
    return decryptValue(value, m_masterPassword, &ok);
}

bool WalletDatabase::write(const QString& now, Touch touch, const std::function<bool()>& body)
{
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

bool WalletDatabase::rowExists(const QString& sql, const QList<QPair<QString, QString>>& bindings)
{
    QSqlQuery query;
    query.prepare(sql);
    for (const auto& binding : bindings)
        query.bindValue(binding.first, binding.second);
    return query.exec() && query.next();
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
