#include "diag/OscilloscopeModel.h"
#include "integration/doc/DocOnSim.h"

#include <algorithm>

namespace vexor::test {
namespace {

using namespace std::chrono_literals;

class OscilloscopeOnSim : public DocOnSim {
protected:
    COscilloscopeModel osc;
};

TEST_F(OscilloscopeOnSim, recordPollsIntoTheChosenFileUntilPause) {
    connectOrFail();
    doc->startPolling();
    seams.path = doc->oscilloscopeFolder() + "drive.osc";
    osc.addSample(OscSample{});

    ASSERT_TRUE(osc.record(*doc));
    EXPECT_EQ(seams.chooserCalls.back(), doc->oscilloscopeFolder() + "|osc");
    EXPECT_EQ(doc->logPath(), seams.path);
    EXPECT_FALSE(osc.paused());
    EXPECT_EQ(osc.nextX(), 0.0f);
    ASSERT_TRUE(eventually(
        [&] {
            osc.refreshLive(*doc);
            return osc.nextX() >= 15.0f;
        },
        5s));

    osc.pause(*doc);
    EXPECT_TRUE(osc.paused());
    EXPECT_EQ(doc->logPath(), "");
    EXPECT_TRUE(doc->pollingActive());
    const float at = osc.nextX();
    std::this_thread::sleep_for(250ms);
    EXPECT_FALSE(osc.refreshLive(*doc));
    EXPECT_EQ(osc.nextX(), at);

    const std::string recorded = readWholeFile(seams.path);
    EXPECT_GE(std::count(recorded.begin(), recorded.end(), '\n'), 3);
    EXPECT_GT(osc.open(*doc), 2);
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(OscilloscopeOnSim, cancelledChoicesChangeNothing) {
    connectOrFail();
    doc->startPolling();
    osc.run();
    osc.addSample(OscSample{});
    seams.path.clear();
    EXPECT_FALSE(osc.record(*doc));
    EXPECT_EQ(osc.open(*doc), -1);
    EXPECT_EQ(osc.nextX(), 5.0f);
    EXPECT_EQ(doc->logPath(), "");
    EXPECT_TRUE(doc->pollingActive());
}

} // namespace
} // namespace vexor::test
