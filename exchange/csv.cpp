#include "csv.h"

#include <QCoreApplication>

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

} // namespace

Csv::Table Csv::parse(const QByteArray& text)
{
    Table table;
    const int end = text.size();
    int i = text.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
    int line = 1;
    Record record{line, {}};
    QByteArray field;
    bool consumed = false; // the current field has begun
    const auto endField = [&] {
        record.fields.append(QString::fromUtf8(field));
        field.clear();
        consumed = false;
    };
    const auto endRecord = [&] {
        // A line with nothing on it is no record.
        if (record.fields.size() > 1 || !record.fields.first().isEmpty())
            table.records.append(record);
        record = Record{line, {}};
    };
    const auto fail = [&](const char* why, int at) {
        table.error = QCoreApplication::translate("", why);
        table.errorLine = at;
        return table;
    };
    while (i < end) {
        const char c = text[i];
        if (c == '"') {
            if (consumed)
                return fail(QT_TRANSLATE_NOOP("", "a quote stands inside an unquoted field"), line);
            // A quoted field runs to the quote that is not doubled.
            const int opened = line;
            for (++i;; ++i) {
                if (i >= end)
                    return fail(QT_TRANSLATE_NOOP("", "a quoted field is never closed"), opened);
                if (text[i] == '"') {
                    if (i + 1 < end && text[i + 1] == '"') {
                        field.append('"');
                        ++i;
                        continue;
                    }
                    break;
                }
                if (text[i] == '\n')
                    ++line;
                // A line break inside a value is kept as one line feed.
                if (text[i] == '\r' && i + 1 < end && text[i + 1] == '\n')
                    continue;
                field.append(text[i]);
            }
            ++i;
            consumed = true;
            const bool atLineEnd = i >= end || text[i] == '\n' ||
                                   (text[i] == '\r' && i + 1 < end && text[i + 1] == '\n');
            if (!atLineEnd && text[i] != ',')
                return fail(QT_TRANSLATE_NOOP("", "a closing quote is followed by other text"),
                            line);
            continue;
        }
        if (c == ',') {
            endField();
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (c == '\r' && !(i + 1 < end && text[i + 1] == '\n'))
                return fail(QT_TRANSLATE_NOOP("", "a line ends in a lone carriage return"), line);
            i += c == '\r' ? 2 : 1;
            endField();
            ++line;
            endRecord();
            continue;
        }
        field.append(c);
        consumed = true;
        ++i;
    }
    if (consumed || !record.fields.isEmpty()) {
        endField();
        endRecord();
    }
    return table;
}

QByteArray Csv::line(const QStringList& fields)
{
    QByteArray out;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(',');
        out.append('"');
        out.append(fields[i].toUtf8().replace('"', "\"\""));
        out.append('"');
    }
    out.append("\r\n");
    return out;
}
