// `live`: polls the controller and prints every delivered record once.

#include "CliCommands.h"
#include "CliFormat.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <memory>
#include <mutex>
#include <optional>

using namespace vexor::cli;

namespace {

constexpr const char* kMsgNoLink = "Brak połączenia";
constexpr std::chrono::milliseconds kLoopSlice{100};

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) {
    g_interrupted = 1;
}

// Catches Ctrl-C and SIGTERM while it lives, so polling ends cleanly and the
// recording file is complete.
class CInterruptScope {
public:
    CInterruptScope() {
        g_interrupted = 0;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_oldInt);
        sigaction(SIGTERM, &action, &m_oldTerm);
    }
    ~CInterruptScope() {
        sigaction(SIGINT, &m_oldInt, nullptr);
        sigaction(SIGTERM, &m_oldTerm, nullptr);
    }
    CInterruptScope(const CInterruptScope&) = delete;
    CInterruptScope& operator=(const CInterruptScope&) = delete;

private:
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
};

// Shared with the polling thread, which may outlive the command by a moment.
struct SLiveState {
    std::mutex mutex;
    std::condition_variable changed;
    long printed = 0;
    long limit = 0; // 0: no limit
    bool reached() const { return limit > 0 && printed >= limit; }
};

} // namespace

int CCliCommands::cmdLive(const Args& args) {
    long count = 0;
    std::string record;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-n" && i + 1 < args.size()) {
            if (!parseInt(args[++i], 1, LONG_MAX, count))
                return usage("live -n needs a count of at least 1");
        } else if (args[i] == "--record" && i + 1 < args.size() && !args[i + 1].empty()) {
            record = args[++i];
        } else {
            return usage("live takes -n COUNT and --record FILE");
        }
    }
    if (!record.empty()) {
        CDiagFile probe;
        if (!probe.open(record, true)) {
            std::fprintf(stderr, "vexor-cli: cannot write %s\n", record.c_str());
            return kExitUsage;
        }
    }
    if (const int status = connectController())
        return status;
    if (!m_doc.liveDataAvailable()) {
        message(kMsgNoLink);
        return kExitFailed;
    }

    auto state = std::make_shared<SLiveState>();
    state->limit = count;
    m_doc.setRecordObserver([state](const CDiag&, const std::string& line) {
        std::lock_guard<std::mutex> guard(state->mutex);
        if (state->reached())
            return;
        printOut(line + "\n");
        ++state->printed;
        if (state->reached())
            state->changed.notify_all();
    });

    CInterruptScope interrupts;
    m_doc.startPolling(record);

    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> reconnectAt;
    int status = kExitDone;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(state->mutex);
            state->changed.wait_for(lock, kLoopSlice, [&] { return state->reached(); });
            if (state->reached())
                break;
        }
        if (g_interrupted)
            break;
        // Looked at before the timer: a thread that ended has armed it by then.
        const bool active = m_doc.pollingActive();
        if (m_timers.takeReconnect())
            reconnectAt = Clock::now() + CKorvantisDoc::kReconnectFirst;
        if (reconnectAt && Clock::now() >= *reconnectAt) {
            reconnectAt.reset();
            if (!m_doc.reconnect())
                reconnectAt = Clock::now() + CKorvantisDoc::kReconnectRetry;
            continue;
        }
        if (!active && !reconnectAt) {
            // The run ended without asking for a reconnection (the port failed
            // with a healthy line): nothing more will come.
            message(kMsgNoLink);
            status = kExitFailed;
            break;
        }
    }
    m_doc.stopPolling();
    m_doc.setRecordObserver({});
    return status;
}
