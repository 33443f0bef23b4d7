// Field operations of WalletDatabase: the ordered, enciphered fields of an item.
#include "randomstring.h"
#include "walletdatabase.h"

#include <QDebug>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString PasswordType = QStringLiteral("PASS");

} // namespace

FieldRecord WalletDatabase::fieldFromQuery(const QSqlQuery& query)
{
    FieldRecord record;
    record.fieldId = query.value(QStringLiteral("field_id")).toString();
    record.type = query.value(QStringLiteral("type")).toString();
    record.value = decrypt(query.value(QStringLiteral("value")).toByteArray());
    record.changeTimestamp =
        QDateTime::fromString(query.value(QStringLiteral("change_timestamp")).toString(),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    record.label = getLabel(record.type);
    return record;
}

FieldRecord WalletDatabase::getField(const QString& itemId, const QString& fieldId)
{
    QSqlQuery query;
    query.prepare(QStringLiteral(
        "SELECT * FROM kelvaron_fields WHERE item_id=:itemId AND field_id=:fieldId ;"));
    query.bindValue(QStringLiteral(":itemId"), itemId);
    query.bindValue(QStringLiteral(":fieldId"), fieldId);
    if (query.exec() && query.next())
        return fieldFromQuery(query);
    return {};
}

QList<FieldRecord> WalletDatabase::listFields(const QString& itemId)
{
    QStringList ids;
    {
        QSqlQuery query;
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT field_id FROM kelvaron_fields WHERE item_id=:itemId "
                                     "AND deleted='0' ORDER BY sort_weight;"));
        query.bindValue(QStringLiteral(":itemId"), itemId);
        query.exec();
        while (query.next())
            ids.append(query.value(0).toString());
    }
    QList<FieldRecord> fields;
    fields.reserve(ids.size());
    for (const QString& id : ids)
        fields.append(getField(itemId, id));
    return fields;
}

bool WalletDatabase::saveField(const QString& type, const QString& value, const QString& itemId,
                               const QString& fieldId)
{
    const QString newId = unusedId(FieldIdLength, [&](const QString& candidate) {
        return rowExists(QStringLiteral("SELECT field_id FROM kelvaron_fields WHERE "
                                        "item_id=:itemId AND field_id=:fieldId ;"),
                         {{QStringLiteral(":itemId"), itemId},
                          {QStringLiteral(":fieldId"), candidate}});
    });
    const QByteArray enciphered = encrypt(value);
    if (enciphered.isEmpty()) {
        qDebug() << "Field not saved: no master password held or enciphering failed";
        return false;
    }
    const QString now = currentTimestamp();
    const FieldRecord old = getField(itemId, fieldId);
    bool executed = false;
    const bool committed = write(now, Touch::Always, [&] {
        QSqlQuery query;
        if (!fieldId.isEmpty()) {
            query.prepare(QStringLiteral(
                "UPDATE kelvaron_fields SET value=:valueValue, change_timestamp=:changeValue  "
                "WHERE item_id=:itemId AND field_id=:fieldId "));
            query.bindValue(QStringLiteral(":valueValue"), enciphered);
            query.bindValue(QStringLiteral(":changeValue"), now);
            query.bindValue(QStringLiteral(":itemId"), itemId);
            query.bindValue(QStringLiteral(":fieldId"), fieldId);
        } else if (!type.isEmpty()) {
            query.prepare(QStringLiteral(
                "INSERT INTO kelvaron_fields (item_id, field_id, type, value, change_timestamp, "
                "sort_weight )  VALUES (:itemIdValue,:fieldIdValue,:typeValue,:valueValue,"
                ":changeValue, :sortValue ) "));
            query.bindValue(QStringLiteral(":itemIdValue"), itemId);
            query.bindValue(QStringLiteral(":fieldIdValue"), newId);
            query.bindValue(QStringLiteral(":typeValue"), type);
            query.bindValue(QStringLiteral(":valueValue"), enciphered);
            query.bindValue(QStringLiteral(":changeValue"), now);
            query.bindValue(QStringLiteral(":sortValue"), maxSortWeight(itemId) + 100);
        }
        executed = query.exec();
        query.clear();

        if (!fieldId.isEmpty() && old.type == PasswordType && hasPreviousPasswordField(itemId)) {
            const QByteArray previous = encrypt(old.value);
            if (previous.isEmpty())
                return;
            query.prepare(QStringLiteral(
                "UPDATE kelvaron_fields SET value=:valueValue, change_timestamp=:changeValue  "
                "WHERE item_id=:itemId AND type='OLDP' ;"));
            query.bindValue(QStringLiteral(":valueValue"), previous);
            query.bindValue(QStringLiteral(":changeValue"), now);
            query.bindValue(QStringLiteral(":itemId"), itemId);
            query.exec();
            query.clear();
        }
    });
    return committed && executed;
}

void WalletDatabase::deleteField(const QString& itemId, const QString& fieldId)
{
    const QString now = currentTimestamp();
    write(now, Touch::Always, [&] {
        QSqlQuery query;
        query.prepare(QStringLiteral(
            "UPDATE kelvaron_fields SET deleted='1', change_timestamp=:changeValue  WHERE "
            "item_id=:itemId AND field_id=:fieldId "));
        query.bindValue(QStringLiteral(":changeValue"), now);
        query.bindValue(QStringLiteral(":itemId"), itemId);
        query.bindValue(QStringLiteral(":fieldId"), fieldId);
        query.exec();
        query.clear();
    });
}

int WalletDatabase::maxSortWeight(const QString& itemId)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT MAX(sort_weight) AS max_sort FROM kelvaron_fields WHERE "
                                 "item_id=:itemId AND deleted='0' "));
    query.bindValue(QStringLiteral(":itemId"), itemId);
    if (query.exec() && query.next())
        return query.value(0).toInt();
    return 0;
}

bool WalletDatabase::hasPreviousPasswordField(const QString& itemId)
{
    return rowExists(
        QStringLiteral("SELECT * FROM kelvaron_fields WHERE item_id=:itemId AND type='OLDP' ;"),
        {{QStringLiteral(":itemId"), itemId}});
}
