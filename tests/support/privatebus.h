#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

// A D-Bus daemon of the test's own, standing in for both the system and
// the session bus; it ends with the object, and so do the connections made
// through connect().
class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool isUp() const { return !m_address.isEmpty(); }
    QString address() const { return m_address; }
    QDBusConnection connect(const QString& name);
    // Sends a signal from the emitter connection, which owns service as the
    // desktop's own program would, and returns once the bus has passed it
    // on (a call made after it on the listener has been answered).
    bool emitSignal(const QString& service, const QString& path, const QString& interface,
                    const QString& name, const QVariantList& arguments, QDBusConnection listener);

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};
