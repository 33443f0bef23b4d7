#pragma once

#include "importplan.h"

// Collects one entry read from another manager's file: its fields in the
// order given, empty values skipped, well-known field names on Kelvaron's
// built-in labels; the icon is chosen when the entry is taken.
class EntryBuilder
{
public:
    EntryBuilder(int line, const QStringList& folderPath, const QString& title);

    // A field on a built-in label, by its code.
    void add(const QString& code, const QString& value);
    // A field named in the file: a built-in label when the name is one
    // Kelvaron knows, else a label of that name.
    void addNamed(const QString& name, const QString& value, bool secret = false);
    // Lines "Name: value" (and lines starting with two spaces continuing the
    // value before) become fields by addNamed when every line has that form;
    // other text is one note.
    void addNotes(const QString& notes);

    ImportPlan::Entry take();

private:
    ImportPlan::Entry m_entry;
};
