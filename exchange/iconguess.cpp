#include "iconguess.h"

#include "iconcatalogue.h"
#include "importplan.h"

#include <QHash>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QString Prefix = QStringLiteral("icon_");

QString key(const QString& word)
{
    static const QRegularExpression nonWord(QStringLiteral("[^\\p{L}\\p{N}]"));
    return word.toLower().remove(nonWord);
}

// Every word that names an icon: its name, its title run together and its
// search words. A single word of a longer title ("card" of "Gift card") is
// too general to choose an icon.
const QHash<QString, QString>& iconWords()
{
    static const QHash<QString, QString> words = [] {
        QHash<QString, QString> found;
        const auto add = [&found](const QString& word, const QString& icon) {
            const QString k = key(word);
            if (k.size() >= 3 && !found.contains(k))
                found.insert(k, icon);
        };
        for (const IconInfo& info : itemIconCatalogue()) {
            const QString icon =
                info.iconfil.startsWith(Prefix) ? info.iconfil.mid(Prefix.size()) : info.iconfil;
            add(icon, icon);
            add(info.title, icon);
            for (const QString& word : info.search.split(
                     QRegularExpression(QStringLiteral("[\\s,;/]+")), Qt::SkipEmptyParts))
                add(word, icon);
        }
        return found;
    }();
    return words;
}

} // namespace

QString guessItemIcon(const QString& title, const QStringList& addresses)
{
    // Each address is looked at once; an entry has at most a hundred that
    // count, whatever a file claims.
    QStringList candidates;
    const auto addLabel = [&candidates](const QString& label) {
        if (label != QLatin1String("www"))
            candidates.append(label);
    };
    for (const QString& address : addresses.mid(0, ImportPlan::MaxAddresses)) {
        // "https://mail.google.com/x" and "google.com" alike.
        const QUrl url = QUrl::fromUserInput(address.trimmed());
        const QStringList labels = url.host().toLower().split(QLatin1Char('.'));
        // The name before the top-level domain, then the subdomains.
        if (labels.size() >= 2) {
            addLabel(labels.at(labels.size() - 2));
            for (int i = 0; i < labels.size() - 2; ++i)
                addLabel(labels.at(i));
        }
    }
    candidates.append(title);
    candidates.append(title.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    const QHash<QString, QString>& words = iconWords();
    for (const QString& candidate : candidates) {
        const auto found = words.constFind(key(candidate));
        if (found != words.constEnd())
            return found.value();
    }
    return QStringLiteral("document");
}
