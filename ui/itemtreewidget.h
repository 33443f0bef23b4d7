#pragma once

#include <QTreeWidget>

// A tree or list of the wallet's folders and items whose rows are dragged as
// their ids, and onto whose folders they are dropped to be moved. A drop
// never inserts rows of its own: it asks for the move, and the view is
// rebuilt from the store once the move is written.
class ItemTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    static const QString MimeType;
    // The role of column 0 that holds each row's id.
    static constexpr int IdRole = Qt::UserRole;

    explicit ItemTreeWidget(QWidget* parent = nullptr);

    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    // The dropped ids are asked to move below the folder parent; false, so
    // that nothing is inserted here.
    bool dropMimeData(QTreeWidgetItem* parent, int index, const QMimeData* data,
                      Qt::DropAction action) override;

signals:
    void itemsDropped(const QStringList& ids, const QString& targetId);

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*> items) const override;
};
