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
        const ImportPlan::FolderTree tree = plan.folderTree();
        QStringList folderIds;
        folderIds.reserve(tree.folders.size());
        const auto idOf = [&](int folder) { return folder < 0 ? top : folderIds.at(folder); };
        for (const ImportPlan::Folder& folder : tree.folders) {
            const QString id = db->addItemWithFields(idOf(folder.parent), folder.name,
                                                     QStringLiteral("folder"), true, {});
            if (id.isEmpty())
                return false;
            folderIds.append(id);
        }
        LabelCodes labels(db);
        for (int i = 0; i < plan.entries.size(); ++i) {
            const ImportPlan::Entry& entry = plan.entries.at(i);
            QList<QPair<QString, QString>> fields;
            for (const ImportPlan::Field& field : entry.fields) {
                const QString code = labels.codeOf(field);
                if (code.isEmpty())
                    return false;
                fields.append({code, field.value});
            }
            if (db->addItemWithFields(idOf(tree.entryFolder.at(i)), entry.title, entry.icon, false,
                                      fields)
                    .isEmpty())
                return false;
        }
        return true;
    });
    return written ? top : QString();
}
