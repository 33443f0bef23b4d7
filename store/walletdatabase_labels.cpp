// Field type ("label") operations of WalletDatabase.
#include "randomstring.h"
#include "rowreader.h"
#include "walletdatabase.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QVariant>

namespace {

struct BuiltInLabel
{
    const char* code;
    const char* name;
    const char* valueType;
    const char* icon;
};

const BuiltInLabel BuiltInLabels[] = {
    {"MAIL", QT_TRANSLATE_NOOP("", "E-mail"), "mail", "labelmail2"},
    {"EXPD", QT_TRANSLATE_NOOP("", "Expiration date"), "date", "labelcalendar"},
    {"PASS", QT_TRANSLATE_NOOP("", "Password"), "pass", "labelpass"},
    {"NOTE", QT_TRANSLATE_NOOP("", "Note"), "text", "labeldoc"},
    {"LINK", QT_TRANSLATE_NOOP("", "Web page"), "link", "labelworld"},
    {"ACNT", QT_TRANSLATE_NOOP("", "Account"), "text", "labelmanhead"},
    {"CARD", QT_TRANSLATE_NOOP("", "Card number"), "text", "labelcreditcard"},
    {"NAME", QT_TRANSLATE_NOOP("", "Name"), "text", "labelpencil"},
    {"PHON", QT_TRANSLATE_NOOP("", "Phone"), "phon", "labelphone"},
    {"PINC", QT_TRANSLATE_NOOP("", "PIN code"), "text", "labelasterisk"},
    {"USER", QT_TRANSLATE_NOOP("", "User name"), "text", "labelman"},
    {"OLDP", QT_TRANSLATE_NOOP("", "Previous password"), "text", "labelpass"},
    {"DATE", QT_TRANSLATE_NOOP("", "Date"), "date", "labelcalendar2"},
    {"TIME", QT_TRANSLATE_NOOP("", "Time"), "time", "labelclock"},
    {"SNUM", QT_TRANSLATE_NOOP("", "Serial number"), "text", "labelnumber"},
    {"ADDR", QT_TRANSLATE_NOOP("", "Address"), "text", "labelhome"},
    {"SQUE", QT_TRANSLATE_NOOP("", "Secret question"), "text", "labelquestion"},
    {"SANS", QT_TRANSLATE_NOOP("", "Secret answer"), "text", "labelinfo3"},
};

} // namespace

LabelRecord WalletDatabase::labelFromRow(const RowReader& row) const
{
    LabelRecord record;
    record.fieldType = row.text(QStringLiteral("field_type"));
    record.labelName = row.text(QStringLiteral("label_name"));
    record.valueType = row.text(QStringLiteral("value_type"));
    record.system = row.flag(QStringLiteral("system"));
    record.icon = row.text(QStringLiteral("icon"));
    return record;
}

LabelRecord WalletDatabase::getLabel(const QString& fieldType)
{
    QSqlQuery query;
    query.prepare(QStringLiteral("SELECT * FROM kelvaron_labels WHERE field_type=:fieldType ;"));
    query.bindValue(QStringLiteral(":fieldType"), fieldType);
    if (query.exec() && query.next())
        return labelFromRow(RowReader(query));
    return {};
}

QList<LabelRecord> WalletDatabase::listLabels(int kind)
{
    QString sql;
    switch (kind) {
    case 1:
        sql = QStringLiteral("SELECT * FROM kelvaron_labels WHERE system='0' AND deleted='0';");
        break;
    case 2:
        sql = QStringLiteral("SELECT * FROM kelvaron_labels WHERE system='1' AND deleted='0';");
        break;
    default:
        sql = QStringLiteral("SELECT * FROM kelvaron_labels WHERE deleted='0';");
        break;
    }
    // The select already returns whole rows: read them rather than select
    // each label again by its code.
    QList<LabelRecord> labels;
    QSqlQuery query;
    query.setForwardOnly(true);
    query.exec(sql);
    const RowReader row(query);
    while (query.next())
        labels.append(labelFromRow(row));
    return labels;
}

bool WalletDatabase::insertLabel(const QString& fieldType, const QString& labelName,
                                 const QString& icon, const QString& valueType, bool system,
                                 const QString& now)
{
    return execBound(
        QStringLiteral("INSERT INTO kelvaron_labels (field_type, label_name, value_type, icon, "
                       "system, change_timestamp, deleted )  VALUES (:fieldTypeValue,"
                       ":labelNameValue,:valueTypeValue,:iconValue, :systemValue, :changeValue, "
                       ":deletedValue ) "),
        {{QStringLiteral(":fieldTypeValue"), fieldType},
         {QStringLiteral(":labelNameValue"), labelName},
         {QStringLiteral(":valueTypeValue"), valueType},
         {QStringLiteral(":iconValue"), icon},
         {QStringLiteral(":systemValue"), system ? 1 : 0},
         {QStringLiteral(":changeValue"), now},
         {QStringLiteral(":deletedValue"), 0}});
}

bool WalletDatabase::addLabel(const QString& fieldType, const QString& labelName,
                              const QString& icon, const QString& valueType, bool system)
{
    const QString now = currentTimestamp();
    return write(now, Touch::OnCommit,
                 [&] { return insertLabel(fieldType, labelName, icon, valueType, system, now); });
}

QString WalletDatabase::addCustomLabel(const QString& labelName, const QString& icon,
                                       const QString& valueType)
{
    const QString code = unusedId(LabelCodeLength, [this](const QString& candidate) {
        return rowExists(
            QStringLiteral("SELECT * FROM kelvaron_labels WHERE field_type=:fieldType ;"),
            {{QStringLiteral(":fieldType"), candidate}});
    });
    return addLabel(code, labelName, icon, valueType, false) ? code : QString();
}

bool WalletDatabase::updateLabel(const QString& fieldType, const QString& labelName,
                                 const QString& icon)
{
    // A label without a name would show as a blank row in every list.
    if (labelName.trimmed().isEmpty())
        return false;
    const QString now = currentTimestamp();
    return write(now, Touch::OnCommit, [&] {
        return execBoundOnOneRow(
            QStringLiteral("UPDATE kelvaron_labels SET label_name=:labelName, icon=:labelIcon, "
                           "change_timestamp=:changeValue  WHERE field_type=:labelId  "),
            {{QStringLiteral(":labelName"), labelName},
             {QStringLiteral(":labelIcon"), icon},
             {QStringLiteral(":changeValue"), now},
             {QStringLiteral(":labelId"), fieldType}});
    });
}

bool WalletDatabase::deleteLabel(const QString& fieldType)
{
    const QString now = currentTimestamp();
    return write(now, Touch::Always, [&] {
        return execBound(
            QStringLiteral("UPDATE kelvaron_labels SET deleted=1, "
                           "change_timestamp=:changeValue WHERE field_type=:labelId "
                           "AND system='0' "),
            {{QStringLiteral(":changeValue"), now}, {QStringLiteral(":labelId"), fieldType}});
    });
}

int WalletDatabase::labelUsageCount(const QString& fieldType)
{
    QSqlQuery query;
    query.prepare(QStringLiteral(
        "SELECT COUNT(type) FROM kelvaron_fields WHERE type=:labelId AND deleted='0'"));
    query.bindValue(QStringLiteral(":labelId"), fieldType);
    if (query.exec() && query.next())
        return query.value(0).toInt();
    return 0;
}

bool WalletDatabase::insertDefaultLabels(const QString& now)
{
    for (const BuiltInLabel& label : BuiltInLabels)
        if (!insertLabel(QLatin1String(label.code), QCoreApplication::translate("", label.name),
                         QLatin1String(label.icon), QLatin1String(label.valueType), true, now))
            return false;
    return true;
}
