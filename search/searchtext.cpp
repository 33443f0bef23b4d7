#include "searchtext.h"

#include <QRegularExpression>

namespace {

bool isAscii(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString SearchText::fold(const QString& text)
{
    // Most names and values are plain ASCII: only case folds there.
    if (isAscii(text))
        return text.toLower();
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    // Qt folds one letter to one: the German sharp s is spelt out by hand.
    return folded.toCaseFolded().replace(QChar(0xDF), QStringLiteral("ss"));
}

QStringList SearchText::terms(const QString& query)
{
    static const QRegularExpression whiteSpace(QStringLiteral("\\s+"));
    QStringList words = fold(query).split(whiteSpace, Qt::SkipEmptyParts);
    words.removeDuplicates();
    return words;
}
