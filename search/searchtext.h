#pragma once

#include <QString>
#include <QStringList>

// The matching rules of search: text is compared folded, that is without
// case and without accents (é is e, ё is е), and a query is a list of words
// that must all be found.
class SearchText
{
public:
    // The folded form of text: compatibility-decomposed, combining marks
    // dropped, case folded.
    static QString fold(const QString& text);
    // The folded words of a query, split at white space.
    static QStringList terms(const QString& query);
    // Joins folded texts so that no word can match across two of them.
    static QChar separator() { return QChar(0x1F); }
};
