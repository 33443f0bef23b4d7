// Field operations of WalletDatabase: the ordered, enciphered fields of an item.
#include "randomstring.h"
#include "rowreader.h"
#include "walletdatabase.h"

#include <QDebug>
#include <QHash>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString PasswordType = QStringLiteral("PASS");
const QString PreviousPasswordType = QStringLiteral("OLDP");

} // namespace

const QString WalletDatabase::InsertFieldSql =
    QStringLiteral("INSERT INTO kelvaron_fields (item_id, field_id, type, value, "
                   "change_timestamp, sort_weight )  VALUES (:itemIdValue,:fieldIdValue,"
                   ":typeValue,:valueValue,:changeValue, :sortValue ) ");

FieldRecord WalletDatabase::fieldFromRow(const RowReader& row, QHash<QString, LabelRecord>* labels)
{
    FieldRecord record;
    record.fieldId = row.text(QStringLiteral("field_id"));
    record.type = row.text(QStringLiteral("type"));
    record.value = decrypt(row.bytes(QStringLiteral("value")));
    record.changeTimestamp = row.timestamp(QStringLiteral("change_timestamp"));
    record.label = cachedLabel(record.type, labels);
    return record;
}

LabelRecord WalletDatabase::cachedLabel(const QString& type, QHash<QString, LabelRecord>* labels)
{
    auto known = labels->constFind(type);
    if (known == labels->constEnd())
        known = labels->insert(type, getLabel(type));
    return *known;
}

FieldRecord WalletDatabase::getField(const QString& itemId, const QString& fieldId)
{
    // Only a live field of a live item: a deleted one can be neither shown
    // nor edited.
    QSqlQuery query;
    query.prepare(QStringLiteral(
        "SELECT * FROM kelvaron_fields WHERE item_id=:itemId AND field_id=:fieldId "
        "AND deleted='0' AND item_id IN (SELECT item_id FROM kelvaron_items WHERE deleted=0) ;"));
    query.bindValue(QStringLiteral(":itemId"), itemId);
    query.bindValue(QStringLiteral(":fieldId"), fieldId);
    QHash<QString, LabelRecord> labels;
    if (query.exec() && query.next())
        return fieldFromRow(RowReader(query), &labels);
    return {};
}

QList<FieldRecord> WalletDatabase::listFields(const QString& itemId)
{
    // One select of whole rows in sort order, and each label read once.
    QList<FieldRecord> fields;
    QHash<QString, LabelRecord> labels;
    QSqlQuery query;
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM kelvaron_fields WHERE item_id=:itemId "
                                 "AND deleted='0' ORDER BY sort_weight;"));
    query.bindValue(QStringLiteral(":itemId"), itemId);
    query.exec();
    const RowReader row(query);
    while (query.next())
        fields.append(fieldFromRow(row, &labels));
    return fields;
}

QList<QPair<QString, FieldRecord>> WalletDatabase::listLiveFields()
{
    // Only the columns a whole-wallet reader needs: no times are parsed, and
    // each label is read once.
    QList<QPair<QString, FieldRecord>> fields;
    QHash<QString, LabelRecord> labels;
    QSqlQuery query;
    query.setForwardOnly(true);
    query.exec(QStringLiteral("SELECT item_id, field_id, type, value FROM kelvaron_fields WHERE "
                              "deleted='0' ORDER BY item_id, sort_weight ;"));
    while (query.next()) {
        FieldRecord record;
        record.fieldId = query.value(1).toString();
        record.type = query.value(2).toString();
        record.value = decrypt(query.value(3).toByteArray());
        record.label = cachedLabel(record.type, &labels);
        fields.append({query.value(0).toString(), record});
    }
    return fields;
}

bool WalletDatabase::saveField(const QString& type, const QString& value, const QString& itemId,
                               const QString& fieldId)
{
    const bool updating = !fieldId.isEmpty();
    const FieldRecord old = updating ? getField(itemId, fieldId) : FieldRecord();
    if (updating && old.fieldId.isEmpty())
        return false; // no live field of a live item under that id
    if (updating && old.value == value)
        return true; // nothing changed: nothing is written, no time moves
    const QByteArray enciphered = encrypt(value);
    if (enciphered.isEmpty()) {
        qDebug() << "Field not saved: no master password held or enciphering failed";
        return false;
    }
    const QString now = currentTimestamp();
    return write(now, Touch::Always, [&] {
        if (!isLiveItem(itemId))
            return false;
        if (updating)
            return updateFieldValue(itemId, fieldId, enciphered, now) &&
                   keepPreviousPassword(itemId, old, now);
        return !type.isEmpty() && insertField(itemId, type, enciphered, now);
    });
}

bool WalletDatabase::insertField(const QString& itemId, const QString& type,
                                 const QByteArray& enciphered, const QString& now)
{
    const QString newId = unusedId(FieldIdLength, [&](const QString& candidate) {
        return rowExists(
            QStringLiteral("SELECT field_id FROM kelvaron_fields WHERE "
                           "item_id=:itemId AND field_id=:fieldId ;"),
            {{QStringLiteral(":itemId"), itemId}, {QStringLiteral(":fieldId"), candidate}});
    });
    return execBound(InsertFieldSql, {{QStringLiteral(":itemIdValue"), itemId},
                                      {QStringLiteral(":fieldIdValue"), newId},
                                      {QStringLiteral(":typeValue"), type},
                                      {QStringLiteral(":valueValue"), enciphered},
                                      {QStringLiteral(":changeValue"), now},
                                      {QStringLiteral(":sortValue"), maxSortWeight(itemId) + 100}});
}

bool WalletDatabase::updateFieldValue(const QString& itemId, const QString& fieldId,
                                      const QByteArray& enciphered, const QString& now)
{
    return execBoundOnOneRow(
        QStringLiteral(
            "UPDATE kelvaron_fields SET value=:valueValue, change_timestamp=:changeValue  "
            "WHERE item_id=:itemId AND field_id=:fieldId AND deleted='0' "),
        {{QStringLiteral(":valueValue"), enciphered},
         {QStringLiteral(":changeValue"), now},
         {QStringLiteral(":itemId"), itemId},
         {QStringLiteral(":fieldId"), fieldId}});
}

bool WalletDatabase::keepPreviousPassword(const QString& itemId, const FieldRecord& old,
                                          const QString& now)
{
    // The password that was replaced goes into the item's live
    // previous-password field, in the same transaction as the change itself;
    // an item without one gets one, so that an old password is never lost.
    if (old.type != PasswordType)
        return true;
    const QByteArray previous = encrypt(old.value);
    if (previous.isEmpty())
        return false;
    if (!hasPreviousPasswordField(itemId))
        return insertField(itemId, PreviousPasswordType, previous, now);
    return execBound(QStringLiteral("UPDATE kelvaron_fields SET value=:valueValue, "
                                    "change_timestamp=:changeValue  WHERE item_id=:itemId AND "
                                    "type='OLDP' AND deleted='0' ;"),
                     {{QStringLiteral(":valueValue"), previous},
                      {QStringLiteral(":changeValue"), now},
                      {QStringLiteral(":itemId"), itemId}});
}

bool WalletDatabase::deleteField(const QString& itemId, const QString& fieldId)
{
    const QString now = currentTimestamp();
    return write(now, Touch::Always, [&] {
        return execBound(QStringLiteral("UPDATE kelvaron_fields SET deleted='1', "
                                        "change_timestamp=:changeValue  WHERE item_id=:itemId AND "
                                        "field_id=:fieldId "),
                         {{QStringLiteral(":changeValue"), now},
                          {QStringLiteral(":itemId"), itemId},
                          {QStringLiteral(":fieldId"), fieldId}});
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
    return rowExists(QStringLiteral("SELECT * FROM kelvaron_fields WHERE item_id=:itemId AND "
                                    "type='OLDP' AND deleted='0' ;"),
                     {{QStringLiteral(":itemId"), itemId}});
}
