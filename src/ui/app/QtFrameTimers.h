#pragma once

#include "platform/Seams.h"

#include <QPointer>
#include <QTimer>

// The frame's reconnect and display timers behind the core's timer seam. Both
// calls may come from any thread: off the timers' own thread the start is
// queued to it, since a QTimer may only be started from its thread.
class CQtFrameTimers : public IFrameTimers {
public:
    // The polling thread arms the reconnect timer when the link fails; the
    // first attempt follows soon, the timer's own retries come every 5 s.
    static constexpr int kReconnectMs = 1000;
    static constexpr int kDisplayMs = 100;

    CQtFrameTimers(QTimer* reconnect, QTimer* display);

    void armReconnect() override;
    void startDisplay() override;

private:
    static void startOnOwnThread(QTimer* timer, int periodMs);

    QPointer<QTimer> m_reconnect;
    QPointer<QTimer> m_display;
};
