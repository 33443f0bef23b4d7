#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalSocket;

// One running copy of Kelvaron per wallet. The first copy holds a lock file
// in the data folder and listens on a local socket in the user's runtime
// folder ($XDG_RUNTIME_DIR, or the 0700 data folder without a private one);
// a second copy asks the first to come to the front and ends without ever
// opening the wallet. A lock left by a copy that died does not count. Both
// sides talk only to a peer of the same user: a socket that another user
// put in the way is never written to, and a connection of another user is
// dropped unread.
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
    // Why this copy could not listen for a second one, for the user; empty
    // when it listens. The copy runs either way.
    QString problem() const { return m_problem; }
    // The socket's full path.
    QString socketPath() const { return m_socketPath; }

signals:
    // A second copy was started and asks this one to come to the front.
    void showRequested();

private:
    void onNewConnection();
    static bool isOwnUser(const QLocalSocket& socket);

    QString m_socketPath;
    QString m_dataFolder;
    QLockFile m_lock;
    QLocalServer m_server;
    bool m_answered = false;
    QString m_problem;
};
