#include "DocOnSim.h"

#include "settings/LoadPreview.h"

using namespace vexor;
using namespace vexor::test;

namespace {

std::vector<std::string> keysOf(const std::vector<LoadChange>& changes) {
    std::vector<std::string> keys;
    for (const LoadChange& c : changes)
        keys.push_back(c.info->key);
    return keys;
}

} // namespace

// The comparison before a load lists what the load would change in the pages'
// words, and writing only the ticked rows sends only their blocks, with the
// load's petrol wait and restart around them.
TEST_F(DocOnSim, onlyTheTickedSettingsOfAFileReachTheController) {
    connectOrFail();
    const DeviceSettings controller = doc->settings();
    DeviceSettings file = controller;
    file.m_base.m_switchRPM = 2500;
    file.m_sensorsSetup.m_lambdaType = 2;
    file.m_injMapTable[4][6] = 9;
    file.m_carInfo.m_vendor = "Opel"; // a load never applies the vehicle description
    file.m_advancedSetup.m_advancedFlags ^= kAdvFlagInspection; // kept from the controller

    const auto changes = loadChanges(controller, file);
    ASSERT_EQ(keysOf(changes),
              (std::vector<std::string>{"m_base.m_switchRPM", "m_sensorsSetup.m_lambdaType",
                                        "m_injMapTable[6][4000]"}));
    EXPECT_EQ(changes[0].file, "2500");
    EXPECT_EQ(changes[1].controller, "0 - 1 Volt");
    EXPECT_EQ(changes[1].file, "0 - 5 Volt");
    EXPECT_EQ(changes[1].info->page, SettingPage::Gasoline);

    const std::vector<std::string> ticked = {"m_base.m_switchRPM", "m_injMapTable[6][4000]"};
    doc->settings() = withTickedKeys(controller, file, ticked);
    ASSERT_TRUE(writeSettingBlocks(*doc, blocksOf(ticked)));

    EXPECT_EQ(count(SimMatch::cmd(3)), 1u);
    EXPECT_EQ(count(SimMatch::cmd(9)), 0u);
    EXPECT_EQ(count(SimMatch::cmd(4)) + count(SimMatch::cmd(26)) + count(SimMatch::cmd(15)) +
                  count(SimMatch::cmd(7)),
              0u);
    EXPECT_GE(count(SimMatch::read(2)), 1u);    // petrol first
    EXPECT_EQ(count(SimMatch::read(0x0A)), 1u); // restart last
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(4, 6); }), 9);

    // Read back, the controller holds the ticked values and kept the others.
    server.requestLog().clear();
    ASSERT_TRUE(doc->readAll());
    EXPECT_EQ(doc->settings().m_base.m_switchRPM, 2500);
    EXPECT_EQ(doc->settings().m_sensorsSetup.m_lambdaType, controller.m_sensorsSetup.m_lambdaType);
    EXPECT_TRUE(loadChanges(doc->settings(), withTickedKeys(controller, file, ticked)).empty());

    // Nothing ticked sends nothing.
    server.requestLog().clear();
    EXPECT_TRUE(writeSettingBlocks(*doc, blocksOf({})));
    EXPECT_EQ(server.requestLog().size(), 0u);
}
