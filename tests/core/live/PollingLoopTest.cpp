#include "common/IError.h"
#include "device/DiagData.h"
#include "device/RSError.h"
#include "live/DiagInputThread.h"
#include "live/PollControl.h"
#include "platform/Seams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CountingTimers : public IFrameTimers {
public:
    void armReconnect() override { ++reconnects; }
    void startDisplay() override {}
    int reconnects = 0;
};

// A polling thread whose reads follow a script: 'o' a good record, 'f' a
// failed read, 'w' a reply to another request, 'x' a port error. When the
// script runs out the running flag is cleared, as stopPolling would.
class ScriptedPoller : public CDiagInputThread {
public:
    ScriptedPoller(CDiagData& history, CPollControl& control, IFrameTimers* timers,
                   std::string script, std::uint32_t lineErrorWord = 0)
        : CDiagInputThread(history, {}, control, timers), m_script(std::move(script)),
          m_lineErrors(lineErrorWord) {}

    std::string events; // S start, P stop, D deliver
    int reads = 0;

protected:
    void onStart() override { events += 'S'; }
    void onStop() override { events += 'P'; }
    int readRecord(CDiag& record) override {
        if (reads >= static_cast<int>(m_script.size())) {
            control().running = false;
            return kRecordWrongReply;
        }
        switch (m_script[reads++]) {
        case 'o':
            record.setWorkMode(2);
            return kRecordOk;
        case 'w':
            return kRecordWrongReply;
        case 'x':
            throw static_cast<IError*>(
                new CRSError(CRSError::kCantReadWrite, "read", __LINE__, __FILE__));
        default:
            return kRecordFailed;
        }
    }
    void deliver(CDiag& record) override {
        events += 'D';
        history().append(record);
    }
    std::uint32_t lineErrors() override { return m_lineErrors; }

private:
    std::string m_script;
    std::uint32_t m_lineErrors;
};

class PollingLoop : public ::testing::Test {
protected:
    // Runs one scripted poller on this thread to its end.
    ScriptedPoller& runScript(const std::string& script, std::uint32_t lineErrorWord = 0) {
        control.running = true;
        pollers.push_back(
            std::make_unique<ScriptedPoller>(history, control, &timers, script, lineErrorWord));
        pollers.back()->run();
        return *pollers.back();
    }

    CDiagData history;
    CPollControl control;
    CountingTimers timers;
    std::vector<std::unique_ptr<ScriptedPoller>> pollers;
};

} // namespace

TEST_F(PollingLoop, fiveFailuresThenAGoodReadKeepTheRunGoingAndSixInARowEndItWithAReconnect) {
    ScriptedPoller& poller = runScript("offfffoffffffoo");

    EXPECT_EQ(poller.reads, 13); // the sixth failure in a row ends the run
    EXPECT_EQ(poller.events, "SDDP");
    EXPECT_EQ(history.count(), 0); // cleared when the run gave up
    EXPECT_EQ(timers.reconnects, 1);
    EXPECT_EQ(control.failures.load(), 6);
    EXPECT_EQ(control.activeThreads(), 0);
}

TEST_F(PollingLoop, aReplyToAnotherRequestNeitherCountsAsAFailureNorResetsTheCount) {
    ScriptedPoller& poller = runScript("fffwwwwffwfo");

    EXPECT_EQ(poller.reads, 11);
    EXPECT_EQ(poller.events, "SP");
    EXPECT_EQ(timers.reconnects, 1);
}

TEST_F(PollingLoop, theFailureCountOutlivesARunSoTheNextRunEndsAtItsFirstFailure) {
    runScript("ffffff");
    ScriptedPoller& second = runScript("fooo");
    EXPECT_EQ(second.reads, 1);
    EXPECT_EQ(timers.reconnects, 2);

    // A good read first resets the count, and the run goes on.
    ScriptedPoller& third = runScript("offo");
    EXPECT_EQ(third.reads, 4);
    EXPECT_EQ(third.events, "SDDP");
    EXPECT_EQ(control.failures.load(), 0);
    EXPECT_EQ(timers.reconnects, 2);
}

TEST_F(PollingLoop, clearingTheRunningFlagStopsWithoutAReconnectAndKeepsTheHistory) {
    ScriptedPoller& poller = runScript("ooo");
    EXPECT_EQ(poller.events, "SDDDP");
    EXPECT_EQ(history.count(), 3);
    EXPECT_EQ(timers.reconnects, 0);
}

TEST_F(PollingLoop, aPortErrorEndsTheRunAndArmsTheReconnectOnlyWhenTheLineReportsErrors) {
    ScriptedPoller& healthy = runScript("oox");
    EXPECT_EQ(healthy.events, "SDDP");
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(timers.reconnects, 0);

    ScriptedPoller& hungUp = runScript("ox", 0x8000);
    EXPECT_EQ(hungUp.events, "SDP");
    EXPECT_EQ(timers.reconnects, 1);
    EXPECT_EQ(control.activeThreads(), 0);
}

TEST_F(PollingLoop, aThreadCountsAsActiveFromConstructionUntilItsRunEnds) {
    {
        ScriptedPoller unstarted(history, control, &timers, "o");
        EXPECT_EQ(control.activeThreads(), 1);
    }
    // A thread that never ran (its start failed) counts itself out when deleted.
    EXPECT_EQ(control.activeThreads(), 0);
    EXPECT_TRUE(control.waitIdle(std::chrono::milliseconds(0)));
}
