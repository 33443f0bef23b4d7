#include "mainwindow.h"

#include "about.h"
#include "backuparchive.h"
#include "edititemfolder.h"
#include "ensurebackupfolder.h"
#include "exchangecommands.h"
#include "fittofont.h"
#include "formatfieldvalue.h"
#include "iconcatalogue.h"
#include "kelvaronconfig.h"
#include "kvchangepassword.h"
#include "kvcustommessage.h"
#include "kvfieldedit.h"
#include "kvpassworddialog.h"
#include "kvrestoredialog.h"
#include "labels.h"
#include "lockcloser.h"
#include "mainwindowlayout.h"
#include "movetodialog.h"
#include "openaddress.h"
#include "prefs.h"
#include "protectionbar.h"
#include "restorefromarchive.h"
#include "secretwipe.h"
#include "settingskeys.h"
#include "ui_mainwindow.h"
#include "unlockwallet.h"
#include "viewwipe.h"
#include "walletdatabase.h"

#include <QCloseEvent>
#include <QDBusConnection>
#include <QDebug>
#include <QFileDialog>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidgetItem>

namespace {

constexpr int IdRole = Qt::UserRole;

QString rowId(const QTreeWidgetItem* row, int column = 0)
{
    return row ? row->data(column, IdRole).toString() : QString();
}

// Gives view a new scene holding picture, fitted in view keeping its aspect.
void showPicture(QGraphicsView* view, const QPixmap& picture, const QRectF& sceneRect)
{
    QGraphicsScene* old = view->scene();
    auto* scene = new QGraphicsScene(sceneRect, view);
    QGraphicsPixmapItem* item = scene->addPixmap(picture);
    view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setScene(scene);
    view->fitInView(item, Qt::KeepAspectRatio);
    delete old;
}

} // namespace

QDateTime localChangeTime(const QDateTime& stored)
{
    if (!stored.isValid())
        return {};
    return QDateTime(stored.date(), stored.time(), Qt::UTC).toLocalTime();
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);
    m_protectionBar = new ProtectionBar(ui->centralWidget);
    connect(m_protectionBar, &ProtectionBar::upgradeRequested, this,
            [this] { changePassword(true); });
    m_splitter = layOutMainWindow(ui.get(), m_protectionBar);
    fitTextToFont(this);
    ui->unlockButton->hide();
    ui->labelLocked->hide();
    ui->unlockButton->parentWidget()->hide();
    ui->graphicsVievHeron->hide();
    ui->listWidget->setExpandsOnDoubleClick(false);
    ui->graphicsView->setStyleSheet(QStringLiteral("background: transparent"));

    setUpSearch();
    auto* spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    ui->toolBar->addWidget(spacer);
    const bool pinned =
        QSettings().value(SettingsKeys::StayOnTop, SettingsKeys::StayOnTopDefault).toBool();
    pinAction = new QAction(tr("Stick"), this);
    pinAction->setObjectName(QStringLiteral("pinAction"));
    pinAction->setIcon(QIcon(pinned ? QStringLiteral(":/toolbar_icons/icons/pin_enabled.png")
                                    : QStringLiteral(":/toolbar_icons/icons/pin_disabled.png")));
    ui->toolBar->addAction(pinAction);
    pinAction->setCheckable(true);
    pinAction->setChecked(pinned);
    connect(pinAction, &QAction::toggled, this, &MainWindow::stayOnTopToggled);

    m_lockCloser = new LockCloser(this);
    m_idleLock = new IdleLock(this);
    connect(m_idleLock, &IdleLock::idle, this, &MainWindow::lockTimeout);
    connect(m_idleLock, &IdleLock::sessionLocked, this, &MainWindow::lockTimeout);
    m_idleLock->watchDesktop(QDBusConnection::systemBus(), QDBusConnection::sessionBus());
    m_idleLock->start();

    // The form's size, with the menu bar, the toolbar and the status bar
    // around it, is the smallest (and the protection bar above it when it
    // shows); the window grows and maximises at will, and comes back at the
    // size and place it had. The splitter takes the form's size less the
    // margins around it.
    m_splitter->setMinimumSize(633 - 22, 320 - 17);
    resize(minimumSizeHint());
    restoreGeometry(QSettings().value(SettingsKeys::Geometry).toByteArray());
    m_splitter->restoreState(QSettings().value(SettingsKeys::Splitter).toByteArray());
    if (pinned)
        setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setWindowIcon(QIcon(QStringLiteral(":/app_icon/icons/48.png")));

    connect(ui->treeWidget, &QTreeWidget::currentItemChanged, this,
            &MainWindow::currentItemChanged);
    connect(ui->listWidget, &QTreeWidget::currentItemChanged, this,
            &MainWindow::currentListItemChanged);
    connect(ui->listWidget, &QTreeWidget::itemSelectionChanged, this,
            &MainWindow::updateRowCommands);
    setUpClipboard();
    setUpSecrets();
    setUpEditCommands();

    ui->lineEdit->setFocusPolicy(Qt::NoFocus);
    ui->graphicsView->setFocusPolicy(Qt::NoFocus);
    fillTree();
    setTabOrder(ui->treeWidget, ui->listWidget);
    // The root is shown at once, whether or not the window manager gives the
    // tree the keyboard focus.
    ui->treeWidget->setFocus();
    selectTreeItem(RootItemId);
    m_searchBar->prepare();
    applyTrayPreference();
    showProtection();
}

void MainWindow::showProtection()
{
    const WalletDatabase* db = WalletDatabase::instance();
    m_protectionBar->showFor(db->protection(), db->walletId());
}

MainWindow::~MainWindow()
{
    // Quit ends the program with the window still shown.
    if (isVisible())
        saveGeometryState();
}

void MainWindow::saveGeometryState()
{
    QSettings settings;
    settings.setValue(SettingsKeys::Geometry, saveGeometry());
    settings.setValue(SettingsKeys::Splitter, m_splitter->saveState());
}

void MainWindow::setUpSearch()
{
    m_searchBar = new SearchBar(ui->toolBar, ui->actionFind, this);
    connect(m_searchBar, &SearchBar::found, this, &MainWindow::showSearchResults);
    connect(m_searchBar, &SearchBar::left, this, &MainWindow::leaveSearch);
    connect(m_searchBar, &SearchBar::optionsChanged, this, [this] {
        if (m_searching)
            m_searchBar->searchNow();
    });
    connect(ui->listWidget, &QTreeWidget::itemActivated, this, &MainWindow::activateRow);
}

void MainWindow::showSearchResults(const QList<SearchIndex::Result>& results, int total)
{
    m_searching = true;
    ui->actionShowSecrets->setEnabled(false);
    ui->graphicsVievHeron->hide();
    setCommandsVisible(true);
    resetList(2);
    for (QWidget* command : {ui->addButton, ui->addButtonFolder, ui->folderUpButton})
        command->setEnabled(false);
    ui->lineEdit->setText(tr("Search: %1").arg(m_searchBar->query()));
    ui->pathLabel->clear();
    ui->statsLabel->clear();
    QList<QTreeWidgetItem*> rows;
    for (const SearchIndex::Result& result : results) {
        auto* row = new QTreeWidgetItem(QStringList({result.name, result.path}));
        row->setData(0, IdRole, result.itemId);
        row->setIcon(0, rowIcon(result.icon));
        rows.append(row);
    }
    if (results.isEmpty()) {
        // Said plainly in the panel itself, on a row that cannot be chosen.
        auto* none = new QTreeWidgetItem(QStringList(tr("No match")));
        none->setFlags(Qt::NoItemFlags);
        rows.append(none);
    }
    ui->listWidget->addTopLevelItems(rows);
    for (int column = 0; column < ui->listWidget->columnCount(); ++column)
        ui->listWidget->resizeColumnToContents(column);
    if (results.isEmpty())
        statusBar()->showMessage(tr("No match"));
    else if (total > results.size())
        statusBar()->showMessage(
            tr("Found: %1; the first %2 are shown").arg(total).arg(results.size()));
    else
        statusBar()->showMessage(tr("Found: %1").arg(total));
}

void MainWindow::leaveSearch()
{
    if (!m_searching)
        return;
    m_searching = false;
    statusBar()->clearMessage();
    // Back exactly where the user was: the tree never lost its selection.
    currentItemChanged(ui->treeWidget->currentItem(), nullptr);
}

void MainWindow::openSearchResult(QTreeWidgetItem* row)
{
    QTreeWidgetItem* node = row ? findTreeItem(rootRow(), rowId(row)) : nullptr;
    if (!node)
        return;
    m_searching = false;
    statusBar()->clearMessage();
    ui->treeWidget->scrollToItem(node);
    if (ui->treeWidget->currentItem() == node)
        currentItemChanged(node, nullptr);
    else
        ui->treeWidget->setCurrentItem(node);
}

QTreeWidgetItem* MainWindow::rootRow() const
{
    return ui->treeWidget->topLevelItem(0);
}

QIcon MainWindow::rowIcon(const QString& iconName)
{
    auto known = m_rowIcons.constFind(iconName);
    if (known == m_rowIcons.constEnd())
        known = m_rowIcons.insert(iconName, iconForName(iconName));
    return *known;
}

void MainWindow::fillTree()
{
    m_rowIcons.clear();
    m_treeState.capture(ui->treeWidget);
    ui->treeWidget->clear();
    auto* root = new QTreeWidgetItem(QStringList(tr("Kelvaron")));
    root->setData(0, IdRole, RootItemId);
    root->setIcon(0, QIcon(QStringLiteral(":/app_icon/icons/48.png")));
    ui->treeWidget->addTopLevelItem(root);
    addChildRows(root, RootItemId);
    root->setExpanded(true);
    m_treeState.restore(ui->treeWidget);
    root->setSelected(true);
}

void MainWindow::addChildRows(QTreeWidgetItem* parentRow, const QString& parentId)
{
    for (const ItemRecord& child : WalletDatabase::instance()->listChildren(parentId)) {
        auto* row = new QTreeWidgetItem(parentRow, QStringList(child.name));
        row->setData(0, IdRole, child.itemId);
        row->setIcon(0, rowIcon(child.icon));
        // Only folders hold children: items are leaves of the tree.
        if (child.folder)
            addChildRows(row, child.itemId);
    }
}

QTreeWidgetItem* MainWindow::findTreeItem(QTreeWidgetItem* row, const QString& id) const
{
    if (!row)
        return nullptr;
    if (rowId(row) == id)
        return row;
    for (int i = 0; i < row->childCount(); ++i)
        if (QTreeWidgetItem* found = findTreeItem(row->child(i), id))
            return found;
    return nullptr;
}

bool MainWindow::selectTreeItem(const QString& id)
{
    QTreeWidgetItem* row = findTreeItem(rootRow(), id);
    if (!row)
        return false;
    ui->folderUpButton->setEnabled(id != RootItemId);
    ui->treeWidget->setCurrentItem(row);
    return true;
}

QString MainWindow::selectedTreeId() const
{
    const QList<QTreeWidgetItem*> selected = ui->treeWidget->selectedItems();
    return selected.isEmpty() ? QString() : rowId(selected.first());
}

QString MainWindow::selectedListId() const
{
    const QList<QTreeWidgetItem*> selected = ui->listWidget->selectedItems();
    return selected.isEmpty() ? QString() : rowId(selected.first());
}

QString MainWindow::selectedFieldId() const
{
    const QList<QTreeWidgetItem*> selected = ui->listWidget->selectedItems();
    return selected.isEmpty() ? QString() : rowId(selected.first(), 1);
}

void MainWindow::currentItemChanged(QTreeWidgetItem* newItem, QTreeWidgetItem*)
{
    if (!newItem)
        return;
    m_searching = false;
    const QString id = rowId(newItem);
    const ItemRecord record = WalletDatabase::instance()->getItem(id);
    showIcon(record.icon);
    if (showHiddenImage(record))
        return;
    ui->graphicsVievHeron->hide();
    setCommandsVisible(true);
    ui->folderUpButton->setEnabled(id != RootItemId);
    if (id != m_secretsShownFor)
        hideSecrets();
    ui->actionShowSecrets->setEnabled(!record.folder);
    showHeader(id, record);
    if (record.folder)
        showFolder(id);
    else
        showItem(id);
    for (int column = 0; column < ui->listWidget->columnCount(); ++column)
        ui->listWidget->resizeColumnToContents(column);
}

void MainWindow::showIcon(const QString& iconName)
{
    const QString path = iconName == QLatin1String("root")
                             ? QStringLiteral(":/app_icon/icons/64.png")
                             : iconFilePath(iconName);
    const QPixmap picture = QPixmap(path).scaled(ui->graphicsView->size(), Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation);
    showPicture(ui->graphicsView, picture, QRectF(0, 0, 64, 64));
    ui->graphicsView->ensureVisible(QRectF(0, 0, 64, 64), 50, 50);
}

bool MainWindow::showHiddenImage(const ItemRecord& record)
{
    if (record.name.trimmed().toLower() != QLatin1String("velvet heron") ||
        record.icon != QLatin1String("heron"))
        return false;
    setCommandsVisible(false);
    ui->graphicsVievHeron->setStyleSheet(QStringLiteral("background: transparent"));
    ui->graphicsVievHeron->show();
    const QPixmap heron =
        QPixmap(QStringLiteral(":/images/images/heron.jpg"))
            .scaledToWidth(ui->graphicsVievHeron->width(), Qt::SmoothTransformation);
    showPicture(ui->graphicsVievHeron, heron, heron.rect());
    return true;
}

void MainWindow::setCommandsVisible(bool visible)
{
    const QList<QWidget*> widgets = {ui->folderUpButton, ui->deleteButton, ui->editButton,
                                     ui->copyButton,     ui->addButton,    ui->addButtonFolder,
                                     ui->listWidget};
    for (QWidget* widget : widgets)
        widget->setVisible(visible);
}

void MainWindow::showHeader(const QString& id, const ItemRecord& record)
{
    // The parent path: the node's own name is cut off the end of its path.
    QString path = itemPathOf(id);
    if (record.name.size() < path.size())
        path.chop(record.name.size());
    ui->pathLabel->setText(path);
    ui->lineEdit->setText(record.name);
    ui->statsLabel->setText(localChangeTime(record.changeTimestamp).toString(Qt::TextDate));
}

void MainWindow::resetList(int columns)
{
    ui->listWidget->clear();
    ui->listWidget->setColumnCount(columns);
    m_rowIcons.clear();
    // A field's time shown below belonged to the rows just removed.
    statusBar()->clearMessage();
    updateRowCommands();
}

bool MainWindow::showsFields() const
{
    return !m_searching && ui->listWidget->columnCount() == 2;
}

void MainWindow::updateRowCommands()
{
    // Edit, Delete and Copy act on one chosen row of the right panel, and
    // Copy only on a field; search results are opened, not edited.
    const bool rowChosen = !m_searching && ui->listWidget->selectedItems().size() == 1;
    ui->deleteButton->setEnabled(rowChosen);
    ui->editButton->setEnabled(rowChosen);
    ui->copyButton->setEnabled(rowChosen && showsFields());
    // Folders and items are dragged to move them; fields are not.
    ui->listWidget->setDragEnabled(!showsFields());
    // The Edit menu, and the context menus that show it, follow the buttons.
    const bool unlocked = !isLocked() && !selectedTreeId().isEmpty();
    const bool folderShown = unlocked && !m_searching && ui->addButtonFolder->isEnabled();
    ui->actionNewItem->setEnabled(folderShown);
    ui->actionNewFolder->setEnabled(folderShown);
    ui->actionNewField->setEnabled(unlocked && !m_searching && !folderShown);
    ui->actionEdit->setEnabled(ui->editButton->isEnabled());
    ui->actionDelete->setEnabled(ui->deleteButton->isEnabled());
    ui->actionCopyValue->setEnabled(ui->copyButton->isEnabled());
    ui->actionMoveTo->setEnabled(unlocked && !moveCandidate().isEmpty());
    ui->actionUp->setEnabled(unlocked && selectedTreeId() != RootItemId);
}

void MainWindow::showFolder(const QString& id)
{
    ui->addButtonFolder->setEnabled(true);
    const QList<ItemRecord> children = WalletDatabase::instance()->listChildren(id);
    resetList(1);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(children.size());
    for (const ItemRecord& child : children) {
        auto* row = new QTreeWidgetItem(QStringList(child.name));
        row->setData(0, IdRole, child.itemId);
        row->setIcon(0, rowIcon(child.icon));
        rows.append(row);
    }
    ui->listWidget->addTopLevelItems(rows);
}

void MainWindow::showItem(const QString& id)
{
    ui->addButtonFolder->setEnabled(false);
    const QList<FieldRecord> fields = WalletDatabase::instance()->listFields(id);
    resetList(2);
    QList<QTreeWidgetItem*> rows;
    for (const FieldRecord& field : fields) {
        // Secrets show as a fixed run of dots, whatever their length, until
        // the user asks to see this item's secrets.
        const QString shown = isSecretField(field) && m_secretsShownFor != id
                                  ? QString(8, QChar(0x25CF))
                                  : formatFieldValue(field);
        auto* row = new QTreeWidgetItem(QStringList({field.label.labelName, shown}));
        row->setData(0, IdRole, id);
        row->setData(1, IdRole, field.fieldId);
        row->setIcon(0, rowIcon(field.label.icon));
        rows.append(row);
    }
    ui->listWidget->addTopLevelItems(rows);
}

void MainWindow::currentListItemChanged(QTreeWidgetItem* newItem, QTreeWidgetItem*)
{
    if (!newItem || !showsFields())
        return;
    const QString treeId = selectedTreeId();
    if (ui->listWidget->selectedItems().size() != 1 || treeId.isEmpty())
        return;
    const QString fieldId = rowId(newItem, 1);
    if (fieldId.isEmpty())
        return;
    const FieldRecord field = WalletDatabase::instance()->getField(treeId, fieldId);
    statusBar()->showMessage(QStringLiteral("  ") +
                             localChangeTime(field.changeTimestamp).toString(Qt::TextDate));
}

void MainWindow::activateRow(QTreeWidgetItem* row)
{
    if (!row)
        return;
    if (m_searching)
        openSearchResult(row);
    else if (showsFields()) {
        ui->listWidget->setCurrentItem(row);
        on_editButton_clicked();
    } else if (QTreeWidgetItem* node = findTreeItem(rootRow(), rowId(row)))
        ui->treeWidget->setCurrentItem(node);
}

void MainWindow::setUpEditCommands()
{
    const QList<QPair<QAction*, void (MainWindow::*)()>> commands = {
        {ui->actionNewItem, &MainWindow::on_addButton_clicked},
        {ui->actionNewField, &MainWindow::on_addButton_clicked},
        {ui->actionNewFolder, &MainWindow::on_addButtonFolder_clicked},
        {ui->actionEdit, &MainWindow::on_editButton_clicked},
        {ui->actionDelete, &MainWindow::on_deleteButton_clicked},
        {ui->actionCopyValue, &MainWindow::on_copyButton_clicked},
        {ui->actionUp, &MainWindow::on_folderUpButton_clicked}};
    for (const auto& command : commands)
        connect(command.first, &QAction::triggered, this, command.second);
    ui->actionUp->setShortcuts(
        {QKeySequence(Qt::Key_Backspace), QKeySequence(Qt::ALT | Qt::Key_Up)});
    // Every shortcut is named in its command's tooltip, and the buttons at the
    // right edge say theirs too.
    for (QAction* action : findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            action->setToolTip(QStringLiteral("%1 (%2)").arg(
                action->iconText(), action->shortcut().toString(QKeySequence::NativeText)));
    const QList<QPair<QPushButton*, QAction*>> buttons = {
        {ui->folderUpButton, ui->actionUp}, {ui->addButtonFolder, ui->actionNewFolder},
        {ui->addButton, ui->actionNewItem}, {ui->deleteButton, ui->actionDelete},
        {ui->editButton, ui->actionEdit},   {ui->copyButton, ui->actionCopyValue}};
    for (const auto& button : buttons)
        button.first->setToolTip(button.first->toolTip() + QLatin1Char(' ') +
                                 QStringLiteral("(%1)").arg(
                                     button.second->shortcut().toString(QKeySequence::NativeText)));
    // Rows dropped onto a folder of the tree or the list move there, once
    // the view has finished with the drop.
    for (auto* view : {ui->treeWidget, ui->listWidget})
        connect(view, &ItemTreeWidget::itemsDropped, this, &MainWindow::moveItems,
                Qt::QueuedConnection);
    // Right-click on the tree or the list offers the Edit menu there.
    for (QTreeWidget* view : {ui->treeWidget, ui->listWidget}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            if (view == ui->treeWidget && ui->listWidget->currentItem())
                ui->listWidget->clearSelection();
            updateRowCommands();
            ui->menuEdit->exec(view->viewport()->mapToGlobal(at));
        });
    }
}

QString MainWindow::moveCandidate() const
{
    if (m_searching)
        return {};
    if (!showsFields() && ui->listWidget->selectedItems().size() == 1)
        return rowId(ui->listWidget->selectedItems().constFirst());
    const QString node = selectedTreeId();
    return node == RootItemId ? QString() : node;
}

void MainWindow::on_actionMoveTo_triggered()
{
    DialogFrame frame(this);
    const QString id = moveCandidate();
    if (id.isEmpty())
        return;
    MoveToDialog picker(id, this);
    if (picker.exec() == QDialog::Accepted && !picker.targetId().isEmpty())
        moveItems({id}, picker.targetId());
}

void MainWindow::moveItems(const QStringList& ids, const QString& target)
{
    DialogFrame frame(this);
    for (const QString& id : ids) {
        const QString refusal =
            MoveToDialog::refusalText(WalletDatabase::instance()->moveItem(id, target));
        if (!refusal.isEmpty()) {
            KVCustomMessage::ask(tr("Not moved"), refusal, true, KVCustomMessage::ButtonsOk);
            break;
        }
    }
    // Paths have changed: the search index is made again.
    m_searchBar->rebuild();
    fillTree();
    selectTreeItem(ids.constFirst());
}

void MainWindow::on_actionQuit_triggered()
{
    QCoreApplication::quit();
}

void MainWindow::on_folderUpButton_clicked()
{
    const QString id = selectedTreeId();
    if (id.isEmpty() || id == RootItemId)
        return;
    const QString parentId = WalletDatabase::instance()->getParentId(id);
    if (!parentId.isEmpty())
        selectTreeItem(parentId);
}

void MainWindow::setStayOnTopHint(bool onTop)
{
    // Unpinned is normal stacking, never "below all others": a window kept
    // at the bottom could not be raised again.
    Qt::WindowFlags flags =
        windowFlags() & ~(Qt::WindowStaysOnTopHint | Qt::WindowStaysOnBottomHint);
    if (onTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    show(); // changing the window flags hides the window
}

void MainWindow::suspendStayOnTop()
{
    if (QSettings().value(SettingsKeys::StayOnTop, SettingsKeys::StayOnTopDefault).toBool())
        setStayOnTopHint(false);
}

void MainWindow::resumeStayOnTop()
{
    if (QSettings().value(SettingsKeys::StayOnTop, SettingsKeys::StayOnTopDefault).toBool())
        setStayOnTopHint(true);
}

void MainWindow::on_addButton_clicked()
{
    addNode(false);
}

void MainWindow::on_addButtonFolder_clicked()
{
    addNode(true);
}

void MainWindow::addNode(bool folder)
{
    DialogFrame frame(this);
    const QString treeId = selectedTreeId();
    if (treeId.isEmpty())
        return;
    if (WalletDatabase::instance()->getItem(treeId).folder) {
        EditItemFolder editor(folder, treeId, this);
        if (editor.exec() != QDialog::Accepted)
            return;
        const QString newId = editor.editorResult().itemId;
        m_searchBar->refresh(newId);
        fillTree();
        if (!selectTreeItem(newId))
            selectTreeItem(treeId);
    } else {
        KVFieldEdit editor(treeId, QString(), this);
        if (editor.exec() != QDialog::Accepted)
            return;
        showChanged(treeId, treeId);
    }
}

void MainWindow::showChanged(const QString& changedId, const QString& shownId)
{
    // The search index follows every change, then the tree is rebuilt.
    m_searchBar->refresh(changedId);
    fillTree();
    selectTreeItem(shownId);
}

void MainWindow::on_editButton_clicked()
{
    DialogFrame frame(this);
    const QString listId = selectedListId();
    const QString treeId = selectedTreeId();
    if (treeId.isEmpty())
        return;
    if (WalletDatabase::instance()->getItem(treeId).folder) {
        if (listId.isEmpty())
            return;
        EditItemFolder editor(listId, this);
        if (editor.exec() != QDialog::Accepted)
            return;
        showChanged(listId, treeId);
        return;
    }
    const QString fieldId = selectedFieldId();
    if (fieldId.isEmpty())
        return;
    KVFieldEdit editor(treeId, fieldId, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    showChanged(treeId, listId);
}

void MainWindow::on_deleteButton_clicked()
{
    DialogFrame frame(this);
    const QString treeId = selectedTreeId();
    if (treeId.isEmpty())
        return;
    WalletDatabase* db = WalletDatabase::instance();
    if (db->getItem(treeId).folder) {
        const QString childId = selectedListId();
        if (childId.isEmpty())
            return;
        const ItemRecord child = db->getItem(childId);
        if (child.folder) {
            if (db->hasChildren(childId)) {
                KVCustomMessage::ask(tr("Deletion cancelled"),
                                     tr("Non-empty folder cannot be deleted"), true,
                                     KVCustomMessage::ButtonsOk);
                return;
            }
            if (!db->deleteItem(childId))
                reportFailedWrite();
        } else {
            if (!KVCustomMessage::confirm(
                    child.name, tr("You are going to delete the item and it will not be "
                                   "possible to restore it and its fields. Are you sure you "
                                   "want to continue?")))
                return;
            if (!db->deleteItemWithFields(childId))
                reportFailedWrite();
        }
        showChanged(childId, treeId);
        return;
    }
    const QString fieldId = selectedFieldId();
    if (fieldId.isEmpty())
        return;
    const FieldRecord field = db->getField(treeId, fieldId);
    // The title names the field by its label: a value may be a secret.
    if (!KVCustomMessage::confirm(
            field.label.labelName,
            tr("You are going to delete the field. Are you sure you want to proceed?")))
        return;
    if (!db->deleteField(treeId, fieldId))
        reportFailedWrite();
    showChanged(treeId, treeId);
}

void MainWindow::on_copyButton_clicked()
{
    if (ui->listWidget->selectedItems().size() != 1)
        return;
    const QString fieldId = selectedFieldId();
    const QString treeId = selectedTreeId();
    m_clipboard->copy(WalletDatabase::instance()->getField(treeId, fieldId).value);
}

void MainWindow::setUpSecrets()
{
    connect(ui->actionShowSecrets, &QAction::toggled, this, [this](bool shown) {
        m_secretsShownFor = shown ? selectedTreeId() : QString();
        if (!m_searching)
            currentItemChanged(ui->treeWidget->currentItem(), nullptr);
    });
}

void MainWindow::hideSecrets()
{
    m_secretsShownFor.clear();
    const QSignalBlocker quiet(ui->actionShowSecrets);
    ui->actionShowSecrets->setChecked(false);
}

void MainWindow::setUpClipboard()
{
    m_clipboard = new ClipboardTimer(this);
    connect(m_clipboard, &ClipboardTimer::countdown, this, [this](int secondsLeft) {
        if (secondsLeft > 0)
            statusBar()->showMessage(tr("Copied; the clipboard clears in %1 s").arg(secondsLeft));
        else
            statusBar()->clearMessage();
    });
    // Ctrl+C in the field list copies the chosen value the same way as the
    // Copy button: marked secret and cleared in time, whatever column is
    // current (the view's own copy would take the cell's text, unmarked).
    ui->listWidget->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->listWidget && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
        chooseRowOnFocus();
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched == ui->listWidget && key &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        if (event->type() == QEvent::KeyPress && ui->copyButton->isEnabled())
            on_copyButton_clicked();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::chooseRowOnFocus()
{
    // Tab into the list makes its current row (or the first) the chosen one,
    // so that every command works from the keyboard alone.
    QTreeWidget* list = ui->listWidget;
    if (!list->selectedItems().isEmpty())
        return;
    QTreeWidgetItem* row = list->currentItem() ? list->currentItem() : list->topLevelItem(0);
    if (row && (row->flags() & Qt::ItemIsSelectable)) {
        list->setCurrentItem(row);
        row->setSelected(true);
    }
}

void MainWindow::on_actionSync_triggered()
{
    DialogFrame frame(this);
    KVCustomMessage::ask(tr("Synchronization"),
                         tr("Synchronization will come in a later version. Follow the updates "
                            "on the application's website."),
                         false, KVCustomMessage::ButtonsOk);
}

void MainWindow::on_actionFind_triggered()
{
    m_searchBar->findOrFocus();
}

void MainWindow::on_actionWebsite_triggered()
{
    openAddress(QStringLiteral(KELVARON_WEBSITE));
}

void MainWindow::on_actionSend_feedback_triggered()
{
    openAddress(QStringLiteral(KELVARON_WEBSITE "/feedback"));
}

MainWindow::DialogFrame::DialogFrame(MainWindow* window) : m_window(window)
{
    ++m_window->m_openFrames;
    m_window->suspendStayOnTop();
}

MainWindow::DialogFrame::~DialogFrame()
{
    m_window->resumeStayOnTop();
    if (--m_window->m_openFrames == 0 && m_window->m_lockPending)
        m_window->lockWindow();
}

void MainWindow::lockTimeout()
{
    requestLock(true);
}

void MainWindow::on_actionLock_triggered()
{
    requestLock(false);
}

void MainWindow::requestLock(bool automatic)
{
    // Locked already (the unlock dialog may be open): nothing to hide.
    if (isLocked())
        return;
    m_lockAutomatic = m_lockAutomatic || automatic;
    // Whatever is open closes at once without saving, and the lock follows
    // as soon as the command that opened it has unwound, so that a write
    // under way is never cut in half.
    m_closedByLock += m_lockCloser->closeAll();
    m_closedByLock.removeDuplicates();
    if (m_openFrames > 0) {
        m_lockPending = true;
        return;
    }
    lockWindow();
}

bool MainWindow::isLocked() const
{
    return !ui->unlockButton->isHidden();
}

void MainWindow::setWalletVisible(bool visible)
{
    ui->unlockButton->setVisible(!visible);
    ui->labelLocked->setVisible(!visible);
    ui->unlockButton->parentWidget()->setVisible(!visible);
    m_splitter->setVisible(visible);
    const QList<QWidget*> wallet = {
        ui->treeWidget,     ui->listWidget, ui->toolBar,      ui->lineEdit,        ui->graphicsView,
        ui->pathLabel,      ui->addButton,  ui->deleteButton, ui->addButtonFolder, ui->copyButton,
        ui->folderUpButton, ui->editButton, ui->statsLabel,   ui->statusBar};
    for (QWidget* widget : wallet)
        widget->setVisible(visible);
    ui->menuBar->setEnabled(visible);
    if (!visible)
        m_protectionBar->hide();
}

void MainWindow::reportFailedWrite()
{
    KVCustomMessage::ask(tr("Not saved"),
                         tr("The wallet could not be changed: the file cannot be written. "
                            "Nothing was lost; check the disk and the file's permissions."),
                         true, KVCustomMessage::ButtonsOk);
}

void MainWindow::lockWindow()
{
    m_lockPending = false;
    m_lockCloser->finish();
    suspendStayOnTop();
    setWalletVisible(false);
    ui->labelLocked->setText(
        m_lockAutomatic ? tr("Kelvaron was locked automatically to keep your data safe. Click "
                             "\"Unlock\" to go on working.")
                        : tr("Kelvaron is locked. Click \"Unlock\" to go on working."));
    m_lockAutomatic = false;
    m_clipboard->clearNow();
    m_idleLock->stop();
    hideSecrets();
    // Nothing deciphered outlives the lock: the search index is wiped.
    m_searching = false;
    m_searchBar->wipe();
    WalletDatabase::instance()->lock();
    // Ids only, nothing deciphered: the unlock comes back to the same place.
    m_treeState.capture(ui->treeWidget);
    // Nothing deciphered stays on screen or, as far as we can reach it, in
    // memory: the views and the header are overwritten, then emptied.
    wipeAndClear(ui->listWidget);
    wipeAndClear(ui->treeWidget);
    wipeAndClear(ui->lineEdit);
    wipeAndClear(ui->pathLabel);
    wipeAndClear(ui->statsLabel);
    wipeAndClear(statusBar());
    m_rowIcons.clear();
    updateRowCommands();
    scrubFreedHeap();
}

void MainWindow::showUnlocked()
{
    m_lockPending = false;
    m_idleLock->start();
    setWalletVisible(true);
    fillTree();
    ui->treeWidget->setFocus();
    if (!selectTreeItem(m_treeState.currentId()))
        selectTreeItem(RootItemId);
    m_searchBar->prepare();
    showProtection();
    if (!m_closedByLock.isEmpty())
        statusBar()->showMessage(
            tr("The wallet locked while %1 was open: it was closed without saving.")
                .arg(m_closedByLock.join(QStringLiteral(", "))));
    m_closedByLock.clear();
}

void MainWindow::on_unlockButton_clicked()
{
    DialogFrame frame(this);
    if (!openWalletDatabase()) {
        QCoreApplication::exit(1);
        return;
    }
    if (unlockWithPassword())
        showUnlocked();
    else
        QCoreApplication::exit(1);
}

bool MainWindow::unlockWithPassword()
{
    constexpr int MaxAttempts = 3;
    for (int attempts = 0; attempts < MaxAttempts;) {
        KVPasswordDialog dialog(nullptr);
        dialog.setWarning(attempts == 1   ? tr("2 attempts left")
                          : attempts == 2 ? tr("1 attempt left")
                                          : QString());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        const QString password = dialog.password();
        ++attempts;
        if (password.isEmpty()) {
            KVCustomMessage::ask(tr("Empty password!"), tr("Password cannot be empty, try again"),
                                 true, KVCustomMessage::ButtonsOk);
            continue;
        }
        if (unlockWallet(password))
            return true;
        KVCustomMessage::ask(tr("Wrong password!"),
                             attempts >= MaxAttempts
                                 ? tr("Too many failed login attempts, leaving the application")
                                 : tr("Password is wrong, try again"),
                             true, KVCustomMessage::ButtonsOk);
    }
    return false;
}

void MainWindow::stayOnTopToggled(bool)
{
    const bool pin = !(windowFlags() & Qt::WindowStaysOnTopHint);
    QSettings().setValue(SettingsKeys::StayOnTop, pin);
    pinAction->setIcon(QIcon(pin ? QStringLiteral(":/toolbar_icons/icons/pin_enabled.png")
                                 : QStringLiteral(":/toolbar_icons/icons/pin_disabled.png")));
    setStayOnTopHint(pin);
}

void MainWindow::on_actionChange_password_triggered()
{
    changePassword(false);
}

void MainWindow::changePassword(bool upgrade)
{
    DialogFrame frame(this);
    KVChangePassword dialog(nullptr);
    if (upgrade)
        dialog.setStrongProtection(true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lockWindow();
    KVCustomMessage::ask(tr("Password was changed"),
                         tr("The application is now locked. Unlock it with your new password."),
                         false, KVCustomMessage::ButtonsOk);
}

void MainWindow::on_actionPreferences_triggered()
{
    DialogFrame frame(this);
    Prefs dialog(nullptr);
    dialog.exec();
    applyTrayPreference();
}

void MainWindow::applyTrayPreference()
{
    const bool wanted = QSettings().value(SettingsKeys::ShowInTray, false).toBool() &&
                        QSystemTrayIcon::isSystemTrayAvailable();
    if (wanted && !isTrayIconVisible())
        createTrayIcon();
    else if (!wanted)
        removeTrayIcon();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    saveGeometryState();
    if (!isTrayIconVisible()) {
        QMainWindow::closeEvent(event);
        return;
    }
    // With the tray icon, closing hides the window; Quit ends the program.
    event->ignore();
    hide();
    if (!QSettings().value(SettingsKeys::TrayNoticeShown, false).toBool()) {
        QSettings().setValue(SettingsKeys::TrayNoticeShown, true);
        trayIcon->showMessage(tr("Kelvaron keeps running"),
                              tr("Kelvaron is still running in the system tray. Choose Quit in "
                                 "its menu or in the File menu to end it."));
    }
}

void MainWindow::createTrayIcon()
{
    trayIcon =
        new QSystemTrayIcon(QIcon(QStringLiteral(":/toolbar_icons/icons/trayicon32.png")), this);
    trayIcon->setToolTip(QStringLiteral("Kelvaron"));
    auto* menu = new QMenu(this);
    menu->addAction(tr("Show/Hide"), this, [this] { iconActivated(QSystemTrayIcon::Trigger); });
    menu->addAction(ui->actionLock);
    menu->addAction(ui->actionQuit);
    trayIcon->setContextMenu(menu);
    trayIcon->setVisible(true);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &MainWindow::iconActivated);
}

void MainWindow::removeTrayIcon()
{
    if (!isTrayIconVisible())
        return;
    trayIcon->hide();
    disconnect(trayIcon, nullptr, this, nullptr);
    trayIcon->contextMenu()->deleteLater();
    trayIcon->deleteLater();
    trayIcon = nullptr;
}

bool MainWindow::isTrayIconVisible() const
{
    return trayIcon && trayIcon->isVisible();
}

void MainWindow::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    if (isVisible() && isActiveWindow()) {
        hide();
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::on_actionBackup_triggered()
{
    DialogFrame frame(this);
    if (!ensureBackupFolder(this))
        return;
    const QString folder = backupFolder();
    if (!makeBackupArchive(BackupManual).isEmpty())
        KVCustomMessage::ask(tr("Backup file successfully created"),
                             tr("The backup was successfully saved in your backup folder '") +
                                 folder + QLatin1Char('\''),
                             false, KVCustomMessage::ButtonsOk);
    else
        KVCustomMessage::ask(tr("Backup failure"),
                             tr("The backup failed. Report this error to the developers."), true,
                             KVCustomMessage::ButtonsOk);
}

void MainWindow::on_actionRestore_triggered()
{
    DialogFrame frame(this);
    if (!ensureBackupFolder(this))
        return;
    KVRestoreDialog dialog(nullptr);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lockWindow();
    on_unlockButton_clicked();
}

void MainWindow::on_actionImportOther_triggered()
{
    DialogFrame frame(this);
    const QString folder = ExchangeCommands::importFile(this);
    if (folder.isEmpty())
        return;
    m_searchBar->rebuild();
    fillTree();
    selectTreeItem(folder);
}

void MainWindow::on_actionExport_triggered()
{
    DialogFrame frame(this);
    ExchangeCommands::exportFile(this);
}

void MainWindow::on_actionImport_triggered()
{
    DialogFrame frame(this);
    if (!ensureBackupFolder(this))
        return;
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(tr("Backup files (*.zip)"));
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString archive = dialog.selectedFiles().constFirst();
    QString reason;
    if (restoreFromArchive(archive, &reason,
                           [archive] { return KVRestoreDialog::confirmReplace(archive); })) {
        lockWindow();
        on_unlockButton_clicked();
        return;
    }
    if (reason.isEmpty())
        return; // the user chose to keep the wallet
    KVCustomMessage::ask(tr("Import cancelled"),
                         tr("The import failed. Contact us to report the problem.") +
                             QStringLiteral("\n\n") +
                             tr("Your wallet was not replaced: %1.").arg(reason),
                         true, KVCustomMessage::ButtonsOk);
}

void MainWindow::on_actionLabels_triggered()
{
    DialogFrame frame(this);
    labels dialog(nullptr);
    dialog.exec();
}

void MainWindow::on_actionAbout_triggered()
{
    DialogFrame frame(this);
    About dialog(nullptr);
    dialog.exec();
}
