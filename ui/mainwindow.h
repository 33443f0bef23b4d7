#pragma once

#include "clipboardtimer.h"
#include "idlelock.h"
#include "searchbar.h"
#include "treeviewstate.h"

#include <memory>
#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QSystemTrayIcon>

class LockCloser;
class ProtectionBar;
class QAction;
class QSplitter;
class QTimer;
class QTreeWidgetItem;
struct ItemRecord;

namespace Ui {
class MainWindow;
}

// The one window the user works in after login: the tree of folders and
// items on the left, the current node's header and content on the right.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void fillTree();
    bool selectTreeItem(const QString& id);
    QString selectedTreeId() const;
    QString selectedListId() const;
    QString selectedFieldId() const;

    // Lift the pin while a dialog of the program is open, so that parentless
    // dialogs are not hidden behind a window that stays on top.
    void suspendStayOnTop();
    void resumeStayOnTop();

    // Hides the wallet, forgets the master password and closes the database.
    void lockWindow();
    bool isLocked() const;

    // The tray icon, with Show/Hide, Lock and Quit: shown while the
    // preference is on and the desktop has a tray; the window then closes
    // into it.
    void createTrayIcon();
    void removeTrayIcon();
    bool isTrayIconVisible() const;
    void applyTrayPreference();
    // Keeps the window's size, place and splitter for the next start.
    void saveGeometryState();

public slots:
    // The unlock procedure: three attempts at the master password.
    void on_unlockButton_clicked();

private slots:
    void currentItemChanged(QTreeWidgetItem* newItem, QTreeWidgetItem* oldItem);
    void currentListItemChanged(QTreeWidgetItem* newItem, QTreeWidgetItem* oldItem);
    void on_folderUpButton_clicked();
    void on_addButton_clicked();
    void on_addButtonFolder_clicked();
    void on_editButton_clicked();
    void on_deleteButton_clicked();
    void on_copyButton_clicked();
    void on_actionSync_triggered();
    void on_actionFind_triggered();
    void on_actionWebsite_triggered();
    void on_actionSend_feedback_triggered();
    void on_actionLock_triggered();
    void on_actionChange_password_triggered();
    void on_actionPreferences_triggered();
    void on_actionBackup_triggered();
    void on_actionLabels_triggered();
    void on_actionAbout_triggered();
    void on_actionRestore_triggered();
    void on_actionImport_triggered();
    void on_actionImportOther_triggered();
    void on_actionMoveTo_triggered();
    void on_actionQuit_triggered();
    void on_actionExport_triggered();
    void lockTimeout();
    void stayOnTopToggled(bool checked);
    void iconActivated(QSystemTrayIcon::ActivationReason reason);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Tells the user that a command's write was refused by the store.
    void reportFailedWrite();
    // Suspends the pin for its lifetime: every command that shows a dialog
    // or a message holds one, so the pin comes back on every path.
    // A lock that falls due while it is open closes the dialogs and waits
    // only for the outermost frame to unwind.
    class DialogFrame
    {
    public:
        explicit DialogFrame(MainWindow* window);
        ~DialogFrame();

    private:
        MainWindow* m_window;
    };

    void showUnlocked();
    // Locks at once: every open dialog closes without saving, and the lock
    // itself follows when the command that opened them has unwound.
    void requestLock(bool automatic);
    // The bar that offers an upgrade from the original protection.
    void showProtection();
    // Change password; upgrade starts it with strong protection ticked.
    void changePassword(bool upgrade);
    // The Edit menu's commands, their shortcuts and the context menus.
    void setUpEditCommands();
    // Enter or a double-click on a row: a folder's child opens, a field is
    // edited, a search result is shown.
    void activateRow(QTreeWidgetItem* row);
    // What Move to... moves: the chosen row of a folder, else the tree's node.
    QString moveCandidate() const;
    // Moves ids below target, says why when the store refuses, shows the result.
    void moveItems(const QStringList& ids, const QString& target);
    void setWalletVisible(bool visible);
    bool unlockWithPassword();

    void addNode(bool folder);
    // After a command changed changedId: the search index takes it again,
    // the tree is rebuilt and shownId shown.
    void showChanged(const QString& changedId, const QString& shownId);

    // Search: the right panel lists what the query finds; the tree keeps its
    // selection until a result is opened, and leaving search shows it again.
    void setUpSearch();
    void showSearchResults(const QList<SearchIndex::Result>& results, int total);
    void leaveSearch();
    void openSearchResult(QTreeWidgetItem* row);
    void setStayOnTopHint(bool onTop);
    QTreeWidgetItem* rootRow() const;
    QTreeWidgetItem* findTreeItem(QTreeWidgetItem* row, const QString& id) const;
    void addChildRows(QTreeWidgetItem* parentRow, const QString& parentId);
    void showIcon(const QString& iconName);
    bool showHiddenImage(const ItemRecord& record);
    void showHeader(const QString& id, const ItemRecord& record);
    // Empties the right panel for a new content of the given columns.
    void resetList(int columns);
    // True while the right panel lists an item's fields.
    bool showsFields() const;
    void updateRowCommands();
    void setUpClipboard();
    // Masked secrets: shown for the open item only, on the user's request.
    void setUpSecrets();
    void hideSecrets();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void chooseRowOnFocus();
    void showFolder(const QString& id);
    void showItem(const QString& id);
    void setCommandsVisible(bool visible);
    // The icon of an icon name, looked up once per filling of a view:
    // building an icon reads its picture file's header.
    QIcon rowIcon(const QString& iconName);

    std::unique_ptr<Ui::MainWindow> ui;
    TreeViewState m_treeState{Qt::UserRole};
    ClipboardTimer* m_clipboard = nullptr;
    SearchBar* m_searchBar = nullptr;
    bool m_searching = false;
    QHash<QString, QIcon> m_rowIcons;
    IdleLock* m_idleLock = nullptr;
    // The item whose secrets are shown; empty while all are masked.
    QString m_secretsShownFor;
    QAction* pinAction = nullptr;
    QSystemTrayIcon* trayIcon = nullptr;
    QSplitter* m_splitter = nullptr;
    ProtectionBar* m_protectionBar = nullptr;
    int m_openFrames = 0;
    bool m_lockPending = false;
    bool m_lockAutomatic = false;
    LockCloser* m_lockCloser = nullptr;
    // What the last lock closed without saving, for the user after unlock.
    QStringList m_closedByLock;
};

// A stored change time (UTC digits) in the user's local time.
QDateTime localChangeTime(const QDateTime& stored);
