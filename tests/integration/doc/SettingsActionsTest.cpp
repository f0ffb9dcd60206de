#include "DocOnSim.h"

#include "settings/SettingsFileIo.h"

#include <utility>

using namespace vexor::test;

namespace {

// Write commands of the settings blocks, as the controller keeps them.
constexpr std::uint8_t kBlockCommands[] = {3, 4, 26, 15, 7, 9};

struct ControllerState {
    std::vector<std::vector<std::uint8_t>> blocks;
    std::vector<std::uint8_t> map;
    bool operator==(const ControllerState&) const = default;
};

std::string withoutFirstLine(const std::string& text) {
    return text.substr(text.find('\n') + 1);
}

class SettingsActions : public DocOnSim {
protected:
    ControllerState controller() {
        return sim([](CSimController& c) {
            ControllerState state;
            for (std::uint8_t command : kBlockCommands)
                state.blocks.push_back(c.block(command));
            state.map = c.mapArea();
            return state;
        });
    }

    // The requests since the log was cleared, without the live reads of the
    // petrol waits: (command, selector) pairs.
    std::vector<std::pair<int, int>> sentWithoutLiveReads() {
        std::vector<std::pair<int, int>> sent;
        for (const SimRequest& r : server.requestLog().requests()) {
            if (r.command == 2 && r.selector == 6)
                continue;
            sent.emplace_back(r.command, r.command == 2 ? r.selector : -1);
        }
        return sent;
    }
};

} // namespace

TEST_F(SettingsActions, saveLoadSaveGivesTheSameFileAndTheSameControllerBlocks) {
    connectOrFail();
    int pageRefreshes = 0;
    doc->setPageRefreshHook([&] { ++pageRefreshes; });

    seams.path = folder.file("first.xset");
    ASSERT_EQ(doc->OnFileWriteSettings(), DocResult::Done);
    ASSERT_EQ(doc->OnFileReadSettings(), DocResult::Done);
    const ControllerState afterFirst = controller();

    seams.path = folder.file("second.xset");
    ASSERT_EQ(doc->OnFileWriteSettings(), DocResult::Done);
    ASSERT_EQ(doc->OnFileReadSettings(), DocResult::Done);

    EXPECT_EQ(withoutFirstLine(readWholeFile(folder.file("first.xset"))),
              withoutFirstLine(readWholeFile(folder.file("second.xset"))));
    EXPECT_EQ(controller(), afterFirst);
    EXPECT_EQ(pageRefreshes, 2);
    EXPECT_TRUE(seams.messages.empty());
    // Both dialogs start in the settings folder and ask for settings files.
    ASSERT_FALSE(seams.chooserCalls.empty());
    EXPECT_EQ(seams.chooserCalls.front(), doc->settingsFolder() + "|xset");
    // The load ends with the controller restarted.
    EXPECT_EQ(count(SimMatch::read(0x0A)), 2u);
}

TEST_F(SettingsActions, aFileMissingOneKeyIsRefusedWithItsMessageAndNothingIsSent) {
    connectOrFail();
    std::string text = vexor::formatSettingsFile(doc->settings());
    const std::string key = "m_sensorsSetup.m_fuelHalf\t";
    const auto at = text.find(key);
    ASSERT_NE(at, std::string::npos);
    text.erase(at, text.find('\n', at) + 1 - at);
    writeWholeFile(folder.file("short.xset"), text);
    const DeviceSettings before = doc->settings();

    seams.path = folder.file("short.xset");
    EXPECT_EQ(doc->OnFileReadSettings(), DocResult::FileError);
    EXPECT_EQ(seams.messages,
              std::vector<std::string>{std::string(CKorvantisDoc::kMsgFileRead) +
                                       "\nBrak klucza w pliku: m_sensorsSetup.m_fuelHalf"});
    EXPECT_EQ(server.requestLog().size(), 0u);
    EXPECT_EQ(doc->settings(), before);
}

TEST_F(SettingsActions, cancelledChoosersAndADeclinedQuestionChangeAndSendNothing) {
    connectOrFail();
    const DeviceSettings before = doc->settings();
    seams.path.clear();

    EXPECT_EQ(doc->OnFileReadSettings(), DocResult::Cancelled);
    EXPECT_EQ(doc->OnDeviceUpdate(), DocResult::Cancelled);
    EXPECT_EQ(doc->OnDefaultValues(), DocResult::Cancelled); // scripted answer: No
    EXPECT_EQ(seams.questions, std::vector<std::string>{CKorvantisDoc::kMsgDefaultsQuestion});
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(server.requestLog().size(), 0u);
    EXPECT_EQ(doc->settings(), before);
}

TEST_F(SettingsActions, loadKeepsTheInspectionBitThePatternAndTheLoadLimitTheControllerHad) {
    connectOrFail();
    auto& image = doc->settings();
    image.m_advancedSetup.m_advancedFlags |= vexor::kAdvFlagInspection;
    image.m_advancedSetup.m_maxLoad = 5;
    image.m_adv.m_injSequence = {0x02, 0x01, 0x08, 0x04, 0x20, 0x10, 0x80, 0x40};
    ASSERT_TRUE(doc->writeAdvancedSetup());
    ASSERT_TRUE(doc->writeAdv());

    DeviceSettings file = image;
    file.m_advancedSetup.m_advancedFlags = vexor::kAdvFlagSensor400 | vexor::kAdvFlagTurbo;
    ASSERT_TRUE(vexor::writeSettingsFile(folder.file("car.xset"), file));
    seams.path = folder.file("car.xset");
    ASSERT_EQ(doc->OnFileReadSettings(), DocResult::Done);

    // Read back from the controller, not just from the image.
    image.m_advancedSetup.m_advancedFlags = 0;
    image.m_advancedSetup.m_maxLoad = 7;
    image.m_adv.m_injSequence.fill(0);
    ASSERT_TRUE(doc->readAdvancedSetup());
    ASSERT_TRUE(doc->readAdv());
    EXPECT_EQ(image.m_advancedSetup.m_advancedFlags,
              vexor::kAdvFlagSensor400 | vexor::kAdvFlagTurbo | vexor::kAdvFlagInspection);
    // The file carries neither: the controller keeps what it had.
    EXPECT_EQ(image.m_advancedSetup.m_maxLoad, 5);
    EXPECT_EQ(image.m_adv.m_injSequence,
              (std::array<std::uint8_t, 8>{0x02, 0x01, 0x08, 0x04, 0x20, 0x10, 0x80, 0x40}));
}

TEST_F(SettingsActions, defaultsAreWrittenInTheirOrderWithTheMapClearedByTheController) {
    connectOrFail();
    sim([](CSimController& c) { c.setMapCell(3, 4, 17); });
    doc->settings().m_injMapTable[3][4] = 17;
    int refreshes = 0;
    doc->setRefreshHook([&] { ++refreshes; });
    seams.answers = {true};

    ASSERT_EQ(doc->OnDefaultValues(), DocResult::Done);

    const std::vector<std::pair<int, int>> expected = {{2, 2},   {3, -1},   {4, -1},   {15, -1},
                                                       {7, -1},  {2, 0x14}, {2, 0x13}, {9, -1},
                                                       {26, -1}, {2, 2},    {2, 0x0A}};
    EXPECT_EQ(sentWithoutLiveReads(), expected);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(3, 4); }), 0);
    EXPECT_EQ(doc->settings().m_injMapTable[3][4], 0);
    EXPECT_EQ(doc->settings().m_advancedSetup.m_advancedFlags, 0x10);
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(SettingsActions, aLoadWritesEveryBlockInLoadOrderAndRestartsLast) {
    connectOrFail();
    seams.path = folder.file("car.xset");
    ASSERT_TRUE(vexor::writeSettingsFile(seams.path, doc->settings()));
    server.requestLog().clear();

    ASSERT_EQ(doc->OnFileReadSettings(), DocResult::Done);

    // Block writes, a run of map chunks (command 5) counted once.
    const auto sent = sentWithoutLiveReads();
    std::vector<int> writes;
    for (const auto& [command, selector] : sent) {
        if (command != 2 && (writes.empty() || writes.back() != command))
            writes.push_back(command);
    }
    EXPECT_EQ(writes, (std::vector<int>{3, 4, 15, 7, 5, 26, 9}));
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), std::make_pair(2, 2)); // petrol first
    EXPECT_EQ(sent.back(), std::make_pair(2, 0x0A));
}

TEST_F(SettingsActions, aRefusedWriteStopsTheLoadWithTheSetDeviceMessageAndNoRestart) {
    connectOrFail();
    seams.path = folder.file("car.xset");
    ASSERT_TRUE(vexor::writeSettingsFile(seams.path, doc->settings()));
    server.faults().setAckResult(0, SimMatch::cmd(4));

    EXPECT_EQ(doc->OnFileReadSettings(), DocResult::Failed);
    // The base block went before: the controller is half-written, and the
    // message says so and how to recover.
    EXPECT_EQ(seams.messages, std::vector<std::string>{std::string(CKorvantisDoc::kMsgSetDevice) +
                                                       "\n" + CKorvantisDoc::kMsgHalfWritten});
    EXPECT_EQ(count(SimMatch::cmd(3)), 1u);
    EXPECT_EQ(count(SimMatch::cmd(15)), 0u); // nothing after the refusal
    EXPECT_EQ(count(SimMatch::read(0x0A)), 0u);
}

TEST_F(SettingsActions, aSaveThatCannotCreateItsFileReportsTheFileMessage) {
    connectOrFail();
    seams.path = folder.file("no-such-folder/car.xset");
    EXPECT_EQ(doc->OnFileWriteSettings(), DocResult::FileError);
    // The message names the file and the system's reason.
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].rfind(std::string(CKorvantisDoc::kMsgFileWrite) + "\n" +
                                          folder.file("no-such-folder/car.xset") + ": ",
                                      0),
              0u)
        << seams.messages[0];
    EXPECT_FALSE(doc->settings().m_timeStamp.empty());
}
