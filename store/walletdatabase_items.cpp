// Item tree operations of WalletDatabase: folders, items and the new wallet.
#include "randomstring.h"
#include "rowreader.h"
#include "walletdatabase.h"

#include <algorithm>
#include <QCoreApplication>
#include <QDebug>
#include <QSet>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString RootParentId = QStringLiteral("________");
const QString InsertItemSql = QStringLiteral(
    "INSERT INTO kelvaron_items (item_id, parent_id, name, icon, folder, create_timestamp, "
    "change_timestamp)  VALUES (:itemIdValue,:parentIdValue,:nameValue,:iconValue,:folderValue, "
    ":createValue, :changeValue)");

QList<QPair<QString, QVariant>> newItemBindings(const QString& id, const QString& parentId,
                                                const QByteArray& name, const QString& icon,
                                                bool folder, const QString& now)
{
    return {{QStringLiteral(":itemIdValue"), id},
            {QStringLiteral(":parentIdValue"), parentId},
            {QStringLiteral(":nameValue"), name},
            {QStringLiteral(":iconValue"), icon},
            {QStringLiteral(":folderValue"), folder ? 1 : 0},
            {QStringLiteral(":createValue"), now},
            {QStringLiteral(":changeValue"), now}};
}

} // namespace

ItemRecord WalletDatabase::itemFromRow(const RowReader& row) const
{
    ItemRecord record;
    record.itemId = row.text(QStringLiteral("item_id"));
    record.parentId = row.text(QStringLiteral("parent_id"));
    record.name = decrypt(row.bytes(QStringLiteral("name")));
    record.icon = row.text(QStringLiteral("icon"));
    record.folder = row.flag(QStringLiteral("folder"));
    record.createTimestamp = row.timestamp(QStringLiteral("create_timestamp"));
    record.changeTimestamp = row.timestamp(QStringLiteral("change_timestamp"));
    return record;
}

ItemRecord WalletDatabase::getItem(const QString& id)
{
    if (id == RootItemId) {
        ItemRecord root;
        root.itemId = RootItemId;
        root.name = QStringLiteral("Kelvaron");
        root.icon = QStringLiteral("root");
        root.folder = true;
        return root;
    }
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT * FROM kelvaron_items WHERE item_id=:itemID;"));
    query.bindValue(QStringLiteral(":itemID"), id);
    if (query.exec() && query.next())
        return itemFromRow(RowReader(query));
    return {};
}

ItemRecord WalletDatabase::addItem(const QString& id, const QString& parentId, const QString& name,
                                   const QString& icon, bool folder)
{
    const QString now = currentTimestamp();
    const QByteArray enciphered = encrypt(name);
    if (enciphered.isEmpty()) {
        qDebug() << "Item not added: no master password held or enciphering failed";
        return {};
    }
    const QString newId = !id.isEmpty() ? id : unusedId(ItemIdLength, [this](const QString& c) {
        return rowExists(
            QStringLiteral("SELECT item_id FROM kelvaron_items WHERE item_id=:itemID;"),
            {{QStringLiteral(":itemID"), c}});
    });
    const bool written = write(now, Touch::OnCommit, [&] {
        return execBound(InsertItemSql,
                         newItemBindings(newId, parentId, enciphered, icon, folder, now));
    });
    return written ? getItem(newId) : ItemRecord();
}

QString WalletDatabase::addItemWithFields(const QString& parentId, const QString& name,
                                          const QString& icon, bool folder,
                                          const QList<QPair<QString, QString>>& fields)
{
    const QString now = currentTimestamp();
    const QByteArray enciphered = encrypt(name);
    if (enciphered.isEmpty())
        return {};
    const QString itemId = unusedId(ItemIdLength, [this](const QString& candidate) {
        return rowExists(
            QStringLiteral("SELECT item_id FROM kelvaron_items WHERE item_id=:itemID;"),
            {{QStringLiteral(":itemID"), candidate}});
    });
    // A new item has no fields yet: their ids only need to differ from each other.
    QSet<QString> fieldIds;
    const bool written = write(now, Touch::OnCommit, [&] {
        if (!execBound(InsertItemSql,
                       newItemBindings(itemId, parentId, enciphered, icon, folder, now)))
            return false;
        // One statement serves every field of the item.
        QSqlQuery insert;
        if (!fields.isEmpty() && !prepareBound(insert, InsertFieldSql,
                                               {{QStringLiteral(":itemIdValue"), itemId},
                                                {QStringLiteral(":changeValue"), now}}))
            return false;
        int weight = 0;
        for (const auto& field : fields) {
            const QByteArray value = encrypt(field.second);
            const QString fieldId = unusedId(FieldIdLength, [&fieldIds](const QString& candidate) {
                return fieldIds.contains(candidate);
            });
            fieldIds.insert(fieldId);
            weight += 100;
            insert.bindValue(QStringLiteral(":fieldIdValue"), fieldId);
            insert.bindValue(QStringLiteral(":typeValue"), field.first);
            insert.bindValue(QStringLiteral(":valueValue"), value);
            insert.bindValue(QStringLiteral(":sortValue"), weight);
            if (value.isEmpty() || !insert.exec())
                return false;
        }
        return true;
    });
    return written ? itemId : QString();
}

ItemRecord WalletDatabase::updateItem(const QString& id, const QString& name, const QString& icon)
{
    const QString now = currentTimestamp();
    const QByteArray enciphered = encrypt(name);
    if (enciphered.isEmpty()) {
        qDebug() << "Item not updated: no master password held or enciphering failed";
        return {};
    }
    const bool written = write(now, Touch::OnCommit, [&] {
        return execBoundOnOneRow(
            QStringLiteral("UPDATE kelvaron_items SET name=:nameValue, icon=:iconValue, "
                           "change_timestamp=:changeValue  WHERE item_id=:itemId AND deleted=0 "),
            {{QStringLiteral(":nameValue"), enciphered},
             {QStringLiteral(":iconValue"), icon},
             {QStringLiteral(":changeValue"), now},
             {QStringLiteral(":itemId"), id}});
    });
    return written ? getItem(id) : ItemRecord();
}

namespace {

const QString DeleteItemSql = QStringLiteral(
    "UPDATE kelvaron_items SET deleted=1, change_timestamp=:changeValue WHERE item_id=:itemId ");

} // namespace

bool WalletDatabase::deleteItem(const QString& id)
{
    const QString now = currentTimestamp();
    return write(now, Touch::Always, [&] {
        return execBound(DeleteItemSql,
                         {{QStringLiteral(":changeValue"), now}, {QStringLiteral(":itemId"), id}});
    });
}

bool WalletDatabase::deleteItemWithFields(const QString& id)
{
    const QString now = currentTimestamp();
    const QList<QPair<QString, QVariant>> bindings = {{QStringLiteral(":changeValue"), now},
                                                      {QStringLiteral(":itemId"), id}};
    return write(now, Touch::Always, [&] {
        return execBound(DeleteItemSql, bindings) &&
               execBound(QStringLiteral("UPDATE kelvaron_fields SET deleted='1', "
                                        "change_timestamp=:changeValue  WHERE item_id=:itemId "),
                         bindings);
    });
}

QString WalletDatabase::getParentId(const QString& id)
{
    QSqlQuery query;
    query.prepare(QStringLiteral(
        "SELECT parent_id FROM kelvaron_items WHERE item_id=:itemID AND deleted=0 "));
    query.bindValue(QStringLiteral(":itemID"), id);
    if (query.exec() && query.next())
        return query.value(0).toString();
    return {};
}

WalletDatabase::MoveResult WalletDatabase::moveItem(const QString& itemId,
                                                    const QString& newParentId)
{
    if (itemId == RootItemId)
        return MoveResult::IsRoot;
    const QString now = currentTimestamp();
    MoveResult result = MoveResult::Moved;
    // Every check reads inside the write, so that nothing changes in between.
    const bool written = write(now, Touch::OnCommit, [&] {
        const QString oldParent = getParentId(itemId);
        if (oldParent.isEmpty())
            result = MoveResult::ItemNotFound;
        else if (!rowExists(QStringLiteral("SELECT item_id FROM kelvaron_items WHERE "
                                           "item_id=:itemID AND deleted=0 AND folder=1 "),
                            {{QStringLiteral(":itemID"), newParentId}}))
            result = MoveResult::TargetNotFolder; // the root's row is a folder too
        else if (oldParent == newParentId)
            result = MoveResult::AlreadyThere;
        else
            result = isAtOrBelow(newParentId, itemId) ? MoveResult::IntoItself : MoveResult::Moved;
        if (result != MoveResult::Moved)
            return false;
        return execBoundOnOneRow(
            QStringLiteral("UPDATE kelvaron_items SET parent_id=:parentIdValue, "
                           "change_timestamp=:changeValue WHERE item_id=:itemId AND deleted=0 "),
            {{QStringLiteral(":parentIdValue"), newParentId},
             {QStringLiteral(":changeValue"), now},
             {QStringLiteral(":itemId"), itemId}});
    });
    if (result == MoveResult::Moved && !written)
        return MoveResult::NotWritten;
    return result;
}

bool WalletDatabase::isAtOrBelow(const QString& id, const QString& ancestorId)
{
    // The walk ends at the root, at a missing parent, or after as many steps
    // as a damaged file's loop could take.
    constexpr int MostSteps = 10000;
    QString current = id;
    for (int step = 0; step < MostSteps && !current.isEmpty() && current != RootItemId; ++step) {
        if (current == ancestorId)
            return true;
        current = getParentId(current);
    }
    return false;
}

bool WalletDatabase::hasChildren(const QString& id)
{
    return rowExists(QStringLiteral("SELECT parent_id FROM kelvaron_items WHERE "
                                    "parent_id=:itemIdValue AND deleted='0' LIMIT 1 "),
                     {{QStringLiteral(":itemIdValue"), id}});
}

QList<ItemRecord> WalletDatabase::listChildren(const QString& parentId)
{
    // One select of whole rows instead of one select per child: the same
    // records, without a round trip per child in large folders.
    QList<ItemRecord> children;
    QSqlQuery query;
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT * FROM kelvaron_items WHERE parent_id=:parentID AND deleted=0 "));
    query.bindValue(QStringLiteral(":parentID"), parentId);
    query.exec();
    const RowReader row(query);
    while (query.next())
        children.append(itemFromRow(row));
    std::sort(children.begin(), children.end(), [](const ItemRecord& a, const ItemRecord& b) {
        if (a.folder != b.folder)
            return a.folder;
        return a.name.toLower() < b.name.toLower();
    });
    return children;
}

QList<ItemRecord> WalletDatabase::listLiveItems()
{
    // Only the columns a whole-wallet reader needs: no times are parsed.
    QList<ItemRecord> items;
    QSqlQuery query;
    query.setForwardOnly(true);
    query.exec(QStringLiteral(
        "SELECT item_id, parent_id, name, icon, folder FROM kelvaron_items WHERE deleted=0 "));
    while (query.next()) {
        ItemRecord record;
        record.itemId = query.value(0).toString();
        record.parentId = query.value(1).toString();
        record.name = decrypt(query.value(2).toByteArray());
        record.icon = query.value(3).toString();
        record.folder = query.value(4).toInt() != 0;
        items.append(record);
    }
    return items;
}

QString WalletDatabase::itemPath(const QString& id)
{
    if (id == RootItemId)
        return QStringLiteral("/");
    QString path;
    ItemRecord current = getItem(id);
    // The walk ends at the root, or where an ancestor is missing or deleted
    // (the path is then the part that could be found); the set of visited ids
    // guards against a damaged file whose parents form a cycle.
    QSet<QString> visited;
    while (current.itemId != RootItemId && !current.itemId.isEmpty() &&
           !visited.contains(current.itemId)) {
        visited.insert(current.itemId);
        path = path.isEmpty() ? current.name : current.name + QLatin1Char('/') + path;
        const QString parentId = getParentId(current.itemId);
        if (parentId.isEmpty())
            break;
        current = getItem(parentId);
    }
    return QLatin1Char('/') + path;
}

QString itemPathOf(const QString& id)
{
    if (id.isEmpty())
        return {};
    return WalletDatabase::instance()->itemPath(id);
}

void WalletDatabase::initialiseWallet(const QString& password, WalletProtection::Format format)
{
    if (!isUninitialised())
        return;
    const QString check = randomString(RootCheckLength);
    const QString now = currentTimestamp();
    const WalletProtection protection = WalletProtection::fresh(format);
    std::unique_ptr<WalletCipher> cipher = protection.cipherFor(password);
    bool ok = false;
    const QByteArray enciphered = cipher ? cipher->encrypt(check, &ok) : QByteArray();
    if (!ok)
        return;

    // The root and the protection it was enciphered under are one write.
    if (!write(now, Touch::OnCommit, [&] {
            return writeProtection(protection) &&
                   execBound(InsertItemSql, newItemBindings(RootItemId, RootParentId, enciphered,
                                                            QString(), true, now));
        }))
        return;
    m_protection = protection;
    m_cipher = std::move(cipher);

    const QString banking =
        addItem(QString(), RootItemId, QCoreApplication::translate("", "Banking"),
                QStringLiteral("folderbanking"), true)
            .itemId;
    const QString readMe =
        addItem(QString(), RootItemId, QCoreApplication::translate("", "Read me"),
                QStringLiteral("document"), false)
            .itemId;
    saveField(QStringLiteral("NOTE"), QCoreApplication::translate("", "Read me text"), readMe,
              QString());
    const QString card =
        addItem(QString(), banking, QCoreApplication::translate("", "Credit card sample"),
                QStringLiteral("visa"), false)
            .itemId;
    saveField(QStringLiteral("NAME"), QCoreApplication::translate("", "John Smith"), card,
              QString());
    saveField(QStringLiteral("CARD"), QCoreApplication::translate("", "1234 5678 9012 3456"), card,
              QString());
    saveField(QStringLiteral("PINC"), QCoreApplication::translate("", "1234"), card, QString());
}
