#pragma once

#include "SimConfig.h"
#include "SimController.h"
#include "SimFaults.h"
#include "SimRequestLog.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>

// Serves a simulated controller on the master side of a pseudo-terminal, one request at a
// time, in its own thread.
//
//   CSimServer server(config);
//   server.start();                        // throws std::runtime_error when no pty is free
//   open(server.slavePath(), ...);         // "/dev/pts/N": the client's serial port
//   server.faults().setSilentFirst(2);     // fault modes, thread-safe
//   server.withController([](CSimController& c) { c.setErrorBytes({0, 1, 0, 0}); });
//   server.requestLog().count(SimMatch::read(6));
//   server.stop();                         // also done by the destructor
//
// The slave side is put in raw mode (no echo, no line editing) and the server keeps a slave
// descriptor of its own open, so a client can close and reopen the port as often as it likes
// without the pseudo-terminal hanging up. Replies nobody reads are thrown away when they
// would block the line. The hang-up fault (or hangUp()) closes the master side: clients then
// see the line drop, and the server answers nothing more.
class CSimServer {
public:
    explicit CSimServer(const SimConfig& config = {});
    ~CSimServer();
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    // Opens a pseudo-terminal and starts serving it.
    void start();
    // Serves an existing descriptor pair instead (a socket pair, two pipes); the server owns
    // them from now on and closes them at stop or hang-up. readFd may equal writeFd.
    void startOn(int readFd, int writeFd);
    void stop();
    bool running() const { return m_thread.joinable(); }

    // Path of the client side ("/dev/pts/N"); empty when serving a descriptor pair.
    std::string slavePath() const { return m_slavePath; }

    // Runs f on the controller model under the server's lock and returns its result.
    template <class F> auto withController(F&& f) -> std::invoke_result_t<F, CSimController&> {
        std::lock_guard<std::mutex> lock(m_modelMutex);
        return f(m_controller);
    }

    CSimFaults& faults() { return m_faults; }
    CSimRequestLog& requestLog() { return m_log; }

    // Closes the line now (from any thread) and waits until it is closed.
    void hangUp();

    // Kill and restart: after every hang-up (the fault or hangUp()) the controller loses
    // power, and `away` later it answers again on a fresh pseudo-terminal. Clients find it
    // through the link (setLink). nullopt switches it off.
    void setReturnAfterHangUp(std::optional<std::chrono::milliseconds> away);
    // Keeps a symbolic link at path that points at the current client side, from start()
    // and after every return. Set before start().
    void setLink(const std::string& path) { m_linkPath = path; }
    const std::string& linkPath() const { return m_linkPath; }
    // How often the controller came back after a hang-up.
    int returns() const { return m_returns.load(); }
    // True once the line is closed (a client that saw it drop already sees true here).
    bool hungUp() const;

    // Frames dropped for a wrong check sum, and bytes skipped while looking for AA 55.
    std::size_t badFrameCount() const { return m_badFrames.load(); }
    std::size_t skippedByteCount() const { return m_skippedBytes.load(); }
    // Replies (or their tails) thrown away because nobody read the line.
    std::size_t droppedReplyCount() const { return m_droppedReplies.load(); }

private:
    using Clock = std::chrono::steady_clock;
    void launch();
    void run();
    void serveFrame(const CSimFrame& request, Clock::time_point started);
    void sendReply(const std::vector<uint8_t>& bytes, const SimReplyPlan& plan,
                   Clock::time_point earliest);
    bool writeAll(const uint8_t* data, std::size_t count);
    // Sleeps until `until`; false when a stop or hang-up was asked for meanwhile.
    bool sleepUntil(Clock::time_point until);
    void closeLine();
    void wake();
    // Opens a new pseudo-terminal as the line (and points the link at it).
    void openLine();
    // After a hang-up in kill-and-restart mode: true once the line is back.
    bool comeBack(Clock::time_point hungUpAt);

    SimConfig m_config;
    std::mutex m_modelMutex;
    CSimController m_controller;
    CSimFaults m_faults;
    CSimRequestLog m_log;

    int m_readFd = -1;
    int m_writeFd = -1;
    int m_slaveKeepFd = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::string m_slavePath;
    std::thread m_thread;

    mutable std::mutex m_stateMutex;
    std::condition_variable m_stateChanged;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_hangUpRequested{false};
    std::atomic<bool> m_hungUp{false};
    std::atomic<std::size_t> m_badFrames{0};
    std::atomic<std::size_t> m_skippedBytes{0};
    std::atomic<std::size_t> m_droppedReplies{0};
    std::mutex m_returnMutex;
    std::optional<std::chrono::milliseconds> m_returnAfter;
    std::string m_linkPath;
    std::atomic<int> m_returns{0};
};
