#include "rowreader.h"

#include <QSqlQuery>
#include <QVariant>

RowReader::RowReader(const QSqlQuery& query) : m_query(query), m_record(query.record()) {}

QVariant RowReader::value(const QString& column) const
{
    return m_query.value(m_record.indexOf(column));
}

QString RowReader::text(const QString& column) const
{
    return value(column).toString();
}

QByteArray RowReader::bytes(const QString& column) const
{
    return value(column).toByteArray();
}

bool RowReader::flag(const QString& column) const
{
    return value(column).toBool();
}

QDateTime RowReader::timestamp(const QString& column) const
{
    return parseTimestamp(text(column));
}

QDateTime parseTimestamp(const QString& text)
{
    // Hand-parsed: QDateTime::fromString with a format is slow enough to
    // dominate the listing of large folders.
    static const QString pattern = QStringLiteral("dddd-dd-dd dd:dd:dd");
    if (text.size() != pattern.size())
        return {};
    for (int i = 0; i < text.size(); ++i) {
        const bool digit = text.at(i).isDigit();
        if (pattern.at(i) == QLatin1Char('d') ? !digit : text.at(i) != pattern.at(i))
            return {};
    }
    const auto number = [&](int from, int length) { return text.midRef(from, length).toInt(); };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
