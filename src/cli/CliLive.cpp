// `live`: polls the controller and prints every delivered record once; gets a
// lost controller back for a while, and records into a file on request.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"
#include "lang/Translate.h"
#include "live/DiagInputThread.h"
#include "platform/FileKind.h"

#include <chrono>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

using namespace vexor::cli;

// Shared with the polling thread, which may outlive the command by a moment.
struct SLiveState {
    std::mutex mutex;
    std::condition_variable changed;
    long printed = 0;
    long limit = 0; // 0: no limit
    bool reached() const { return limit > 0 && printed >= limit; }
};

namespace {

constexpr const char* kMsgNoLink = "Brak połączenia";
constexpr const char* kMsgPollingEnded =
    "Odczyt danych na żywo został przerwany. Ponowne łączenie z urządzeniem...";
constexpr const char* kMsgReconnected = "Połączenie z urządzeniem zostało przywrócone.";
constexpr const char* kMsgGaveUp = "Urządzenie nie odpowiada. Koniec prób ponownego połączenia.";
constexpr const char* kMsgRecordWrite = "Nie można zapisać pliku z zapisem przebiegu:";
constexpr std::chrono::milliseconds kLoopSlice{100};
// Longer than six failed live reads take (pause, read time-out and reply):
// a run that delivers nothing for this long has ended.
constexpr std::chrono::milliseconds kStallLimit{
    (CDiagInputThread::kMaxFailures + 1) * (CDiagInputThread::kPollPause.count() + 1100) + 1000};

// Whether a recording could be made at path without touching anything now:
// nothing there or a regular file, in a folder that takes new files.
bool recordable(const std::string& path) {
    if (!vexor::replaceableTarget(path))
        return false;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    return vexor::fileKind(path) == vexor::FileKind::Regular ? ::access(path.c_str(), W_OK) == 0
                                                             : ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

int CCliCommands::cmdLive(const Args& args) {
    long count = 0;
    std::string record;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool option = m_options.optionAt(i);
        if (option && args[i] == "-n" && i + 1 < args.size()) {
            if (!parseInt(args[++i], 1, LONG_MAX, count))
                return usage("live -n needs a count of at least 1");
        } else if (option && args[i] == "--record" && i + 1 < args.size() && !args[i + 1].empty()) {
            record = args[++i];
        } else {
            return usage("live takes -n COUNT and --record FILE");
        }
    }
    // Checked without creating anything: a run that finds no controller must
    // leave an earlier recording as it was.
    if (!record.empty() && !recordable(record)) {
        messageWith(kMsgRecordWrite, record);
        return kExitUsage;
    }
    if (const int status = connectController())
        return status;
    if (!m_doc.liveDataAvailable()) {
        message(kMsgNoLink);
        return kExitFailed;
    }

    auto state = std::make_shared<SLiveState>();
    state->limit = count;
    const bool json = m_options.json;
    m_doc.setRecordObserver([state, json](const CDiag&, const std::string& line) {
        std::lock_guard<std::mutex> guard(state->mutex);
        // Once stdout has failed nothing more is printed or counted; the
        // command's loop sees it and stops.
        if (state->reached() || !printOut(json ? liveJson(line) : line + "\n"))
            return;
        ++state->printed;
        if (state->reached())
            state->changed.notify_all();
    });
    m_doc.setRecordLimit(count);

    CCliPhase phase(&m_signals, CCliSignals::Phase::Cooperative);
    m_doc.startPolling(record);
    const int status = followLive(*state, record);
    m_doc.stopPolling();
    m_doc.setRecordObserver({});
    return status;
}

int CCliCommands::followLive(SLiveState& state, const std::string& record) {
    using Clock = std::chrono::steady_clock;
    const auto patience = std::chrono::seconds(m_options.reconnectTimeout);
    long seen = 0;
    auto progressAt = Clock::now();
    bool lost = false;
    Clock::time_point lostSince{};
    auto nextTry = Clock::now();
    bool tried = false; // since the controller was lost
    for (;;) {
        long printed = 0;
        {
            std::unique_lock<std::mutex> lock(state.mutex);
            state.changed.wait_for(lock, kLoopSlice, [&] { return state.reached(); });
            if (state.reached())
                return kExitDone;
            printed = state.printed;
        }
        if (m_signals.interrupted()) {
            // Ctrl-C is how an open-ended run is meant to end; a count not
            // reached, or a run stopped by anything else, did not do its work.
            const int signal = m_signals.interruptSignal();
            return state.limit == 0 && signal == SIGINT ? kExitDone : 128 + signal;
        }
        if (outputFailed())
            return kExitFailed;
        if (const int error = m_doc.recordingError()) {
            messageWith(kMsgRecordWrite, record + ": " + std::strerror(error));
            return kExitFailed;
        }
        const auto now = Clock::now();
        if (printed > seen) {
            seen = printed;
            progressAt = now;
            if (lost)
                message(kMsgReconnected);
            lost = false;
        }
        // Replies that answer something else neither end the run nor bring
        // records: a run that delivers nothing for longer than its six failed
        // reads could take has ended all the same.
        const bool polling = m_doc.pollingActive();
        const bool stalled = polling && now - progressAt > kStallLimit;
        if (polling && !stalled)
            continue;

        // Get the controller back the way the window program's reconnect
        // timer does, for as long as the user allows.
        if (!lost) {
            message(kMsgPollingEnded);
            lost = true;
            lostSince = now;
            tried = false;
            nextTry = now + std::min<Clock::duration>(CKorvantisDoc::kReconnectFirst, patience);
        }
        if (stalled)
            m_doc.stopPolling();
        // At least one try, unless the user allowed none.
        if (now >= lostSince + patience && (tried || patience.count() == 0)) {
            message(kMsgGaveUp);
            return kExitNoController;
        }
        if (now < nextTry || (polling && !stalled))
            continue;
        (void)m_timers.takeReconnect();
        tried = true;
        if (m_doc.reconnect())
            progressAt = Clock::now(); // a fresh run gets its full time
        nextTry = Clock::now() + CKorvantisDoc::kReconnectRetry;
    }
}
