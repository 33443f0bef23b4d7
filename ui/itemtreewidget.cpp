#include "itemtreewidget.h"

#include "walletdatabase.h"

#include <QMimeData>

const QString ItemTreeWidget::MimeType = QStringLiteral("application/x-kelvaron-item-ids");

ItemTreeWidget::ItemTreeWidget(QWidget* parent) : QTreeWidget(parent) {}

QStringList ItemTreeWidget::mimeTypes() const
{
    return {MimeType};
}

Qt::DropActions ItemTreeWidget::supportedDropActions() const
{
    return Qt::MoveAction;
}

QMimeData* ItemTreeWidget::mimeData(const QList<QTreeWidgetItem*> items) const
{
    QStringList ids;
    // The root never moves: it is never dragged.
    for (const QTreeWidgetItem* item : items)
        if (const QString id = item->data(0, IdRole).toString(); !id.isEmpty() && id != RootItemId)
            ids.append(id);
    if (ids.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(MimeType, ids.join(QLatin1Char('\n')).toUtf8());
    return data;
}

bool ItemTreeWidget::dropMimeData(QTreeWidgetItem* parent, int, const QMimeData* data,
                                  Qt::DropAction)
{
    if (!parent || !data || !data->hasFormat(MimeType))
        return false;
    const QStringList ids =
        QString::fromUtf8(data->data(MimeType)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString target = parent->data(0, IdRole).toString();
    if (!ids.isEmpty() && !target.isEmpty())
        emit itemsDropped(ids, target);
    return false;
}
