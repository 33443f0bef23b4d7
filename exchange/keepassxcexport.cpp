#include "keepassxcexport.h"

#include "csv.h"
#include "csvformats.h"
#include "leftovers.h"
#include "privatefilewriter.h"
#include "walletdatabase.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

namespace {

// The folder of the last export, and the start of its temporary files' names.
const QString ExportFolderKey = QStringLiteral("General/exportfolder");
const QString LeftoverPrefix = QStringLiteral(".kelvaron-export-");

// "Label: value", the value's further lines indented so that they read as
// its continuation.
QString noteLine(const FieldRecord& field)
{
    QString value = field.value;
    value.replace(QLatin1Char('\n'), QLatin1String("\n  "));
    return field.label.labelName + QLatin1String(": ") + value;
}

} // namespace

QByteArray KeepassxcExport::build()
{
    WalletDatabase* db = WalletDatabase::instance();
    const QList<ItemRecord> items = db->listLiveItems();
    QHash<QString, ItemRecord> byId;
    for (const ItemRecord& item : items)
        byId.insert(item.itemId, item);
    const auto groupOf = [&byId](const ItemRecord& item) {
        QStringList path;
        for (QString id = item.parentId; byId.contains(id) && id != RootItemId;
             id = byId.value(id).parentId)
            path.prepend(byId.value(id).name);
        path.prepend(QStringLiteral("Root"));
        return path.join(QLatin1Char('/'));
    };
    // One read of every field, in each item's order.
    QHash<QString, QList<FieldRecord>> fieldsOf;
    for (const auto& field : db->listLiveFields())
        fieldsOf[field.first].append(field.second);
    QByteArray out = Csv::line(CsvFormats::KeePassXCHeader);
    for (const ItemRecord& item : items) {
        if (item.folder || item.itemId == RootItemId)
            continue;
        QHash<QString, QString> columns; // the first field of a type that has a column
        QStringList notes;
        for (const FieldRecord& field : fieldsOf.value(item.itemId)) {
            const bool hasColumn = field.type == QLatin1String("USER") ||
                                   field.type == QLatin1String("PASS") ||
                                   field.type == QLatin1String("LINK");
            if (hasColumn && !columns.contains(field.type))
                columns.insert(field.type, field.value);
            else
                notes.append(noteLine(field));
        }
        out += Csv::line({groupOf(item), item.name, columns.value("USER"), columns.value("PASS"),
                          columns.value("LINK"), notes.join(QLatin1Char('\n')), QString(),
                          QStringLiteral("0"), QString(), QString()});
    }
    return out;
}

bool KeepassxcExport::writeFile(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    // Remembered before a byte is written: a temporary file that a kill
    // leaves here is found and removed at the next start.
    QSettings().setValue(ExportFolderKey, folder);
    PrivateFileWriter partial(folder, LeftoverPrefix, QString());
    if (!partial.open())
        return false;
    const QByteArray bytes = build();
    return partial.device()->write(bytes) == bytes.size() &&
           partial.commit(path, PrivateFileWriter::Commit::Replace);
}

void KeepassxcExport::removeStaleLeftovers(const QDateTime& startedAt)
{
    removeLeftoversBefore(QSettings().value(ExportFolderKey).toString(),
                          LeftoverPrefix + QStringLiteral("*"), startedAt);
}
