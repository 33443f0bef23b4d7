#include "movetodialog.h"

#include "dialogbuttons.h"
#include "fittofont.h"
#include "iconcatalogue.h"
#include "ui_movetodialog.h"
#include "walletdatabase.h"

#include <QHash>

namespace {

constexpr int IdRole = Qt::UserRole;

} // namespace

MoveToDialog::MoveToDialog(const QString& itemId, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::MoveToDialog>())
{
    ui->setupUi(this);
    fitTextToFont(this);
    arrangeDialogButtons(ui->pushButtonMove, ui->pushButtonCancel);
    setWindowFlags(
        (windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)) |
        Qt::CustomizeWindowHint);
    setFixedSize(size());
    WalletDatabase* db = WalletDatabase::instance();
    ui->labelWhat->setText(tr("Move \"%1\" to:").arg(db->getItem(itemId).name));

    // Folders by parent, read once; the moved folder's branch is left out.
    QHash<QString, QList<ItemRecord>> children;
    for (const ItemRecord& item : db->listLiveItems())
        if (item.folder && item.itemId != RootItemId && item.itemId != itemId)
            children[item.parentId].append(item);
    auto* root = new QTreeWidgetItem(ui->treeFolders, {tr("Kelvaron")});
    root->setData(0, IdRole, RootItemId);
    root->setIcon(0, QIcon(QStringLiteral(":/app_icon/icons/48.png")));
    QList<QTreeWidgetItem*> pending{root};
    while (!pending.isEmpty()) {
        QTreeWidgetItem* node = pending.takeFirst();
        QList<ItemRecord> below = children.value(node->data(0, IdRole).toString());
        std::sort(below.begin(), below.end(), [](const ItemRecord& a, const ItemRecord& b) {
            return a.name.localeAwareCompare(b.name) < 0;
        });
        for (const ItemRecord& folder : below) {
            auto* child = new QTreeWidgetItem(node, {folder.name});
            child->setData(0, IdRole, folder.itemId);
            child->setIcon(0, iconForName(folder.icon));
            pending.append(child);
        }
    }
    ui->treeFolders->expandAll();
    ui->treeFolders->setCurrentItem(root);
    connect(ui->pushButtonMove, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->pushButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->treeFolders, &QTreeWidget::itemActivated, this, &QDialog::accept);
}

MoveToDialog::~MoveToDialog() = default;

QString MoveToDialog::refusalText(WalletDatabase::MoveResult result)
{
    using Result = WalletDatabase::MoveResult;
    switch (result) {
    case Result::Moved:
    case Result::AlreadyThere:
        return {};
    case Result::IsRoot:
        return tr("The top of the wallet cannot be moved.");
    case Result::ItemNotFound:
        return tr("The item is no longer in the wallet.");
    case Result::TargetNotFolder:
        return tr("Items can only be moved into a folder.");
    case Result::IntoItself:
        return tr("A folder cannot be moved into itself or into a folder inside it.");
    case Result::NotWritten:
        return tr("The wallet could not be written, so nothing was moved.");
    }
    return {};
}

QString MoveToDialog::targetId() const
{
    const QTreeWidgetItem* current = ui->treeFolders->currentItem();
    return current ? current->data(0, IdRole).toString() : QString();
}
