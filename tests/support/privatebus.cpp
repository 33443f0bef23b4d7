#include "privatebus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStandardPaths>

PrivateBus::PrivateBus()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        return;
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address=1")});
    if (m_daemon.waitForReadyRead(5000))
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    for (const QString& name : m_connections)
        QDBusConnection::disconnectFromBus(name);
    m_daemon.kill();
    m_daemon.waitForFinished();
}

QDBusConnection PrivateBus::connect(const QString& name)
{
    m_connections.append(name);
    return QDBusConnection::connectToBus(m_address, name);
}

bool PrivateBus::emitSignal(const QString& service, const QString& path, const QString& interface,
                            const QString& name, const QVariantList& arguments,
                            QDBusConnection listener)
{
    QDBusConnection emitter = connect(QStringLiteral("emitter"));
    if (!emitter.registerService(service) &&
        emitter.interface()->serviceOwner(service).value() != emitter.baseService())
        return false;
    QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
    signal.setArguments(arguments);
    if (!emitter.send(signal))
        return false;
    // Messages reach a connection in the order the bus sends them: once a
    // call made after the signal is answered, the signal has arrived.
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
    return listener.call(ping).type() == QDBusMessage::ReplyMessage;
}
