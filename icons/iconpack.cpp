#include "iconpack.h"

#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QTextStream>

namespace {

// A description lists names and labels; anything larger is not a real pack.
constexpr qint64 MaxDescriptionBytes = 4 * 1024 * 1024;

QString firstDescendantText(const QDomElement& element, const QString& name, bool* found = nullptr)
{
    const QDomNodeList list = element.elementsByTagName(name);
    if (found)
        *found = !list.isEmpty();
    return list.isEmpty() ? QString() : list.at(0).toElement().text();
}

} // namespace

void readPackIcon(const QDomElement& element, QList<IconInfo>* catalogue)
{
    IconInfo info;
    info.iconfil = firstDescendantText(element, QStringLiteral("id"));
    info.search = firstDescendantText(element, QStringLiteral("search"));
    bool hasType = false;
    const QString type = firstDescendantText(element, QStringLiteral("type"), &hasType);
    if (!hasType || (type != QLatin1String("default") && type != QLatin1String("custom")))
        return;
    info.type = type == QLatin1String("custom") ? 1 : 0;

    const QDomNodeList names = element.elementsByTagName(QStringLiteral("name"));
    if (!names.isEmpty()) {
        for (QDomNode child = names.at(0).firstChild(); !child.isNull();
             child = child.nextSibling())
            if (child.nodeName() == QLatin1String("en"))
                info.title = child.toElement().text();
    }
    if (info.iconfil.isEmpty() || info.title.isEmpty())
        return;
    catalogue->append(info);
}

void readIconPack(const QString& descriptionPath, QList<IconInfo>* catalogue)
{
    QFile file(descriptionPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    if (file.size() > MaxDescriptionBytes) {
        qDebug() << "Icon pack description too large, skipped:" << descriptionPath;
        return;
    }
    QTextStream stream(&file);
    const QString text = stream.readAll();
    // Entity declarations can make a tiny file expand without bound; a pack
    // never needs them.
    if (text.contains(QLatin1String("<!ENTITY"), Qt::CaseInsensitive)) {
        qDebug() << "Icon pack description declares entities, skipped:" << descriptionPath;
        return;
    }
    QDomDocument document;
    if (!document.setContent(text))
        return;
    const QDomNodeList icons = document.elementsByTagName(QStringLiteral("icon"));
    for (int i = 0; i < icons.size(); ++i)
        readPackIcon(icons.at(i).toElement(), catalogue);
}
