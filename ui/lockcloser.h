#pragma once

#include <QObject>
#include <QStringList>

// Makes a lock win over whatever the program has open: closeAll() closes
// every menu, dialog and message box of the program at once, as Cancel
// would (so nothing in them is saved), and until finish() it closes every
// dialog that code still unwinding from them opens, so that nothing stays
// on screen while the wallet locks.
class LockCloser : public QObject
{
    Q_OBJECT

public:
    explicit LockCloser(QObject* parent);

    // Returns what was closed, in words for the user ("the field editor"),
    // the outermost first; message boxes are closed but not named.
    QStringList closeAll();
    // The lock has happened: dialogs may open again.
    void finish();
    bool isClosing() const { return m_closing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString describe(const QWidget* window);

    bool m_closing = false;
};
