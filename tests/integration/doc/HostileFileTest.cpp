#include "DocOnSim.h"

#include "settings/SettingsFileIo.h"

#include <cmath>

using namespace vexor::test;

namespace {

// The file the program itself would save, with one line's value replaced.
std::string withValue(std::string text, const std::string& key, const std::string& value) {
    const auto at = text.find(key + "\t");
    const auto end = text.find('\n', at);
    return text.replace(at + key.size() + 1, end - at - key.size() - 1, value);
}

int lineOf(const std::string& text, const std::string& key) {
    const auto at = text.find(key + "\t");
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

class HostileFile : public DocOnSim {
protected:
    void SetUp() override {
        DocOnSim::SetUp();
        connectOrFail();
        saved = vexor::formatSettingsFile(doc->settings());
    }
    std::string saved;
};

} // namespace

TEST_F(HostileFile, valuesNoMemberCanHoldAreRefusedByKeyLineAndRangeBeforeAnythingIsSent) {
    struct Case {
        const char* key;
        const char* value;
        const char* holds; // empty: a range found by scaling, only checked to be named
    };
    const Case cases[] = {
        {"m_base.m_sparkDivider", "300", "0..255"},
        {"m_base.m_flags", "-1", "0..255"},
        {"m_sensorsSetup.m_temprLPGSensor", "nan", "0..255"},
        {"m_base.m_switchRPM", "0", ""},
        {"m_advancedSetup.m_minimalLPGRPM", "-500", ""},
        {"m_base.m_emulatorDelay", "1e6", ""},
        {"m_base.m_switchTempr", "inf", ""},
        {"m_mainCorr.m_mainCorr[3]", "1e300", ""},
        {"m_setupTimes1[4]", "-nan", ""},
        {"m_base.m_switchPressure", "1e9", ""},
    };
    const DeviceSettings before = doc->settings();
    for (const Case& c : cases) {
        const std::string text = withValue(saved, c.key, c.value);
        writeWholeFile(folder.file("hostile.xset"), text);
        seams.path = folder.file("hostile.xset");
        EXPECT_EQ(doc->OnFileReadSettings(), DocResult::FileError) << c.key;
        const auto messages = seams.takeMessages();
        ASSERT_EQ(messages.size(), 1u) << c.key;
        const std::string expectedStart = std::string(CKorvantisDoc::kMsgFileRead) +
                                          "\nUrządzenie nie przyjmie tej wartości: " + c.key +
                                          " = " + c.value + " (wiersz " +
                                          std::to_string(lineOf(text, c.key)) + "); dopuszczalne: ";
        EXPECT_EQ(messages[0].substr(0, expectedStart.size()), expectedStart) << messages[0];
        const std::string holds =
            messages[0].substr(std::min(expectedStart.size(), messages[0].size()));
        if (*c.holds)
            EXPECT_EQ(holds, c.holds);
        else
            EXPECT_NE(holds.find(".."), std::string::npos) << holds;
    }
    EXPECT_EQ(server.requestLog().size(), 0u);
    EXPECT_EQ(doc->settings(), before);
}

TEST_F(HostileFile, valuesAtTheEdgeOfTheirFieldsAndUnlistedOnesLoadAndMapCellsArePinned) {
    std::string text = saved;
    text = withValue(text, "m_base.m_sparkDivider", "255");
    text = withValue(text, "m_base.m_emulatorDelay", "6.375");
    text = withValue(text, "m_base.m_switchRPM", "1234");
    text = withValue(text, "m_injMapTable[2][1000]", "1e9");
    text = withValue(text, "m_injMapTable[3][1500]", "-77");
    text = withValue(text, "m_injMapTable[4][2000]", "nan");
    text = withValue(text, "m_injMapTable[5][2500]", "17");
    writeWholeFile(folder.file("edge.xset"), text);
    seams.path = folder.file("edge.xset");

    ASSERT_EQ(doc->OnFileReadSettings(), DocResult::Done)
        << ::testing::PrintToString(seams.messages);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(0, 0); }), 50);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(1, 1); }), -50);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(2, 2); }), 0);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(3, 3); }), 17);

    // What the controller now holds reads back and saves into a file that
    // loads again unchanged.
    ASSERT_TRUE(doc->connect());
    const std::string again = vexor::formatSettingsFile(doc->settings());
    EXPECT_NE(again.find("m_base.m_sparkDivider\t255\n"), std::string::npos);
    EXPECT_NE(again.find("m_base.m_emulatorDelay\t6.38\n"), std::string::npos);
    writeWholeFile(folder.file("again.xset"), again);
    seams.path = folder.file("again.xset");
    EXPECT_EQ(doc->OnFileReadSettings(), DocResult::Done);
}

TEST_F(HostileFile, theFactoryImageSavedByTheProgramLoadsOnTheController) {
    seams.answers.push_back(true);
    ASSERT_EQ(doc->OnDefaultValues(), DocResult::Done);
    ASSERT_TRUE(doc->connect());
    seams.path = folder.file("factory.xset");
    ASSERT_EQ(doc->OnFileWriteSettings(), DocResult::Done);
    EXPECT_EQ(doc->OnFileReadSettings(), DocResult::Done)
        << ::testing::PrintToString(seams.takeMessages());
}
