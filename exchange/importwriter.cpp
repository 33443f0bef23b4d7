#include "importwriter.h"

#include "walletdatabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>

namespace {

// The label code for every field, making the labels that are missing.
class LabelCodes
{
public:
    explicit LabelCodes(WalletDatabase* db) : m_db(db)
    {
        for (const LabelRecord& label : db->listLabels(0))
            m_byName.insert(label.labelName.toLower(), label.fieldType);
    }

    // The field's code, or an empty text when its label could not be made.
    QString codeOf(const ImportPlan::Field& field)
    {
        if (!field.code.isEmpty())
            return field.code;
        const QString key = field.label.toLower();
        auto found = m_byName.constFind(key);
        if (found != m_byName.constEnd())
            return found.value();
        const QString code =
            m_db->addCustomLabel(field.label, QStringLiteral("labelempty"),
                                 field.secret ? QStringLiteral("pass") : QStringLiteral("text"));
        if (!code.isEmpty())
            m_byName.insert(key, code);
        return code;
    }

private:
    WalletDatabase* m_db;
    QHash<QString, QString> m_byName;
};

} // namespace

QString ImportWriter::write(const ImportPlan& plan, const QDate& today)
{
    WalletDatabase* db = WalletDatabase::instance();
    if (!plan.canBeWritten() || !db || !db->hasPassword())
        return {};
    QString top;
    const bool written = db->writeAll([&] {
        top = db->addItemWithFields(RootItemId,
                                    QCoreApplication::translate("", "Imported %1")
                                        .arg(today.toString(QStringLiteral("yyyy-MM-dd"))),
                                    QStringLiteral("folder"), true, {});
        if (top.isEmpty())
            return false;
        QHash<QStringList, QString> folders{{QStringList(), top}};
        for (const QStringList& path : plan.folderPaths()) {
            const QString id =
                db->addItemWithFields(folders.value(path.mid(0, path.size() - 1)), path.last(),
                                      QStringLiteral("folder"), true, {});
            if (id.isEmpty())
                return false;
            folders.insert(path, id);
        }
        LabelCodes labels(db);
        for (const ImportPlan::Entry& entry : plan.entries) {
            QList<QPair<QString, QString>> fields;
            for (const ImportPlan::Field& field : entry.fields) {
                const QString code = labels.codeOf(field);
                if (code.isEmpty())
                    return false;
                fields.append({code, field.value});
            }
            if (db->addItemWithFields(folders.value(entry.folderPath), entry.title, entry.icon,
                                      false, fields)
                    .isEmpty())
                return false;
        }
        return true;
    });
    return written ? top : QString();
}
