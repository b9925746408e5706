#include "submission/watchdog.h"

QtWatchdog::QtWatchdog() {
    m_timer.setInterval(kDefaultWatchdogInterval);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (onTimer)
            onTimer();
    });
}

void QtWatchdog::setInterval(int milliseconds) {
    m_interval = milliseconds;
    if (milliseconds <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.setInterval(milliseconds);
    if (m_enabled && !m_timer.isActive())
        m_timer.start();
}

void QtWatchdog::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled)
        m_timer.stop();
    else if (!m_timer.isActive() && m_interval > 0)
        m_timer.start();
}
