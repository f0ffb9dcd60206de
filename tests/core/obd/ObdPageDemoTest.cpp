#include "device/Conversions.h"
#include "device/LPGDevice.h"
#include "obd/ObdDiagnostic.h"
#include "obd/ObdPageModel.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingPrompt : public IUserPrompt {
public:
    void message(const std::string& text, Icon) override { messages.push_back(text); }
    bool ask(const std::string& text, bool) override {
        questions.push_back(text);
        return answer;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    bool answer = true;
};

// A device in demonstration mode with an OBD interface: no port at all.
class ObdPageDemo : public ::testing::Test {
protected:
    void SetUp() override {
        Seams seams;
        seams.prompt = &prompt;
        device.setSeams(seams);
        device.setDemo(true);
        device.setConnected(true);
        device.settings().m_devInfo.m_flags1 = 1;
        device.settings().m_devInfo.m_injCount = 4;
    }

    RecordingPrompt prompt;
    CLPGDevice device;
    CObdPageModel page{device};
};

} // namespace

TEST_F(ObdPageDemo, pageConnectsAtOnceAndPollsFromTheLiveRecord) {
    page.updatePage();
    EXPECT_TRUE(page.obdConnected());
    EXPECT_EQ(page.view().protocol, "CAN 11-bit 500kb/s");
    EXPECT_EQ(page.view().link.selectedValue(-1), 1); // the demo link is on
    EXPECT_TRUE(page.view().codeButtonsEnabled);
    EXPECT_EQ(page.view().period.selectedValue(), 5); // 10 half seconds
    EXPECT_EQ(page.view().maximum.selectedValue(), 15);

    CDiag record;
    record.setByte(CDiag::OffManifold, 40);
    record.setByte(CDiag::OffLambda1, 51);
    device.diagData().append(record);

    // A poll is due on every second refresh.
    EXPECT_FALSE(page.refreshLive());
    EXPECT_TRUE(page.refreshLive());
    EXPECT_FALSE(page.refreshLive());
    page.poll();
    const SObdPageView& v = page.view();
    EXPECT_EQ(v.standard, "OBD II (EUROPA)");
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.0f", 101 - vexor::pressureFromRaw(40));
    EXPECT_EQ(v.values[0], expected);
    EXPECT_EQ(v.values[1], "8.11");
    EXPECT_EQ(v.values[2], "3.21");
    EXPECT_EQ(v.values[3], "7.83");
    std::snprintf(expected, sizeof expected, "%.2f", vexor::voltFromRaw(51));
    EXPECT_EQ(v.values[5], expected);
    EXPECT_EQ(v.values[8], "0.48");
    EXPECT_EQ(v.bank1Correction, "2");
    page.poll();
    EXPECT_EQ(page.view().values[1], "8.13");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ObdPageDemo, demoTrimsTurnBackAboveFifteenAndBelowMinusThree) {
    page.updatePage();
    double highest = -100, lowest = 100;
    for (int i = 0; i < 2000; ++i) {
        page.poll();
        const double v = std::stod(page.view().values[1]);
        highest = std::max(highest, v);
        lowest = std::min(lowest, v);
    }
    EXPECT_NEAR(highest, 15.01, 0.011);
    EXPECT_NEAR(lowest, -3.0, 0.011);
}

TEST_F(ObdPageDemo, demoTroubleCodesAndClearingAfterTheQuestion) {
    page.updatePage();
    page.readTroubleCodes();
    EXPECT_EQ(
        page.view().troubleCodes,
        (std::vector<std::string>{
            "P0171   System too Lean (Bank 1)", "P0300   Random/Multiple Cylinder Misfire Detected",
            "P0301   Cylinder 1 Misfire Detected", "P0302   Cylinder 2 Misfire Detected",
            "P0303   Cylinder 3 Misfire Detected", "P0304   Cylinder 4 Misfire Detected"}));
    prompt.answer = false;
    page.clearTroubleCodes();
    EXPECT_EQ(page.view().troubleCodes.size(), 6u);
    prompt.answer = true;
    page.clearTroubleCodes();
    EXPECT_TRUE(page.view().troubleCodes.empty());
    EXPECT_EQ(prompt.questions, (std::vector<std::string>(2, "Czy chcesz skasować błędy OBD?")));
}

TEST_F(ObdPageDemo, injectorCountDisablesTheBoxesOfMissingCylinders) {
    device.settings().m_devInfo.m_injCount = 6;
    page.updatePage();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(page.view().cylinderEnabled[i], i < 6) << i;
    device.settings().m_devInfo.m_injCount = 4;
    page.updatePage();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(page.view().cylinderEnabled[i], i < 4) << i;
    device.settings().m_devInfo.m_injCount = 8;
    page.updatePage();
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(page.view().cylinderEnabled[i]) << i;
}

TEST_F(ObdPageDemo, withoutAnObdInterfaceTheLinkAndCorrectionControlsAreOff) {
    device.settings().m_devInfo.m_flags1 = 0;
    page.updatePage();
    const SObdPageView& v = page.view();
    EXPECT_FALSE(v.linkEnabled);
    EXPECT_FALSE(v.codeButtonsEnabled);
    EXPECT_FALSE(v.correctionCheckVisible);
    EXPECT_FALSE(v.correctionControlsVisible);
    ASSERT_EQ(v.link.items().size(), 2u);
    EXPECT_EQ(v.link.items()[0].text, "Podłączone");
    EXPECT_EQ(v.link.selected(), 1);
    EXPECT_EQ(v.period.items().front().text, "2");
    EXPECT_EQ(v.period.items().back().text, "127");
    EXPECT_EQ(v.maximum.items().size(), 50u);

    CObdDiagnostic diagnostic(device);
    EXPECT_FALSE(diagnostic.initialise());
    device.settings().m_devInfo.m_flags1 = 1;
    EXPECT_TRUE(diagnostic.initialise());
}

TEST(ObdPagePortError, aPortErrorIsReportedUnderTheHandlersNameAndThePageStaysUsable) {
    vexor::test::FakeSerialPort port;
    port.throwOnRead = 0;
    CLPGDevice device(&port);
    RecordingPrompt prompt;
    Seams seams;
    seams.prompt = &prompt;
    device.setSeams(seams);
    device.setConnected(true);
    device.settings().m_devInfo.m_flags1 = 1;
    CObdPageModel page(device);

    page.updatePage();
    port.throwOnRead = port.readCalls;
    page.readTroubleCodes();
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].rfind("COBD2Page::initInterface()\n", 0), 0u)
        << prompt.messages[0];
    EXPECT_EQ(prompt.messages[1].rfind("COBD2Page::OnGetObdErr()\n", 0), 0u) << prompt.messages[1];
    EXPECT_GT(prompt.messages[1].size(), std::string("COBD2Page::OnGetObdErr()\n").size());
    EXPECT_TRUE(page.view().troubleCodes.empty());
}
