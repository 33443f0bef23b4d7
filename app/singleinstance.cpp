#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace {

constexpr int WaitMs = 2000;
const QByteArray ShowRequest = QByteArrayLiteral("show\n");

} // namespace

SingleInstance::SingleInstance(const QString& dataFolder)
    : m_serverName(
          QStringLiteral("kelvaron-") +
          QString::fromLatin1(QCryptographicHash::hash(QDir(dataFolder).absolutePath().toUtf8(),
                                                       QCryptographicHash::Sha1)
                                  .toHex()
                                  .left(16))),
      m_dataFolder(dataFolder), m_lock(QDir(dataFolder).filePath(QStringLiteral("kelvaron.lock")))
{
    // Only a dead owner makes a lock stale, never its age: a wallet may stay
    // open for days.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance()
{
    m_server.close();
}

bool SingleInstance::acquire()
{
    QDir().mkpath(m_dataFolder);
    if (m_lock.tryLock(0)) {
        // A socket left by a copy that died would refuse the listen.
        QLocalServer::removeServer(m_serverName);
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        m_server.listen(m_serverName);
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (socket.waitForConnected(WaitMs)) {
        socket.write(ShowRequest);
        m_answered = socket.waitForBytesWritten(WaitMs);
        socket.disconnectFromServer();
    }
    return false;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(ShowRequest))
                emit showRequested();
        });
        // The request may have arrived before this copy looked.
        if (socket->bytesAvailable() > 0 && socket->readAll().contains(ShowRequest))
            emit showRequested();
    }
}
