#include "clipboardtimer.h"

#include "secretclipboard.h"
#include "settingskeys.h"

ClipboardTimer::ClipboardTimer(QObject* parent, int tickMs) : QObject(parent)
{
    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, &ClipboardTimer::tick);
}

void ClipboardTimer::copy(const QString& secret)
{
    copySecretToClipboard(secret);
    m_secondsLeft = SettingsKeys::clipboardClearSeconds();
    if (m_secondsLeft == 0) {
        m_timer.stop();
        return;
    }
    m_timer.start();
    emit countdown(m_secondsLeft);
}

void ClipboardTimer::tick()
{
    if (--m_secondsLeft > 0) {
        emit countdown(m_secondsLeft);
        return;
    }
    clearNow();
}

void ClipboardTimer::clearNow()
{
    const bool counting = m_timer.isActive();
    m_timer.stop();
    m_secondsLeft = 0;
    clearSecretFromClipboard();
    if (counting)
        emit countdown(0);
}
