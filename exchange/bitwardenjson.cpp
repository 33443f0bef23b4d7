#include "bitwardenjson.h"

#include "entrybuilder.h"
#include "importreader.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

enum ItemType
{
    Login = 1,
    SecureNote = 2,
    Card = 3,
    Identity = 4
};

// Bitwarden's custom field types: text, hidden, boolean, linked.
constexpr int HiddenField = 1;

QString text(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isDouble() ? QString::number(value.toDouble()) : value.toString();
}

QString joined(const QJsonObject& object, std::initializer_list<const char*> keys,
               const QString& separator)
{
    QStringList parts;
    for (const char* key : keys)
        if (!text(object, key).trimmed().isEmpty())
            parts.append(text(object, key).trimmed());
    return parts.join(separator);
}

void addLogin(EntryBuilder& entry, const QJsonObject& login)
{
    entry.add("USER", text(login, "username"));
    entry.add("PASS", text(login, "password"));
    for (const QJsonValue uri : login.value(QLatin1String("uris")).toArray())
        entry.add("LINK", text(uri.toObject(), "uri"));
    entry.addNamed(QStringLiteral("TOTP"), text(login, "totp"), true);
}

void addCard(EntryBuilder& entry, const QJsonObject& card)
{
    entry.add("NAME", text(card, "cardholderName"));
    entry.add("CARD", text(card, "number"));
    const QString month = text(card, "expMonth");
    const QString year = text(card, "expYear");
    entry.add("EXPD", month.isEmpty() || year.isEmpty()
                          ? month + year
                          : month.rightJustified(2, '0') + '/' + year);
    entry.addNamed(QCoreApplication::translate("", "Security code"), text(card, "code"), true);
    entry.addNamed(QCoreApplication::translate("", "Brand"), text(card, "brand"));
}

void addIdentity(EntryBuilder& entry, const QJsonObject& identity)
{
    entry.add("NAME", joined(identity, {"title", "firstName", "middleName", "lastName"}, " "));
    entry.add("USER", text(identity, "username"));
    entry.add("MAIL", text(identity, "email"));
    entry.add("PHON", text(identity, "phone"));
    entry.add("ADDR",
              joined(identity,
                     {"address1", "address2", "address3", "postalCode", "city", "state", "country"},
                     ", "));
    entry.addNamed(QCoreApplication::translate("", "Company"), text(identity, "company"));
    entry.addNamed(QCoreApplication::translate("", "Social security number"), text(identity, "ssn"),
                   true);
    entry.addNamed(QCoreApplication::translate("", "Passport number"),
                   text(identity, "passportNumber"));
    entry.addNamed(QCoreApplication::translate("", "License number"),
                   text(identity, "licenseNumber"));
}

} // namespace

ImportPlan BitwardenJson::read(const QByteArray& bytes)
{
    ImportPlan plan(ImportPlan::Places::Items);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError) {
        plan.refusal = QCoreApplication::translate("", "The file is not valid JSON: %1 at byte %2.")
                           .arg(error.errorString())
                           .arg(error.offset);
        return plan;
    }
    if (root.value(QLatin1String("encrypted")).toBool()) {
        plan.refusal = QCoreApplication::translate(
            "", "This Bitwarden export is encrypted. Export the vault again as unencrypted JSON.");
        return plan;
    }
    if (!root.value(QLatin1String("items")).isArray()) {
        plan.refusal = QCoreApplication::translate(
            "", "This JSON file is not a Bitwarden export: it has no list of items.");
        return plan;
    }
    const QJsonArray items = root.value(QLatin1String("items")).toArray();
    if (items.size() > ImportReader::MaxRows) {
        plan.refusal = QCoreApplication::translate("", "The file has more than %1 items.")
                           .arg(ImportReader::MaxRows);
        return plan;
    }
    plan.format = QCoreApplication::translate("", "Bitwarden JSON");
    // Bitwarden nests folders by "/" in their names.
    QHash<QString, QStringList> folders;
    for (const QJsonValue folder : root.value(QLatin1String("folders")).toArray())
        folders.insert(text(folder.toObject(), "id"),
                       text(folder.toObject(), "name").split(QLatin1Char('/'), Qt::SkipEmptyParts));
    int number = 0;
    for (const QJsonValue value : items) {
        ++number;
        const QJsonObject item = value.toObject();
        if (!value.isObject() || !item.value(QLatin1String("type")).isDouble()) {
            plan.addProblem(number, QCoreApplication::translate("", "it has no type"));
            continue;
        }
        EntryBuilder entry(number, folders.value(text(item, "folderId")), text(item, "name"));
        switch (item.value(QLatin1String("type")).toInt()) {
        case Login:
            addLogin(entry, item.value(QLatin1String("login")).toObject());
            break;
        case Card:
            addCard(entry, item.value(QLatin1String("card")).toObject());
            break;
        case Identity:
            addIdentity(entry, item.value(QLatin1String("identity")).toObject());
            break;
        case SecureNote:
        default:
            break;
        }
        entry.add("NOTE", text(item, "notes"));
        for (const QJsonValue field : item.value(QLatin1String("fields")).toArray()) {
            const QJsonObject custom = field.toObject();
            entry.addNamed(text(custom, "name"), text(custom, "value"),
                           custom.value(QLatin1String("type")).toInt() == HiddenField);
        }
        plan.add(entry.take());
    }
    return plan;
}
