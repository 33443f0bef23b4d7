#include "singleinstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int WaitMs = 2000;
const QByteArray ShowRequest = QByteArrayLiteral("show\n");

// The user's private runtime folder: set, a folder owned by the user and
// closed to everyone else; otherwise empty.
QString privateRuntimeFolder()
{
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    struct stat status
    {
    };
    if (folder.isEmpty() || ::stat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::getuid() || (status.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return {};
    return QFile::decodeName(folder);
}

QString socketPathFor(const QString& dataFolder)
{
    const QString runtime = privateRuntimeFolder();
    if (runtime.isEmpty())
        return QDir(dataFolder).filePath(QStringLiteral("kelvaron.socket"));
    // One socket per data folder, so that copies of different wallets (as
    // tests run them) do not meet.
    const QByteArray hash =
        QCryptographicHash::hash(QDir(dataFolder).absolutePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QDir(runtime).filePath(QStringLiteral("kelvaron-") + QString::fromLatin1(hash));
}

} // namespace

SingleInstance::SingleInstance(const QString& dataFolder)
    : m_socketPath(socketPathFor(dataFolder)), m_dataFolder(dataFolder),
      m_lock(QDir(dataFolder).filePath(QStringLiteral("kelvaron.lock")))
{
    // Only a dead owner makes a lock stale, never its age: a wallet may stay
    // open for days.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance()
{
    // Closing removes the socket file.
    m_server.close();
}

bool SingleInstance::acquire()
{
    QDir().mkpath(m_dataFolder);
    if (m_lock.tryLock(0)) {
        // The lock is ours, so whatever stands at the socket's name is left
        // by a copy that died: it would refuse the listen.
        QLocalServer::removeServer(m_socketPath);
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        if (!m_server.listen(m_socketPath))
            m_problem = m_server.errorString();
        return true;
    }
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (socket.waitForConnected(WaitMs) && isOwnUser(socket)) {
        socket.write(ShowRequest);
        m_answered = socket.waitForBytesWritten(WaitMs);
    }
    socket.abort();
    return false;
}

bool SingleInstance::isOwnUser(const QLocalSocket& socket)
{
    struct ucred peer
    {
    };
    socklen_t length = sizeof(peer);
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) ==
               0 &&
           peer.uid == ::getuid();
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!isOwnUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(ShowRequest))
                emit showRequested();
        });
        // The request may have arrived before this copy looked.
        if (socket->bytesAvailable() > 0 && socket->readAll().contains(ShowRequest))
            emit showRequested();
    }
}
