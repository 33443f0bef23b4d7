#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as RFC 4180 has them: fields in double quotes may
// hold commas, line breaks and doubled quotes; lines end in CRLF or LF; a
// UTF-8 byte-order mark is skipped.
class Csv
{
public:
    struct Record
    {
        int line = 0; // where the record starts, counted from 1
        QStringList fields;
    };
    struct Table
    {
        QList<Record> records;
        // Empty when the whole text was read; else why it stopped, at
        // errorLine (records holds those before it).
        QString error;
        int errorLine = 0;
    };

    // Reads text (UTF-8). A quote that opens a field is never left open and
    // a closing quote is followed by a comma or a line end; otherwise the
    // reading stops with the line of the fault. Empty lines are skipped.
    static Table parse(const QByteArray& text);
    // One record, every field quoted, ended by CRLF.
    static QByteArray line(const QStringList& fields);
};
