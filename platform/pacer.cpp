#include "platform/pacer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

void QtPacer::processEvents() {
    QCoreApplication::processEvents();
}

void QtPacer::sleep(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(deadline.remainingTime()));
        qint64 left = deadline.remainingTime();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(left < 5 ? left : 5));
    }
}
