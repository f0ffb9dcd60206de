#include "integration/doc/DocOnSim.h"
#include "oscilloscope/OscilloscopeModel.h"

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

    ASSERT_EQ(osc.record(*doc), COscilloscopeModel::RecordResult::Started);
    EXPECT_EQ(COscilloscopeModel::recordingPath(*doc), seams.path);
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
    EXPECT_EQ(COscilloscopeModel::recordingPath(*doc), "");
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
    EXPECT_EQ(osc.record(*doc), COscilloscopeModel::RecordResult::Cancelled);
    EXPECT_EQ(osc.open(*doc), -1);
    EXPECT_EQ(osc.nextX(), 5.0f);
    EXPECT_EQ(doc->logPath(), "");
    EXPECT_TRUE(doc->pollingActive());
}

// A recording that cannot be made says why, asks for no file without a
// controller, leaves polling (and an existing recording) as they were and
// keeps the traces paused.
TEST_F(OscilloscopeOnSim, aRecordThatCannotStartSaysSoAndChangesNothing) {
    seams.path = doc->oscilloscopeFolder() + "never.osc";
    EXPECT_EQ(osc.record(*doc), COscilloscopeModel::RecordResult::NoController);
    EXPECT_EQ(seams.messages, std::vector<std::string>{COscilloscopeModel::kMsgNoController});
    EXPECT_TRUE(seams.chooserCalls.empty());

    connectOrFail();
    doc->startPolling();
    const std::string kept = doc->oscilloscopeFolder() + "kept.osc";
    writeWholeFile(kept, "3\t900\n");
    for (const std::string& target :
         {doc->oscilloscopeFolder() + "no-such-folder/x.osc", doc->oscilloscopeFolder()}) {
        seams.messages.clear();
        seams.path = target;
        EXPECT_EQ(osc.record(*doc), COscilloscopeModel::RecordResult::FileError) << target;
        ASSERT_EQ(seams.messages.size(), 1u);
        EXPECT_EQ(
            seams.messages[0].rfind(std::string(COscilloscopeModel::kMsgFile) + "\n" + target, 0),
            0u);
        EXPECT_TRUE(osc.paused());
        EXPECT_EQ(COscilloscopeModel::recordingPath(*doc), "");
        EXPECT_TRUE(doc->pollingActive());
    }
    EXPECT_EQ(readWholeFile(kept), "3\t900\n");
}

} // namespace
} // namespace vexor::test
