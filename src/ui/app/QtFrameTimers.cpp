#include "app/QtFrameTimers.h"

#include <QMetaObject>
#include <QThread>

CQtFrameTimers::CQtFrameTimers(QTimer* reconnect, QTimer* display)
    : m_reconnect(reconnect), m_display(display) {}

void CQtFrameTimers::startOnOwnThread(QTimer* timer, int periodMs) {
    if (timer == nullptr)
        return;
    if (QThread::currentThread() == timer->thread()) {
        timer->start(periodMs);
        return;
    }
    QMetaObject::invokeMethod(
        timer, [timer, periodMs] { timer->start(periodMs); }, Qt::QueuedConnection);
}

void CQtFrameTimers::armReconnect() {
    startOnOwnThread(m_reconnect.data(), kReconnectMs);
}

void CQtFrameTimers::startDisplay() {
    startOnOwnThread(m_display.data(), kDisplayMs);
}
