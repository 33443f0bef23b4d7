#pragma once

#include <QHash>
#include <QList>
#include <QString>

class WalletDatabase;

// What search looks through: every live folder and item of the unlocked
// wallet with its name and the values of its fields, deciphered once and
// folded (SearchText), so that a query never deciphers anything. It lives
// only while the wallet is unlocked: wipe() empties it on Lock.
class SearchIndex
{
public:
    struct Result
    {
        QString itemId;
        QString name;
        QString path; // the parent's path, "/" for the top level
        QString icon;
        bool folder = false;
    };

    bool isBuilt() const { return m_built; }
    // Reads and deciphers the whole wallet once.
    void build(WalletDatabase* db);
    // Takes one item again (after it, or one of its fields, changed), or
    // drops it when it is no longer live. Nothing happens before build().
    void refresh(WalletDatabase* db, const QString& itemId);
    void remove(const QString& itemId);
    // Overwrites and releases every text the index holds.
    void wipe();

    // Items and folders where every word of query is found in the name, the
    // path or a field's value (passwords only with includePasswords); those
    // whose name holds every word first, then those whose name holds some,
    // then the rest, each group by path. With a limit, only the best limit
    // results come back; total (when given) is told how many were found.
    QList<Result> find(const QString& query, bool includePasswords, int limit = -1,
                       int* total = nullptr) const;

    // Bytes of deciphered text the index stands for, and bytes it uses.
    qint64 textBytes() const;
    qint64 memoryBytes() const;

private:
    struct Entry
    {
        QString parentId;
        QString name;
        QString icon;
        bool folder = false;
        QString foldedName;  // null when folding the name only changes case
        QString folded;      // every field's value, separated; passwords last
        int secretsFrom = 0; // where the passwords start in folded
    };
    // What a query needs of an item's parent, worked out once per query.
    struct Place
    {
        bool reachesRoot = false;
        QString path;
        QString foldedPath;
    };
    const Place& placeOf(const QString& parentId, QHash<QString, Place>* places) const;
    static bool nameContains(const Entry& entry, const QString& term);
    static void setTexts(Entry* entry, const QString& values, const QString& secrets);
    bool reachesRoot(const QString& itemId) const;
    bool termInPath(const QString& parentId, const QString& term) const;
    QString pathOf(const QString& parentId) const;
    static Entry entryOf(const QString& parentId, const QString& name, const QString& icon,
                         bool folder);

    QHash<QString, Entry> m_entries;
    bool m_built = false;
};
