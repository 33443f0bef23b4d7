#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM end Kelvaron as Quit does, so that what an ordinary
// exit cleans (the clipboard, the single-instance socket, the window's
// place) is cleaned: the handler removes any export or backup still being
// written at once, then asks the event loop to quit.
class ExitSignals : public QObject
{
    Q_OBJECT

public:
    explicit ExitSignals(QObject* parent);
    ~ExitSignals() override;

private:
    void quitOnSignal();

    QSocketNotifier* m_notifier = nullptr;
};
