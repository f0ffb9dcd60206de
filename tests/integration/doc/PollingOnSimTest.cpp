#include "DocOnSim.h"

#include <algorithm>
#include <sstream>

using namespace vexor::test;
using namespace std::chrono_literals;

namespace {

class PollingOnSim : public DocOnSim {
protected:
    // Records delivered since polling started, counted by the observer.
    void observe() {
        doc->setRecordObserver([this](const CDiag&, const std::string& line) {
            std::lock_guard<std::mutex> guard(mutex);
            lines.push_back(line);
        });
    }
    std::size_t delivered() {
        std::lock_guard<std::mutex> guard(mutex);
        return lines.size();
    }
    bool deliveredAtLeast(std::size_t n) {
        return eventually([&] { return delivered() >= n; }, 5s);
    }

    std::mutex mutex;
    std::vector<std::string> lines;
};

} // namespace

TEST_F(PollingOnSim, aRecordingHoldsOneTwentyFourFieldLinePerDeliveredRecord) {
    connectOrFail();
    observe();
    const std::string path = doc->oscilloscopeFolder() + "run.osc";
    doc->startPolling(path);
    EXPECT_EQ(doc->logPath(), path);
    EXPECT_EQ(seams.displays.load(), 1);
    ASSERT_TRUE(deliveredAtLeast(4));
    doc->stopPolling();
    EXPECT_FALSE(doc->pollingActive());

    std::istringstream file(readWholeFile(path));
    std::vector<std::string> fileLines;
    for (std::string line; std::getline(file, line);)
        fileLines.push_back(line);
    EXPECT_EQ(fileLines, lines);
    for (const std::string& line : fileLines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 23) << line;
        const std::string first = line.substr(0, line.find('\t'));
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first.find_first_not_of("0123456789"), std::string::npos) << line;
    }
    EXPECT_EQ(doc->diagData().count(), static_cast<int>(fileLines.size()));
}

TEST_F(PollingOnSim, fiveBadRepliesKeepPollingSixEndItClearTheHistoryAndArmTheReconnect) {
    connectOrFail();
    observe();
    doc->startPolling();
    ASSERT_TRUE(deliveredAtLeast(2));

    server.faults().setBadChecksum(SimMatch::read(6), 5);
    std::size_t before = delivered();
    ASSERT_TRUE(deliveredAtLeast(before + 2));
    EXPECT_TRUE(doc->pollingActive());
    EXPECT_EQ(seams.reconnects.load(), 0);

    server.faults().setBadChecksum(SimMatch::read(6), 6);
    ASSERT_TRUE(eventually([&] { return !doc->pollingActive(); }, 5s));
    EXPECT_EQ(seams.reconnects.load(), 1);
    EXPECT_EQ(doc->diagData().count(), 0);
    EXPECT_TRUE(doc->isConnected()); // the timer's reconnection decides that

    // The reconnect timer's work brings polling back on the remembered port.
    ASSERT_TRUE(doc->reconnect());
    before = delivered();
    EXPECT_TRUE(deliveredAtLeast(before + 1));
}

TEST_F(PollingOnSim, withoutLiveDataPollingDoesNotStart) {
    server.faults().setLiveDataWord(0);
    connectOrFail();
    EXPECT_FALSE(doc->liveDataAvailable());
    doc->startPolling();
    EXPECT_FALSE(doc->isRunning());
    EXPECT_FALSE(doc->pollingActive());
    EXPECT_EQ(seams.displays.load(), 0);
}

TEST_F(PollingOnSim, startingAgainWhileARunIsGoingNeverLeavesTwoPollers) {
    connectOrFail();
    observe();
    doc->startPolling(folder.file("a.osc"));
    ASSERT_TRUE(deliveredAtLeast(1));
    doc->startPolling(folder.file("b.osc"));
    ASSERT_TRUE(deliveredAtLeast(delivered() + 2));
    doc->stopPolling();

    // The first run's file was closed when it ended; only the second grew.
    const std::string a = readWholeFile(folder.file("a.osc"));
    const std::string b = readWholeFile(folder.file("b.osc"));
    EXPECT_EQ(std::count(a.begin(), a.end(), '\n') + std::count(b.begin(), b.end(), '\n'),
              static_cast<long>(delivered()));
    EXPECT_GE(std::count(b.begin(), b.end(), '\n'), 2);
}
