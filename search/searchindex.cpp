#include "searchindex.h"

#include "formatfieldvalue.h"
#include "searchtext.h"
#include "walletdatabase.h"

#include <algorithm>
#include <QSet>

namespace {

const QString PasswordValueType = QStringLiteral("pass");
constexpr int MaxDepth = 256; // guards against a damaged file whose parents form a cycle

// The folded values of one item while the index takes it: passwords apart.
struct Texts
{
    QString values;
    QString secrets;
};

// Appends a field's value, in the form the list shows it, to the folded
// text of its kind.
void addValue(Texts* texts, const FieldRecord& field)
{
    const QString shown = formatFieldValue(field);
    if (shown.isEmpty())
        return;
    QString* folded = field.label.valueType == PasswordValueType ? &texts->secrets : &texts->values;
    if (!folded->isEmpty())
        folded->append(SearchText::separator());
    folded->append(SearchText::fold(shown));
}

void overwrite(QString& text)
{
    if (text.isDetached())
        text.fill(QChar(0));
    text.clear();
    text.squeeze();
}

} // namespace

SearchIndex::Entry SearchIndex::entryOf(const QString& parentId, const QString& name,
                                        const QString& icon, bool folder)
{
    Entry entry;
    entry.parentId = parentId;
    entry.name = name;
    entry.icon = icon;
    entry.folder = folder;
    // A name that case alone folds is matched as it is, ignoring case: most
    // names need no folded copy.
    const QString folded = SearchText::fold(name);
    if (folded != name.toLower())
        entry.foldedName = folded;
    return entry;
}

void SearchIndex::setTexts(Entry* entry, const QString& values, const QString& secrets)
{
    // One text an item: the values, a separator, then the passwords, which
    // only a search that asks for them looks at.
    entry->folded = values + SearchText::separator() + secrets;
    entry->folded.squeeze();
    entry->secretsFrom = values.size() + 1;
}

void SearchIndex::build(WalletDatabase* db)
{
    wipe();
    const QList<ItemRecord> items = db->listLiveItems();
    m_entries.reserve(items.size());
    for (const ItemRecord& item : items)
        if (item.itemId != RootItemId)
            m_entries.insert(item.itemId,
                             entryOf(item.parentId, item.name, item.icon, item.folder));
    QHash<QString, Texts> texts;
    texts.reserve(m_entries.size());
    for (const auto& pair : db->listLiveFields())
        if (m_entries.contains(pair.first))
            addValue(&texts[pair.first], pair.second);
    // Parent ids and icon names are shared with the texts already held.
    QHash<QString, QString> icons;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        const Texts& own = texts[it.key()];
        setTexts(&*it, own.values, own.secrets);
        const auto parent = m_entries.constFind(it->parentId);
        if (parent != m_entries.constEnd())
            it->parentId = parent.key();
        it->icon = *icons.insert(it->icon, it->icon);
    }
    m_built = true;
}

void SearchIndex::refresh(WalletDatabase* db, const QString& itemId)
{
    if (!m_built || itemId == RootItemId)
        return;
    const ItemRecord item = db->getItem(itemId);
    const QString parentId = db->getParentId(itemId); // empty for a deleted item
    if (item.itemId.isEmpty() || parentId.isEmpty()) {
        remove(itemId);
        return;
    }
    Entry entry = entryOf(parentId, item.name, item.icon, item.folder);
    Texts own;
    for (const FieldRecord& field : db->listFields(itemId))
        addValue(&own, field);
    setTexts(&entry, own.values, own.secrets);
    remove(itemId);
    m_entries.insert(itemId, entry);
}

void SearchIndex::remove(const QString& itemId)
{
    auto entry = m_entries.find(itemId);
    if (entry == m_entries.end())
        return;
    for (QString* text : {&entry->name, &entry->foldedName, &entry->folded})
        overwrite(*text);
    m_entries.erase(entry);
}

void SearchIndex::wipe()
{
    const QStringList ids = m_entries.keys();
    for (const QString& id : ids)
        remove(id);
    m_entries.clear();
    m_entries.squeeze();
    m_built = false;
}

bool SearchIndex::nameContains(const Entry& entry, const QString& term)
{
    return entry.foldedName.isNull() ? entry.name.contains(term, Qt::CaseInsensitive)
                                     : entry.foldedName.contains(term);
}

bool SearchIndex::reachesRoot(const QString& itemId) const
{
    QString id = itemId;
    for (int depth = 0; depth < MaxDepth; ++depth) {
        const auto entry = m_entries.constFind(id);
        if (entry == m_entries.constEnd())
            return false;
        if (entry->parentId == RootItemId)
            return true;
        id = entry->parentId;
    }
    return false;
}

bool SearchIndex::termInPath(const QString& parentId, const QString& term) const
{
    QString id = parentId;
    for (int depth = 0; depth < MaxDepth && id != RootItemId; ++depth) {
        const auto entry = m_entries.constFind(id);
        if (entry == m_entries.constEnd())
            return false;
        if (nameContains(*entry, term))
            return true;
        id = entry->parentId;
    }
    return false;
}

QString SearchIndex::pathOf(const QString& parentId) const
{
    QStringList names;
    QString id = parentId;
    for (int depth = 0; depth < MaxDepth && id != RootItemId; ++depth) {
        const auto entry = m_entries.constFind(id);
        if (entry == m_entries.constEnd())
            break;
        names.prepend(entry->name);
        id = entry->parentId;
    }
    return QLatin1Char('/') + names.join(QLatin1Char('/'));
}

const SearchIndex::Place& SearchIndex::placeOf(const QString& parentId,
                                               QHash<QString, Place>* places) const
{
    // Items share few parents: each parent's path is made once per query.
    auto known = places->constFind(parentId);
    if (known != places->constEnd())
        return *known;
    Place place;
    place.reachesRoot = parentId == RootItemId || reachesRoot(parentId);
    place.path = pathOf(parentId);
    place.foldedPath = SearchText::fold(place.path);
    return *places->insert(parentId, place);
}

QList<SearchIndex::Result> SearchIndex::find(const QString& query, bool includePasswords, int limit,
                                             int* total) const
{
    const QStringList terms = SearchText::terms(query);
    if (terms.isEmpty())
        return {};
    struct Ranked
    {
        int rank;
        const Place* place;
        QHash<QString, Entry>::const_iterator entry;
    };
    QHash<QString, Place> places;
    QList<Ranked> found;
    for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it) {
        const Entry& entry = *it;
        int inName = 0;
        bool all = true;
        for (const QString& term : terms) {
            if (nameContains(entry, term)) {
                ++inName;
                continue;
            }
            if ((includePasswords ? QStringView(entry.folded)
                                  : QStringView(entry.folded).left(entry.secretsFrom))
                    .contains(term) ||
                termInPath(entry.parentId, term))
                continue;
            all = false;
            break;
        }
        if (!all)
            continue;
        const Place& place = placeOf(entry.parentId, &places);
        if (!place.reachesRoot)
            continue;
        const int rank = inName == terms.size() ? 0 : inName > 0 ? 1 : 2;
        found.append({rank, &place, it});
    }
    if (total)
        *total = found.size();
    // Best first: every word in the name, then some, then none; then by path.
    // Only the best limit are put in order.
    const auto middle =
        found.begin() + (limit < 0 ? found.size() : std::min(limit, int(found.size())));
    std::partial_sort(found.begin(), middle, found.end(), [](const Ranked& a, const Ranked& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.place != b.place)
            return a.place->foldedPath < b.place->foldedPath;
        return QString::compare(a.entry->name, b.entry->name, Qt::CaseInsensitive) < 0;
    });
    QList<Result> results;
    results.reserve(int(middle - found.begin()));
    for (auto it = found.begin(); it != middle; ++it)
        results.append({it->entry.key(), it->entry->name, it->place->path, it->entry->icon,
                        it->entry->folder});
    return results;
}

qint64 SearchIndex::textBytes() const
{
    qint64 bytes = 0;
    for (const Entry& entry : m_entries)
        bytes += (entry.name.size() + entry.folded.size() - 1) * qint64(sizeof(QChar));
    return bytes;
}

qint64 SearchIndex::memoryBytes() const
{
    // The texts' own storage, each shared block once, their headers, and the
    // table's nodes.
    constexpr qint64 StringData = 24;
    QSet<const void*> counted;
    qint64 bytes = 0;
    for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it) {
        const Entry& entry = *it;
        for (const QString* text : {&it.key(), &entry.parentId, &entry.name, &entry.icon,
                                    &entry.foldedName, &entry.folded}) {
            bytes += qint64(sizeof(QString));
            if (!text->isNull() && !counted.contains(text->constData())) {
                counted.insert(text->constData());
                bytes += StringData + text->capacity() * qint64(sizeof(QChar));
            }
        }
        bytes += qint64(sizeof(void*)) * 3 + sizeof(uint); // the hash node
    }
    return bytes;
}
