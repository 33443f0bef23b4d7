#pragma once

#include "searchindex.h"

#include <QObject>
#include <QTimer>

class QAction;
class QCheckBox;
class QLineEdit;
class QToolBar;
class QWidget;

// The toolbar's search: the box ("searchBox"), the "passwords" check box
// ("searchPasswords"), Ctrl+F and Escape, the pause after typing, and the
// index of the unlocked wallet it asks. It finds; the window shows what was
// found and goes back to the tree when the search is left.
class SearchBar : public QObject
{
    Q_OBJECT

public:
    // Puts the box and the check box into toolBar before the action before;
    // window carries Ctrl+F.
    SearchBar(QToolBar* toolBar, QAction* before, QWidget* window);

    // Builds the index as soon as the window has shown the wallet, so that
    // typing never waits for it.
    void prepare();
    // After many changes at once: the index is made again from the wallet.
    void rebuild();
    // After a change of itemId: the index takes it again.
    void refresh(const QString& itemId);
    // On lock: the box is emptied and nothing deciphered is kept.
    void wipe();
    // The Find command: search what is typed, or go to the box.
    void findOrFocus();
    // Searches the box's text at once; an empty box leaves the search.
    void searchNow();
    QString query() const;

signals:
    void found(const QList<SearchIndex::Result>& results, int total);
    // The box was emptied: the window shows the tree's node again.
    void left();
    // The "passwords" choice changed: results on show are to be found again.
    void optionsChanged();

private:
    QLineEdit* m_box;
    QCheckBox* m_passwords;
    QTimer m_pause;
    SearchIndex m_index;
};
