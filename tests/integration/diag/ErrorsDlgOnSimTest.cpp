#include "diag/ErrorsDlgModel.h"
#include "integration/device/DeviceOnSim.h"

namespace vexor::test {
namespace {

class IconPrompt : public IUserPrompt {
public:
    void message(const std::string& text, Icon icon) override {
        messages.push_back(text);
        icons.push_back(icon);
    }
    bool ask(const std::string&, bool defaultYes) override { return defaultYes; }
    std::vector<std::string> messages;
    std::vector<Icon> icons;
};

class ErrorsDlgOnSim : public DeviceOnSim {
protected:
    void SetUp() override {
        DeviceOnSim::SetUp();
        Seams seams;
        seams.prompt = &prompt;
        device.setSeams(seams);
        device.setConnected(true);
        device.setMinPetrolPolls(5);
        device.buildErrorDecoders();
    }

    IconPrompt prompt;
    std::vector<bool> indicator;
    CErrorsDlgModel dialog{device, [this](bool faults) { indicator.push_back(faults); }};
};

TEST_F(ErrorsDlgOnSim, theFaultsAreDescribedAndTheIndicatorToldWhetherThereAreAny) {
    device.settings().m_base.m_flags = 0x94;
    dialog.init();
    EXPECT_TRUE(dialog.text().empty());
    EXPECT_TRUE(dialog.continuousSignal());
    EXPECT_EQ(indicator, std::vector<bool>{false});

    sim([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
    device.settings().m_base.m_flags = 0x90;
    dialog.init();
    EXPECT_EQ(dialog.text(), device.describeErrors({0, 0x01, 0, 0}));
    EXPECT_FALSE(dialog.text().empty());
    EXPECT_FALSE(dialog.continuousSignal());
    EXPECT_EQ(indicator, (std::vector<bool>{false, true}));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ErrorsDlgOnSim, anUnreadableFaultListIsAPlainMessageAndTheBoxStillShowsTheSetting) {
    device.settings().m_base.m_flags = 0x94;
    server.faults().setReplyLength(2, SimMatch::read(5));
    dialog.init();
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Nie można wczytać błędów urządzenia"}));
    EXPECT_EQ(prompt.icons[0], IUserPrompt::Icon::Information);
    EXPECT_TRUE(dialog.text().empty());
    EXPECT_TRUE(dialog.continuousSignal());
    EXPECT_TRUE(indicator.empty());
}

// After a clear the dialog shows what the controller holds then, not the
// faults it has just forgotten; a refused clear leaves the text alone.
TEST_F(ErrorsDlgOnSim, clearingRestartsTheControllerAndShowsTheFaultsReadAgain) {
    sim([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
    dialog.init();
    EXPECT_FALSE(dialog.shownText().empty());
    // The box starts with the first fault.
    EXPECT_NE(dialog.shownText().front(), '\n');
    EXPECT_NE(dialog.shownText().front(), '\r');
    dialog.clear();
    EXPECT_EQ(sim([](CSimController& c) { return c.restartCount(); }), 1);
    EXPECT_EQ(count(SimMatch::read(5)), 2u);
    EXPECT_TRUE(dialog.text().empty());
    EXPECT_EQ(dialog.shownText(), CErrorsDlgModel::kMsgNoFaults);
    EXPECT_EQ(indicator, (std::vector<bool>{true, false}));
    EXPECT_TRUE(prompt.messages.empty());

    sim([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
    dialog.init();
    const std::string before = dialog.shownText();
    server.faults().setAckResult(0, SimMatch::read(0x0A));
    dialog.clear();
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Nie można skasować błędów urządzenia"}));
    EXPECT_EQ(prompt.icons[0], IUserPrompt::Icon::Information);
    EXPECT_EQ(dialog.shownText(), before);
}

TEST_F(ErrorsDlgOnSim, aFailedReadAfterTheClearEmptiesTheTextAndSaysSo) {
    sim([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
    dialog.init();
    server.faults().setReplyLength(2, SimMatch::read(5));
    dialog.clear();
    EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Nie można wczytać błędów urządzenia"}));
    EXPECT_TRUE(dialog.shownText().empty());
}

TEST_F(ErrorsDlgOnSim, theSignalBoxWritesTheBaseBlockOnlyWhileConnected) {
    device.settings().m_base.m_flags = 0x90;
    device.setConnected(false);
    dialog.setContinuousSignal(true);
    EXPECT_TRUE(dialog.continuousSignal());
    EXPECT_EQ(device.settings().m_base.m_flags, 0x90);
    EXPECT_EQ(count(SimMatch::cmd(3)), 0u);

    device.setConnected(true);
    dialog.setContinuousSignal(true);
    EXPECT_EQ(device.settings().m_base.m_flags, 0x94);
    EXPECT_EQ(count(SimMatch::cmd(3)), 1u);
    dialog.setContinuousSignal(false);
    EXPECT_EQ(device.settings().m_base.m_flags, 0x90);
    EXPECT_TRUE(prompt.messages.empty());

    // A refused write leaves the box ticked and the image changed.
    server.faults().setAckResult(0, SimMatch::cmd(3));
    dialog.setContinuousSignal(true);
    EXPECT_TRUE(dialog.continuousSignal());
    EXPECT_EQ(device.settings().m_base.m_flags, 0x94);
    EXPECT_EQ(prompt.messages,
              (std::vector<std::string>{"Nie powiodło się wpisanie ustawień do urządzenia!"}));
    EXPECT_EQ(prompt.icons[0], IUserPrompt::Icon::Error);
}

} // namespace
} // namespace vexor::test
