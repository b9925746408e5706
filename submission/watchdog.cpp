#include "submission/watchdog.h"

QtWatchdog::QtWatchdog() {
    m_timer.setInterval(kDefaultWatchdogInterval);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (onTimer)
            onTimer();
    });
}

void QtWatchdog::setEnabled(bool enabled) {
    if (!enabled)
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}
