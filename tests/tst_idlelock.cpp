#include "idlelock.h"
#include "privatebus.h"
#include "settingskeys.h"
#include "testenvironment.h"

#include <memory>
#include <QDBusConnection>
#include <QKeyEvent>
#include <QSettings>
#include <QSignalSpy>
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
    PrivateBus bus;
    if (!bus.isUp())
        QSKIP("no dbus-daemon on this machine");
    qputenv("XDG_SESSION_ID", "3");
    IdleLock lock(nullptr);
    QDBusConnection listener = bus.connect(QStringLiteral("listener"));
    lock.watchDesktop(listener, listener);
    QSignalSpy spy(&lock, &IdleLock::sessionLocked);
    // The emitter owns the desktop service's name, as logind or the screen
    // saver would.
    QVERIFY(bus.emitSignal(service, path, interface, name, arguments, listener));
    QTest::qWait(100);
    QCOMPARE(spy.size(), locks ? 1 : 0);
}

KELVARON_TEST_MAIN(TestIdleLock)
#include "tst_idlelock.moc"
