#include "idlelock.h"
#include "settingskeys.h"
#include "testenvironment.h"

#include <memory>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QKeyEvent>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>
#include <QWidget>

class TestIdleLock : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
    void inputRestartsTheCount();
    void intervalIsBounded_data();
    void intervalIsBounded();
    void desktopLocks_data();
    void desktopLocks();
};

namespace {

QTimer* timerOf(IdleLock& lock)
{
    return lock.findChild<QTimer*>(QStringLiteral("lockTimer"));
}

// A D-Bus daemon of the test's own, standing in for both the system and
// the session bus; it ends with the object.
class PrivateBus
{
public:
    PrivateBus()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return;
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        if (m_daemon.waitForReadyRead(5000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
        QDBusConnection::disconnectFromBus(QStringLiteral("emitter"));
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    bool isUp() const { return !m_address.isEmpty(); }
    QDBusConnection connect(const QString& name) const
    {
        return QDBusConnection::connectToBus(m_address, name);
    }

private:
    QProcess m_daemon;
    QString m_address;
};

} // namespace

void TestIdleLock::inputRestartsTheCount()
{
    IdleLock lock(nullptr);
    QTimer* timer = timerOf(lock);
    QVERIFY(!timer->isActive());
    lock.start();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 10 * 60000);

    // Time passes: a focused, untouched window counts too; its activation
    // plays no part.
    QTest::qWait(1200);
    QWidget widget;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&widget, &activate);
    QVERIFY(timer->isActive());
    QVERIFY(timer->remainingTime() <= timer->interval() - 1000);
    // Keyboard input to any widget of the program starts the count again.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(&widget, &key);
    QVERIFY(timer->remainingTime() > timer->interval() - 500);

    // Locked: nothing counts, not even input.
    lock.stop();
    QTest::qWait(1100);
    QCoreApplication::sendEvent(&widget, &key);
    QVERIFY(!timer->isActive());

    // Switched off in the preferences: never counted.
    QSettings().setValue(SettingsKeys::AutoLock, false);
    lock.start();
    QVERIFY(!timer->isActive());
}

void TestIdleLock::intervalIsBounded_data()
{
    // A settings file edited by hand: never a lock at once, never an
    // overflowing product of minutes and milliseconds.
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("minutes");
    QTest::newRow("in range") << QVariant(7) << 7;
    QTest::newRow("zero") << QVariant(0) << 5;
    QTest::newRow("negative") << QVariant(-3) << 5;
    QTest::newRow("not a number") << QVariant(QStringLiteral("soon")) << 10;
    QTest::newRow("overflows int in ms") << QVariant(35792) << 30;
}

void TestIdleLock::intervalIsBounded()
{
    QFETCH(QVariant, stored);
    QFETCH(int, minutes);
    QSettings().setValue(SettingsKeys::AutoLockInterval, stored);
    IdleLock lock(nullptr);
    lock.start();
    QCOMPARE(timerOf(lock)->interval(), minutes * 60000);
}

void TestIdleLock::desktopLocks_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<bool>("locks");
    const QString login = QStringLiteral("org.freedesktop.login1");
    const QString manager = QStringLiteral("/org/freedesktop/login1");
    QTest::newRow("going to sleep") << login << manager << "org.freedesktop.login1.Manager"
                                    << "PrepareForSleep" << QVariantList({true}) << true;
    QTest::newRow("waking up") << login << manager << "org.freedesktop.login1.Manager"
                               << "PrepareForSleep" << QVariantList({false}) << false;
    // Session "3": a leading digit is escaped in the object path.
    QTest::newRow("our session locks") << login << "/org/freedesktop/login1/session/_33"
                                       << "org.freedesktop.login1.Session"
                                       << "Lock" << QVariantList() << true;
    QTest::newRow("another session locks") << login << "/org/freedesktop/login1/session/_34"
                                           << "org.freedesktop.login1.Session"
                                           << "Lock" << QVariantList() << false;
    QTest::newRow("screen saver starts") << "org.freedesktop.ScreenSaver"
                                         << "/org/freedesktop/ScreenSaver"
                                         << "org.freedesktop.ScreenSaver"
                                         << "ActiveChanged" << QVariantList({true}) << true;
    QTest::newRow("screen saver ends") << "org.freedesktop.ScreenSaver"
                                       << "/org/freedesktop/ScreenSaver"
                                       << "org.freedesktop.ScreenSaver"
                                       << "ActiveChanged" << QVariantList({false}) << false;
}

void TestIdleLock::desktopLocks()
{
    QFETCH(QString, service);
    QFETCH(QString, path);
    QFETCH(QString, interface);
    QFETCH(QString, name);
    QFETCH(QVariantList, arguments);
    QFETCH(bool, locks);
    const PrivateBus bus;
    if (!bus.isUp())
        QSKIP("no dbus-daemon on this machine");
    qputenv("XDG_SESSION_ID", "3");
    // The emitter owns the desktop service's name, as logind or the screen
    // saver would.
    QDBusConnection emitter = bus.connect(QStringLiteral("emitter"));
    QVERIFY(emitter.registerService(service));
    IdleLock lock(nullptr);
    QDBusConnection listener = bus.connect(QStringLiteral("listener"));
    lock.watchDesktop(listener, listener);
    QSignalSpy spy(&lock, &IdleLock::sessionLocked);

    QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
    signal.setArguments(arguments);
    QVERIFY(emitter.send(signal));
    // A ping after the signal: once it is answered, the signal has arrived.
    QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId"));
    listener.call(ping);
    QTest::qWait(100);
    QCOMPARE(spy.size(), locks ? 1 : 0);
}

KELVARON_TEST_MAIN(TestIdleLock)
#include "tst_idlelock.moc"
