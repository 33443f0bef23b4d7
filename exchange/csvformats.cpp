#include "csvformats.h"

#include "entrybuilder.h"

#include <QCoreApplication>
#include <QHash>

const QStringList CsvFormats::KeePassXCHeader = {
    QStringLiteral("Group"),    QStringLiteral("Title"), QStringLiteral("Username"),
    QStringLiteral("Password"), QStringLiteral("URL"),   QStringLiteral("Notes"),
    QStringLiteral("TOTP"),     QStringLiteral("Icon"),  QStringLiteral("Last Modified"),
    QStringLiteral("Created")};

namespace {

const QStringList KeePassXCRequired = {"group", "title", "username", "password", "url", "notes"};
const QStringList BitwardenRequired = {"folder",         "type",           "name",     "notes",
                                       "login_username", "login_password", "login_uri"};

// Column positions by lower-case name.
QHash<QString, int> columnsOf(const QStringList& header)
{
    QHash<QString, int> columns;
    for (int i = 0; i < header.size(); ++i)
        columns.insert(header[i].trimmed().toLower(), i);
    return columns;
}

bool hasAll(const QHash<QString, int>& columns, const QStringList& names)
{
    for (const QString& name : names)
        if (!columns.contains(name))
            return false;
    return true;
}

QStringList folderPathOf(const QString& path)
{
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

const QString TotpLabel = QStringLiteral("TOTP");

// KeePassXC: Group is "Root/A/B", the first step being the database's root group.
ImportPlan::Entry keePassXCEntry(const Csv::Record& record, const QHash<QString, int>& at)
{
    const auto column = [&](const char* name) { return record.fields.value(at.value(name)); };
    EntryBuilder entry(record.line, folderPathOf(column("group")).mid(1), column("title"));
    entry.add("USER", column("username"));
    entry.add("PASS", column("password"));
    entry.add("LINK", column("url"));
    entry.addNotes(column("notes"));
    if (at.contains("totp"))
        entry.addNamed(TotpLabel, column("totp"), true);
    return entry.take();
}

// Bitwarden: several addresses in login_uri are separated by commas, and
// custom fields are "name: value" lines.
ImportPlan::Entry bitwardenEntry(const Csv::Record& record, const QHash<QString, int>& at)
{
    const auto column = [&](const char* name) {
        return at.contains(name) ? record.fields.value(at.value(name)) : QString();
    };
    EntryBuilder entry(record.line, folderPathOf(column("folder")), column("name"));
    entry.add("USER", column("login_username"));
    entry.add("PASS", column("login_password"));
    for (const QString& uri : column("login_uri").split(QLatin1Char(','), Qt::SkipEmptyParts))
        entry.add("LINK", uri.trimmed());
    entry.add("NOTE", column("notes"));
    for (const QString& line : column("fields").split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int colon = line.indexOf(QLatin1String(": "));
        if (colon > 0)
            entry.addNamed(line.left(colon), line.mid(colon + 2));
    }
    entry.addNamed(TotpLabel, column("login_totp"), true);
    return entry.take();
}

} // namespace

CsvFormats::Kind CsvFormats::detect(const QStringList& header)
{
    const QHash<QString, int> columns = columnsOf(header);
    if (hasAll(columns, KeePassXCRequired))
        return Kind::KeePassXC;
    if (hasAll(columns, BitwardenRequired))
        return Kind::Bitwarden;
    return Kind::Unknown;
}

QString CsvFormats::name(Kind kind)
{
    switch (kind) {
    case Kind::KeePassXC:
        return QCoreApplication::translate("", "KeePassXC CSV");
    case Kind::Bitwarden:
        return QCoreApplication::translate("", "Bitwarden CSV");
    case Kind::Unknown:
        break;
    }
    return {};
}

ImportPlan CsvFormats::map(Kind kind, const Csv::Table& table)
{
    ImportPlan plan;
    plan.format = name(kind);
    const QStringList header = table.records.first().fields;
    const QHash<QString, int> columns = columnsOf(header);
    for (int i = 1; i < table.records.size(); ++i) {
        const Csv::Record& record = table.records[i];
        if (record.fields.size() != header.size()) {
            plan.addProblem(record.line,
                            QCoreApplication::translate("", "%1 columns where the header has %2")
                                .arg(record.fields.size())
                                .arg(header.size()));
            continue;
        }
        plan.add(kind == Kind::KeePassXC ? keePassXCEntry(record, columns)
                                         : bitwardenEntry(record, columns));
    }
    if (!table.error.isEmpty())
        plan.addProblem(table.errorLine, table.error);
    return plan;
}
