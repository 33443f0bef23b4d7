#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a file from another password manager holds, read and mapped to
// Kelvaron's folders, items and labels, before anything is written.
class ImportPlan
{
public:
    // The most folder levels and web addresses one entry may bring; an
    // entry beyond them is a problem of its line, so that a small hostile
    // file cannot make the preview or the write run for long.
    static constexpr int MaxFolderDepth = 64;
    static constexpr int MaxAddresses = 100;

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
    // One folder to make: its name and the index of its parent in the list
    // of folders, -1 for the new "Imported" folder itself.
    struct Folder
    {
        int parent = -1;
        QString name;
    };
    // Every folder the entries need, parents before children, and for each
    // entry the index of its folder (-1 for the top).
    struct FolderTree
    {
        QList<Folder> folders;
        QList<int> entryFolder;
    };
    // How the file's places are counted: lines of a CSV file, items of a
    // JSON file.
    enum class Places
    {
        Lines,
        Items
    };

    explicit ImportPlan(Places places = Places::Lines) : m_places(places) {}

    // The format found, for the user ("KeePassXC CSV", ...).
    QString format;
    // Why the whole file was refused; empty when it was read.
    QString refusal;
    QList<Entry> entries;
    // Lines that could not be read; while there are any, nothing is written.
    QList<Problem> problems;

    bool canBeWritten() const { return refusal.isEmpty() && problems.isEmpty(); }
    // Takes entry, or a problem of its line when it is beyond the bounds.
    void add(const Entry& entry);
    // A problem at line (or item) number, said as "Line 4: text".
    void addProblem(int line, const QString& text);
    // Built in one pass, one lookup per folder level.
    FolderTree folderTree() const;
    int fieldCount() const;

private:
    Places m_places;
};
