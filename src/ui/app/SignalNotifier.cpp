#include "app/SignalNotifier.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
constexpr int kIdleCheckMs = 100;

// Both ends of the pipe; -1 while no notifier exists.
int g_pipe[2] = {-1, -1};

void onSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a signal the window thread has not read yet.
    (void)!::write(g_pipe[1], &byte, 1);
    errno = saved;
}

void setHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

CSignalNotifier::CSignalNotifier(BusyFn busy, StopFn stopNow, StopFn quit, QObject* parent)
    : QObject(parent), m_busy(std::move(busy)), m_stopNow(std::move(stopNow)),
      m_quit(quit ? std::move(quit) : StopFn([](int code) { QCoreApplication::exit(code); })) {
    m_idleCheck.setInterval(kIdleCheckMs);
    connect(&m_idleCheck, &QTimer::timeout, this, &CSignalNotifier::quitWhenIdle);
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CSignalNotifier::onReadable);
    setHandler(onSignal);
}

CSignalNotifier::~CSignalNotifier() {
    if (m_notifier == nullptr)
        return;
    setHandler(SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void CSignalNotifier::onReadable() {
    unsigned char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        handle(byte);
}

void CSignalNotifier::handle(int signal) {
    ++m_received;
    if (m_received == 1) {
        m_exitCode = 128 + signal;
        if (m_busy && m_busy()) {
            std::fprintf(stderr,
                         "vexor: the controller is being written; stopping now would leave it "
                         "half-written. VEXOR ends when the operation is over; send the signal "
                         "again (Ctrl-C) to stop anyway.\n");
            m_idleCheck.start();
            return;
        }
        m_quit(m_exitCode);
        return;
    }
    if (m_idleCheck.isActive()) {
        std::fprintf(stderr,
                     "vexor: stopped in the middle of writing the controller. Start VEXOR and "
                     "run the same action again (for a firmware update, flash the same file "
                     "again).\n");
    }
    std::fflush(stderr);
    if (m_stopNow)
        m_stopNow(m_exitCode);
}

void CSignalNotifier::quitWhenIdle() {
    if (m_busy && m_busy())
        return;
    m_idleCheck.stop();
    m_quit(m_exitCode);
}
