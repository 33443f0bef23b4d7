#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSqlRecord>
#include <QString>

class QSqlQuery;

// Reads the columns of the current row of an executed query by name. The
// column layout is looked up once per query rather than once per value.
class RowReader
{
public:
    explicit RowReader(const QSqlQuery& query);

    QString text(const QString& column) const;
    QByteArray bytes(const QString& column) const;
    bool flag(const QString& column) const;
    // A stored "yyyy-MM-dd HH:mm:ss" timestamp, its digits taken as local time.
    QDateTime timestamp(const QString& column) const;

private:
    QVariant value(const QString& column) const;

    const QSqlQuery& m_query;
    QSqlRecord m_record;
};

// Parses "yyyy-MM-dd HH:mm:ss" as a local date-time; anything else is invalid.
QDateTime parseTimestamp(const QString& text);
