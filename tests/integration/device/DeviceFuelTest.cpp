#include "DeviceOnSim.h"

#include <chrono>

namespace vexor::test {
namespace {

using namespace std::chrono_literals;

class DeviceFuel : public DeviceOnSim {
protected:
    void onGasWithPetrolDelay(std::chrono::milliseconds delay) {
        sim([delay](CSimController& c) {
            c.forceFuel(true);
            c.setPetrolSwitchDelay(delay);
        });
    }
    std::vector<int> selectors() {
        std::vector<int> out;
        for (const SimRequest& r : server.requestLog().requests())
            out.push_back(r.selector);
        return out;
    }
};

TEST_F(DeviceFuel, autoSwitchesToPetrolFirstAndAnyAcknowledgeCounts) {
    server.faults().setAckResult(0, SimMatch::read(3));
    EXPECT_TRUE(device.switchToAuto());
    EXPECT_EQ(selectors(), (std::vector<int>{2, 3}));
}

TEST_F(DeviceFuel, restartWaitsUntilThePetrolIsReportedThenRestarts) {
    onGasWithPetrolDelay(300ms);
    device.settings().m_devInfo.m_injCount = 4;
    device.settings().m_base.m_emulatorDelay = 0.5;
    ASSERT_TRUE(device.restart());
    EXPECT_EQ(sim([](CSimController& c) { return c.restartCount(); }), 1);
    EXPECT_GE(count(SimMatch::read(6)), 2u);
    EXPECT_EQ(recorder.pumps, static_cast<int>(count(SimMatch::read(6))));
    EXPECT_EQ(selectors().back(), 0x0A);
}

TEST_F(DeviceFuel, petrolWaitEndsWithinItsBoundWhenPetrolNeverComes) {
    onGasWithPetrolDelay(1h);
    // No injector count read yet: the wait falls back to its floor of polls.
    device.setMinPetrolPolls(5);
    EXPECT_FALSE(device.restart());
    EXPECT_EQ(count(SimMatch::read(6)), 5u);
    EXPECT_EQ(count(SimMatch::read(0x0A)), 0u);

    // Above the floor the budget is injectors x switching time in 56 ms polls.
    server.requestLog().clear();
    device.settings().m_devInfo.m_injCount = 4;
    device.settings().m_base.m_emulatorDelay = 0.2; // 800 / 56 -> 14, so 13 polls
    EXPECT_FALSE(device.waitForGasoline());
    EXPECT_EQ(count(SimMatch::read(6)), 13u);
}

TEST_F(DeviceFuel, liveReadsDeliverCutToTheRecordOrReportWhatWentWrong) {
    CDiag record;
    record.setSample(41);
    server.faults().setReplyLength(100, SimMatch::read(6), 1);
    ASSERT_EQ(device.readDiag(record), CLPGDevice::kDiagOk);
    EXPECT_EQ(record.sample(), 41);
    EXPECT_EQ(record.workMode(), 2);
    EXPECT_GT(record.ignitionPeriod(), 0);

    server.faults().setReplyLength(16, SimMatch::read(6), 1);
    ASSERT_EQ(device.readDiag(record), CLPGDevice::kDiagOk);
    EXPECT_EQ(record.ignitionPeriod(), 0);

    server.faults().setWrongCommand(2, SimMatch::read(6), 1);
    EXPECT_EQ(device.readDiag(record), CLPGDevice::kDiagWrongReply);
    server.faults().setSplitReply(10, 1600ms, SimMatch::read(6), 1);
    EXPECT_EQ(device.readDiag(record), CLPGDevice::kDiagFailed);
    EXPECT_EQ(count(SimMatch::read(6)), 4u);
}

TEST_F(DeviceFuel, faultBytesAndTheInjectorMaskTravelAsTheyAre) {
    sim([](CSimController& c) { c.setErrorBytes({0x01, 0x80, 0x00, 0x04}); });
    CLPGDeviceErr::ErrorBytes bytes{};
    ASSERT_TRUE(device.readErrors(bytes));
    EXPECT_EQ(bytes, (CLPGDeviceErr::ErrorBytes{0x01, 0x80, 0x00, 0x04}));
    ASSERT_TRUE(device.setInjectorMask(0x2D));
    EXPECT_EQ(sim([](CSimController& c) { return c.injectorMask(); }), 0x2D);
}

} // namespace
} // namespace vexor::test
