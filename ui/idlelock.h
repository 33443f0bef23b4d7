#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QDBusConnection;

// Decides when the wallet locks by itself: after the chosen minutes without
// keyboard or mouse input to the program (whether or not its window is
// active), and at once when the desktop session locks or the machine goes to
// sleep. Without a session or system bus the desktop part is silently absent.
class IdleLock : public QObject
{
    Q_OBJECT

public:
    explicit IdleLock(QObject* parent);
    ~IdleLock() override;

    // The wallet was unlocked: idleness is counted from now.
    void start();
    // The wallet was locked: nothing is counted until start().
    void stop();
    // Listens for logind's PrepareForSleep and Lock on system, and for the
    // screen saver's ActiveChanged on session.
    void watchDesktop(QDBusConnection system, QDBusConnection session);

signals:
    void idle();
    void sessionLocked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void prepareForSleep(bool sleeping);
    void screenSaverActiveChanged(bool active);

private:
    void restart();

    QTimer m_timer;
    QElapsedTimer m_sinceRestart;
    bool m_counting = false;
};
