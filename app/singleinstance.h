#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

// One running copy of Kelvaron per wallet. The first copy holds a lock file
// in the data folder and listens on a local socket named after that folder;
// a second copy asks the first to come to the front and ends without ever
// opening the wallet. A lock left by a copy that died does not count.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& dataFolder);
    ~SingleInstance() override;

    // True when this process is now the one copy; false when another copy
    // runs (then runningCopyAnswered() tells whether it heard the request).
    bool acquire();
    bool runningCopyAnswered() const { return m_answered; }

signals:
    // A second copy was started and asks this one to come to the front.
    void showRequested();

private:
    void onNewConnection();

    QString m_serverName;
    QString m_dataFolder;
    QLockFile m_lock;
    QLocalServer m_server;
    bool m_answered = false;
};
