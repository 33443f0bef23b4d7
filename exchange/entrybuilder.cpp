#include "entrybuilder.h"

#include "iconguess.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

namespace {

// Field names of other managers that mean one of Kelvaron's built-in labels,
// in lower case.
const QHash<QString, QString>& builtInNames()
{
    static const QHash<QString, QString> names = {{"user name", "USER"},
                                                  {"username", "USER"},
                                                  {"login", "USER"},
                                                  {"password", "PASS"},
                                                  {"web page", "LINK"},
                                                  {"url", "LINK"},
                                                  {"uri", "LINK"},
                                                  {"website", "LINK"},
                                                  {"note", "NOTE"},
                                                  {"notes", "NOTE"},
                                                  {"e-mail", "MAIL"},
                                                  {"email", "MAIL"},
                                                  {"card number", "CARD"},
                                                  {"number", "CARD"},
                                                  {"expiration date", "EXPD"},
                                                  {"expiration", "EXPD"},
                                                  {"pin code", "PINC"},
                                                  {"pin", "PINC"},
                                                  {"name", "NAME"},
                                                  {"phone", "PHON"},
                                                  {"address", "ADDR"},
                                                  {"previous password", "OLDP"}};
    return names;
}

const QString NoteCode = QStringLiteral("NOTE");

} // namespace

EntryBuilder::EntryBuilder(int line, const QStringList& folderPath, const QString& title)
{
    m_entry.line = line;
    m_entry.folderPath = folderPath;
    m_entry.title =
        title.trimmed().isEmpty() ? QCoreApplication::translate("", "(untitled)") : title.trimmed();
}

void EntryBuilder::add(const QString& code, const QString& value)
{
    if (value.trimmed().isEmpty())
        return;
    m_entry.fields.append({code, QString(), value, false});
}

void EntryBuilder::addNamed(const QString& name, const QString& value, bool secret)
{
    if (value.trimmed().isEmpty())
        return;
    const QString label =
        name.trimmed().isEmpty() ? QCoreApplication::translate("", "Field") : name.trimmed();
    m_entry.fields.append({builtInNames().value(label.toLower()), label, value, secret});
}

void EntryBuilder::addNotes(const QString& notes)
{
    static const QRegularExpression named(QStringLiteral("^([^:\\s][^:\\n]{0,63}): (.*)$"));
    QList<QPair<QString, QString>> fields;
    for (const QString& line : notes.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("  ")) && !fields.isEmpty()) {
            fields.last().second += QLatin1Char('\n') + line.mid(2);
            continue;
        }
        const QRegularExpressionMatch match = named.match(line);
        if (!match.hasMatch()) {
            add(NoteCode, notes);
            return;
        }
        fields.append({match.captured(1), match.captured(2)});
    }
    for (const auto& field : fields)
        addNamed(field.first, field.second);
}

ImportPlan::Entry EntryBuilder::take()
{
    QStringList addresses;
    for (const ImportPlan::Field& field : m_entry.fields)
        if (field.code == QLatin1String("LINK"))
            addresses.append(field.value);
    m_entry.icon = guessItemIcon(m_entry.title, addresses);
    return m_entry;
}
