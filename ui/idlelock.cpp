#include "idlelock.h"

#include "settingskeys.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QEvent>
#include <QSettings>

namespace {

// Input more often than this restarts the count only once.
constexpr qint64 RestartEveryMs = 1000;

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

// The D-Bus object path of a logind session id: every byte that is not a
// letter or a digit, and a leading digit, is written as "_" and two hex digits.
QString sessionPath(const QByteArray& id)
{
    QString path = QStringLiteral("/org/freedesktop/login1/session/");
    for (int i = 0; i < id.size(); ++i) {
        const char c = id.at(i);
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9' && i > 0);
        path += plain ? QString(QLatin1Char(c))
                      : QStringLiteral("_%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    }
    return path;
}

} // namespace

IdleLock::IdleLock(QObject* parent) : QObject(parent)
{
    m_timer.setObjectName(QStringLiteral("lockTimer"));
    m_timer.setParent(this);
    m_timer.setSingleShot(true);
    // A coarse timer of ten minutes could fire half a minute late.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &IdleLock::idle);
    QCoreApplication::instance()->installEventFilter(this);
}

IdleLock::~IdleLock()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void IdleLock::start()
{
    m_counting = true;
    restart();
}

void IdleLock::stop()
{
    m_counting = false;
    m_timer.stop();
}

void IdleLock::restart()
{
    m_sinceRestart.start();
    if (!QSettings().value(SettingsKeys::AutoLock, SettingsKeys::AutoLockDefault).toBool()) {
        m_timer.stop();
        return;
    }
    m_timer.start(SettingsKeys::autoLockMinutes() * 60000);
}

bool IdleLock::eventFilter(QObject* watched, QEvent* event)
{
    if (m_counting && isInput(event->type()) && m_sinceRestart.elapsed() >= RestartEveryMs)
        restart();
    return QObject::eventFilter(watched, event);
}

void IdleLock::watchDesktop(QDBusConnection system, QDBusConnection session)
{
    const QString login = QStringLiteral("org.freedesktop.login1");
    if (system.isConnected()) {
        system.connect(login, QStringLiteral("/org/freedesktop/login1"),
                       QStringLiteral("org.freedesktop.login1.Manager"),
                       QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
        const QByteArray id = qgetenv("XDG_SESSION_ID");
        if (!id.isEmpty())
            system.connect(login, sessionPath(id), QStringLiteral("org.freedesktop.login1.Session"),
                           QStringLiteral("Lock"), this, SIGNAL(sessionLocked()));
    }
    if (session.isConnected())
        session.connect(QString(), QString(), QStringLiteral("org.freedesktop.ScreenSaver"),
                        QStringLiteral("ActiveChanged"), this,
                        SLOT(screenSaverActiveChanged(bool)));
}

void IdleLock::prepareForSleep(bool sleeping)
{
    if (sleeping)
        emit sessionLocked();
}

void IdleLock::screenSaverActiveChanged(bool active)
{
    if (active)
        emit sessionLocked();
}
