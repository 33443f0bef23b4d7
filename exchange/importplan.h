#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a file from another password manager holds, read and mapped to
// Kelvaron's folders, items and labels, before anything is written.
class ImportPlan
{
public:
    struct Field
    {
        // The code of a built-in label; when empty, the field goes on the
        // label named label.
        QString code;
        QString label;
        QString value;
        // Whether a new label for it hides its values as passwords do.
        bool secret = false;
    };
    struct Entry
    {
        int line = 0;           // where the entry starts in the file
        QStringList folderPath; // below the new "Imported" folder; empty for at its top
        QString title;
        QString icon;
        QList<Field> fields;
    };
    struct Problem
    {
        int line = 0; // of the file, or the item's number in a JSON file
        QString text; // for the user, the place included
    };

    // The format found, for the user ("KeePassXC CSV", ...).
    QString format;
    // Why the whole file was refused; empty when it was read.
    QString refusal;
    QList<Entry> entries;
    // Lines that could not be read; while there are any, nothing is written.
    QList<Problem> problems;

    bool canBeWritten() const { return refusal.isEmpty() && problems.isEmpty(); }
    // Every folder path the entries need, parents before children.
    QList<QStringList> folderPaths() const;
    int fieldCount() const;
};
