#pragma once

#include <QObject>
#include <QTimer>

class QString;

// A value copied from the wallet stays on the clipboard only for the time
// the user chose ("clear the clipboard after N seconds", 0 meaning never).
// Each copy is marked secret for clipboard managers and starts the count
// again; when it runs out the clipboard is emptied, but only if it still
// holds what was copied: a clipboard the user changed since is left alone.
class ClipboardTimer : public QObject
{
    Q_OBJECT

public:
    // tickMs: the length of one counted second (tests shorten it).
    explicit ClipboardTimer(QObject* parent, int tickMs = 1000);

    void copy(const QString& secret);
    // Lock and exit: clear now, if the clipboard still holds our copy.
    void clearNow();

signals:
    // After a copy and at every second: the seconds left, 0 at the end. A
    // count that will never end (the setting is 0) is not reported.
    void countdown(int secondsLeft);

private:
    void tick();

    QTimer m_timer;
    int m_secondsLeft = 0;
};
