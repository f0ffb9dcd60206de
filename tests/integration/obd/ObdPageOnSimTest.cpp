#include "SimObd.h"
#include "integration/device/DeviceOnSim.h"
#include "lang/Translate.h"
#include "obd/ObdDiagnostic.h"
#include "obd/ObdPageModel.h"

#include <deque>

namespace vexor::test {
namespace {

using namespace std::chrono_literals;

class ScriptedPrompt : public IUserPrompt {
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

std::uint32_t u32At(const std::uint8_t* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// The OBD page's logic on a device talking to the simulated controller, whose
// car answers on any bus unless a test says otherwise.
class ObdPageOnSim : public DeviceOnSim {
protected:
    void SetUp() override {
        DeviceOnSim::SetUp();
        Seams seams;
        seams.prompt = &prompt;
        device.setSeams(seams);
        device.setConnected(true);
        device.settings().m_devInfo.m_flags1 = 1;
        device.settings().m_devInfo.m_injCount = 4;
    }

    std::vector<std::uint8_t> block(std::uint8_t command) {
        return sim([&](CSimController& c) { return c.block(command); });
    }
    std::vector<SimRequest> sent(std::uint8_t command) {
        return server.requestLog().requests(SimMatch::cmd(command));
    }
    void connectPage() {
        page.updatePage();
        ASSERT_TRUE(page.obdConnected());
        server.requestLog().clear();
    }

    ScriptedPrompt prompt;
    CObdPageModel page{device};
};

TEST_F(ObdPageOnSim, searchTriesTheStoredBusFirstThenEachCanBusAndKeepsTheOneThatAnswers) {
    sim([](CSimController& c) { c.obd().setCarBus(0x18DB33F1, 2); });
    page.updatePage();

    EXPECT_TRUE(page.obdConnected());
    EXPECT_TRUE(page.view().codeButtonsEnabled);
    EXPECT_TRUE(page.view().correctionCheckEnabled);
    EXPECT_EQ(page.view().protocol, "CAN 29-bit 500kb/s");
    EXPECT_EQ(page.view().standard, "OBD Europe (EOBD)");
    EXPECT_TRUE(prompt.messages.empty());

    std::vector<std::pair<std::uint32_t, int>> tried;
    for (const SimRequest& r : sent(18))
        tried.emplace_back(u32At(r.payload.data()), r.payload[9]);
    const std::vector<std::pair<std::uint32_t, int>> expected = {
        {0x7DF, 2}, {0x7DF, 1}, {0x18DB33F1, 1}, {0x7DF, 2}, {0x18DB33F1, 2}};
    EXPECT_EQ(tried, expected);
    const auto setup = block(18);
    EXPECT_EQ(u32At(setup.data()), 0x18DB33F1u);
    EXPECT_EQ(u32At(setup.data() + 4), 0x18DAF100u);
    EXPECT_EQ(setup[8], 1);
    EXPECT_GE(setup[10], 8);
}

TEST_F(ObdPageOnSim, whenNoBusAnswersTheLinkIsSwitchedOffInTheControllerToo) {
    // Every reply arrives without a single answer entry.
    server.faults().setReplyLength(6, SimMatch::cmd(25));
    page.updatePage();

    EXPECT_FALSE(page.obdConnected());
    EXPECT_EQ(page.view().link.selectedValue(-1), 0);
    EXPECT_FALSE(page.view().codeButtonsEnabled);
    EXPECT_FALSE(page.view().correctionCheckEnabled);
    EXPECT_EQ(page.view().protocol, "");
    EXPECT_EQ(block(18)[8], 0);
    EXPECT_EQ(u32At(block(18).data()), 0x7A0u); // the last bus tried: K-line
    EXPECT_EQ(sent(18).size(), 7u);             // six attempts and the switch-off
    EXPECT_TRUE(prompt.messages.empty());

    // With the link off no search runs; a refused switch-off is reported.
    server.faults().clear();
    sim([](CSimController& c) {
        c.setBlock(18, {0xDF, 0x07, 0, 0, 0xE0, 0x07, 0, 0, 1, 2, 8, 0});
    });
    server.faults().setReplyLength(6, SimMatch::cmd(25));
    server.faults().setAckResult(0, SimMatch::cmd(18));
    page.updatePage();
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{"Nie powiodło się ustawienie urządzenia!"}));
}

TEST_F(ObdPageOnSim, aCarWithAirFlowShowsGramsPerSecondInTheFirstValue) {
    sim([](CSimController& c) { c.obd().setAirFlowSensor(true); });
    page.updatePage();
    EXPECT_EQ(page.view().loadLabel, vexor::translate("Przepływ powietrza"));
    EXPECT_EQ(page.view().loadUnit, vexor::translate("g/s"));
    page.poll();
    const std::string flow = page.view().values[0];
    ASSERT_FALSE(flow.empty());
    EXPECT_EQ(flow.size() - flow.find('.'), 3u) << flow;
}

TEST_F(ObdPageOnSim, aPollAsksFiveValuesAtOnceAndShowsTheControllersBankCorrections) {
    connectPage();
    CDiag record;
    record.setByte(CDiag::OffObdCorrBank1, 97);
    record.setByte(CDiag::OffObdCorrBank2, 110);
    device.diagData().append(record);

    page.poll();
    const auto requests = sent(23);
    ASSERT_EQ(requests.size(), 1u);
    const auto& p = requests[0].payload;
    ASSERT_EQ(p.size(), 14u + 4 * 5);
    EXPECT_EQ(u32At(p.data()), 0x7E0u);
    EXPECT_EQ(p[12], 5);
    EXPECT_EQ((std::vector<int>{p[15], p[19], p[23], p[27], p[31]}),
              (std::vector<int>{0x0B, 0x06, 0x07, 0x08, 0x09}));
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_FALSE(page.view().values[slot].empty()) << slot;
    EXPECT_TRUE(page.view().values[5].empty());
    EXPECT_EQ(page.view().bank1Correction, "-3");
    EXPECT_EQ(page.view().bank2Correction, "10");

    page.poll();
    EXPECT_FALSE(page.view().values[5].empty());
    EXPECT_EQ(page.poller().table().itemsPerRequest(), 5);
}

TEST_F(ObdPageOnSim, aSlowOrFailedPollLeavesOnePidPerRequestForGood) {
    connectPage();
    auto now = std::chrono::steady_clock::now();
    page.poller().setClock([&] { return now += 800ms; }); // each poll takes 800 ms
    page.poll();
    EXPECT_EQ(page.poller().table().itemsPerRequest(), 1);
    page.poller().setClock([&] { return now += 1ms; });
    page.poll();
    EXPECT_EQ(sent(23).back().payload[12], 1);
    EXPECT_EQ(page.poller().table().itemsPerRequest(), 1);

    CObdPageModel other(device);
    other.updatePage();
    server.faults().setSilent(SimMatch::cmd(23));
    other.poll();
    EXPECT_EQ(other.poller().table().itemsPerRequest(), 1);
    EXPECT_TRUE(prompt.messages.empty()); // a failed poll is not reported
}

TEST_F(ObdPageOnSim, troubleCodesAreAskedFromTheUnitThatHasThemAndDescribed) {
    sim([](CSimController& c) {
        c.obd().setCarBus(0x18DB33F1, 1);
        c.obd().setTroubleCodes({0x171, 0x300, 0x301, 0x302, 0x303, 0x304, 0x420});
    });
    connectPage();
    page.readTroubleCodes();

    const auto& codes = page.view().troubleCodes;
    ASSERT_EQ(codes.size(), 7u);
    EXPECT_EQ(codes[0], "P0171   System too Lean (Bank 1)");
    EXPECT_EQ(codes[6], "P0420   Catalyst System Efficiency Below Threshold (Bank 1)");
    const auto requests = sent(25);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].payload[13], 1);
    EXPECT_EQ(requests[0].payload[14], 0x01);
    EXPECT_EQ(u32At(requests[1].payload.data()), 0x18DA10F1u); // the answering unit only
    EXPECT_EQ(u32At(requests[1].payload.data() + 4), 0x18DAF100u);
    EXPECT_EQ(requests[1].payload[12], 1);
    EXPECT_EQ(requests[1].payload[13], 3);

    // A failing exchange: the list stays empty and the user is told.
    server.faults().setSilent(SimMatch::cmd(25));
    page.readTroubleCodes();
    EXPECT_TRUE(page.view().troubleCodes.empty());
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Nie można wczytać błędów OBD!"}));
}

TEST_F(ObdPageOnSim, twentyCodesOfEveryLetterComeBackWithLetterAndDigitsIntact) {
    const std::vector<std::string> written = {
        "P0011", "U0100", "C0035", "B1234", "P0128", "P0171", "P0300", "P2096", "P3000", "C1234",
        "B0001", "U3FFF", "U0001", "P0A80", "C3000", "B2000", "P0456", "P0457", "U0401", "P0010"};
    std::vector<std::uint16_t> values;
    for (const std::string& code : written)
        values.push_back(CSimObd::parseTroubleCode(code).value());
    sim([&](CSimController& c) { c.obd().setTroubleCodes(values); });
    connectPage();

    ASSERT_TRUE(page.readTroubleCodes());
    ASSERT_EQ(page.troubleCodes().size(), written.size());
    const auto& shown = page.view().troubleCodes;
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(COBDCodes::codeName(page.troubleCodes()[i]), written[i]);
        EXPECT_EQ(shown[i].substr(0, 5), written[i]);
    }
    // Each code with its own text: P0011 is no intake-air code, B1234 and
    // P3000 (makers' codes) are described by nothing.
    EXPECT_NE(shown[0].find("Camshaft"), std::string::npos) << shown[0];
    EXPECT_NE(shown[4].find("thermostat"), std::string::npos) << shown[4];
    EXPECT_EQ(shown[3], "B1234  " + vexor::translate(COBDCodes::kUnknown));
    EXPECT_EQ(shown[8], "P3000  " + vexor::translate(COBDCodes::kUnknown));
    EXPECT_FALSE(page.view().noTroubleCodes);
    // First frame and six continuation frames travelled in one answer.
    EXPECT_EQ(sent(25).size(), 2u);
}

TEST_F(ObdPageOnSim, aCarWithoutCodesSaysSoAndAFailedReadSaysNothingOfTheKind) {
    connectPage();
    EXPECT_FALSE(page.view().noTroubleCodes); // never read: blank
    ASSERT_TRUE(page.readTroubleCodes());
    EXPECT_TRUE(page.view().troubleCodes.empty());
    EXPECT_TRUE(page.view().noTroubleCodes);

    // No unit answered the status question: nothing is known of the codes.
    server.faults().setReplyLength(6, SimMatch::cmd(25), 1);
    EXPECT_FALSE(page.readTroubleCodes());
    EXPECT_FALSE(page.view().noTroubleCodes);
    server.faults().setSilent(SimMatch::cmd(25));
    EXPECT_FALSE(page.readTroubleCodes());
    EXPECT_FALSE(page.view().noTroubleCodes);
    EXPECT_EQ(prompt.messages, (std::vector<std::string>(2, "Nie można wczytać błędów OBD!")));
}

TEST_F(ObdPageOnSim, aFailedSetupReadLeavesNoButtonPromisingALink) {
    connectPage();
    ASSERT_TRUE(page.view().codeButtonsEnabled);
    ASSERT_FALSE(page.view().protocol.empty());

    server.faults().setReplyLength(4, SimMatch::read(0x1B)); // too short for the block
    page.updatePage();
    EXPECT_FALSE(page.obdConnected());
    EXPECT_FALSE(page.view().codeButtonsEnabled);
    EXPECT_FALSE(page.view().correctionCheckEnabled);
    EXPECT_FALSE(page.view().correctionCheckVisible);
    EXPECT_EQ(page.view().protocol, "");
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{"Nie powiodło się odczytanie ustawień urządzenia!"}));
    server.requestLog().clear();
    page.poll();
    EXPECT_TRUE(sent(23).empty()); // no poll of a link nobody confirmed

    // The correction block unreadable: the link stands, the correction box
    // (whose state is unknown) is not offered.
    server.faults().clear();
    server.faults().setReplyLength(4, SimMatch::read(0x23));
    page.updatePage();
    EXPECT_TRUE(page.view().codeButtonsEnabled);
    EXPECT_FALSE(page.view().correctionCheckVisible);
    EXPECT_FALSE(page.view().correctionControlsVisible);
}

TEST_F(ObdPageOnSim, clearingAsksFirstAndEmptiesTheListOnlyWhenTheCarConfirms) {
    sim([](CSimController& c) { c.obd().setTroubleCodes({0x171, 0x300}); });
    connectPage();
    page.readTroubleCodes();
    ASSERT_EQ(page.view().troubleCodes.size(), 2u);

    prompt.answer = false;
    page.clearTroubleCodes();
    EXPECT_EQ(sent(25).size(), 2u); // only the reading
    EXPECT_EQ(page.view().troubleCodes.size(), 2u);

    // No answer entry: the car did not clear anything.
    prompt.answer = true;
    server.faults().setReplyLength(6, SimMatch::cmd(25), 1);
    page.clearTroubleCodes();
    EXPECT_EQ(page.view().troubleCodes.size(), 2u);
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{"Nie powiodło się skasowanie błędów OBD!"}));

    EXPECT_TRUE(page.clearTroubleCodes());
    EXPECT_TRUE(page.view().troubleCodes.empty());
    EXPECT_TRUE(page.view().noTroubleCodes);
    EXPECT_EQ(sent(25).back().payload[13], 4);
    EXPECT_TRUE(sim([](CSimController& c) { return c.obd().troubleCodes().empty(); }));
    EXPECT_EQ(prompt.questions.size(), 3u);
}

TEST_F(ObdPageOnSim, correctionSettingsGoStraightToTheController) {
    connectPage();
    // No long-term trim seen yet: nothing can be corrected, the controller
    // holds "off" and the box says so rather than showing a tick.
    page.setCorrectionEnabled(true);
    EXPECT_EQ(block(27)[0], 0);
    EXPECT_FALSE(page.view().correctionChecked);
    EXPECT_FALSE(page.view().correctionControlsVisible);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0], CObdPageModel::kMsgNoLongTermTrim);
    prompt.messages.clear();
    page.poll(); // slots 0..4: both long-term trims answer
    page.setCorrectionEnabled(true);
    EXPECT_EQ(block(27)[0], 3);
    EXPECT_TRUE(page.view().correctionChecked);
    EXPECT_TRUE(page.view().correctionControlsVisible);

    page.cylinderClicked(3, 2, true);
    EXPECT_TRUE(page.view().bank2[2]);
    EXPECT_FALSE(page.view().bank1[2]);
    EXPECT_EQ(block(27)[3], 0x04);
    page.cylinderClicked(3, 2, false);
    EXPECT_TRUE(page.view().bank1[2]);
    EXPECT_EQ(block(27)[3], 0x00);

    page.selectPeriod(3); // 5 s
    EXPECT_EQ(block(27)[1], 10);
    page.selectMaximum(49); // 50 %
    EXPECT_EQ(block(27)[2], 50);
    EXPECT_TRUE(prompt.messages.empty());

    server.faults().setAckResult(0, SimMatch::cmd(27));
    page.selectMaximum(0);
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{"Nie powiodło się ustawienie urządzenia!"}));
}

TEST_F(ObdPageOnSim, switchingTheLinkOffAlsoSwitchesTheCorrectionOff) {
    sim([](CSimController& c) { c.setBlock(27, {1, 10, 15, 0x05}); });
    connectPage();
    EXPECT_TRUE(page.view().correctionChecked);
    EXPECT_TRUE(page.view().bank2[0]);
    EXPECT_TRUE(page.view().bank2[2]);
    EXPECT_TRUE(page.view().bank1[1]);

    ASSERT_EQ(page.view().protocol, "CAN 11-bit 500kb/s");
    page.selectLink(1); // "Rozłączone"
    EXPECT_FALSE(page.obdConnected());
    EXPECT_EQ(page.view().protocol, ""); // no bus is in use any more
    EXPECT_EQ(block(18)[8], 0);
    EXPECT_EQ(block(27)[0], 0);
    EXPECT_EQ(block(27)[3], 0x05);
    EXPECT_FALSE(page.view().correctionChecked);
    EXPECT_FALSE(page.view().codeButtonsEnabled);
    EXPECT_TRUE(sent(25).empty()); // no search with the link off

    page.selectLink(0);
    EXPECT_TRUE(page.obdConnected());
    EXPECT_EQ(block(18)[8], 1);
}

TEST_F(ObdPageOnSim, theValuePollerWithoutAPageNeedsTheLinkOn) {
    CObdDiagnostic diagnostic(device);
    ASSERT_TRUE(diagnostic.initialise());
    diagnostic.onGetDiag();
    diagnostic.onGetDiag();
    EXPECT_TRUE(diagnostic.text(0).empty());
    for (int slot = 1; slot < 9; ++slot)
        EXPECT_FALSE(diagnostic.text(slot).empty()) << slot;

    sim([](CSimController& c) { c.setBlock(18, {0xDF, 0x07, 0, 0, 0xE0, 0x07, 0, 0, 0, 2, 8}); });
    EXPECT_FALSE(diagnostic.initialise());
    server.faults().setReplyLength(4, SimMatch::read(0x1B)); // too short for the block
    EXPECT_FALSE(diagnostic.initialise());
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{"Nie powiodło się odczytanie ustawień urządzenia!"}));
}

} // namespace
} // namespace vexor::test
