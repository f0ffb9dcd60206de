#pragma once

#include "platform/Seams.h"

#include <QPointer>
#include <QTimer>

// The frame's reconnect and display timers behind the core's timer seam. Both
// calls may come from any thread: off the timers' own thread the start is
// queued to it, since a QTimer may only be started from its thread.
class CQtFrameTimers : public IFrameTimers {
public:
    static constexpr int kReconnectMs = 5000;
    static constexpr int kDisplayMs = 100;

    CQtFrameTimers(QTimer* reconnect, QTimer* display);

    void armReconnect() override;
    void startDisplay() override;

private:
    static void startOnOwnThread(QTimer* timer, int periodMs);

    QPointer<QTimer> m_reconnect;
    QPointer<QTimer> m_display;
};
