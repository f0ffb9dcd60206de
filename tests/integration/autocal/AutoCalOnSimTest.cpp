#include "SimServer.h"
#include "device/LPGDevice.h"
#include "maps/autocal/AutoCalibration.h"
#include "maps/autocal/LPGDeviceLink.h"
#include "platform/PortTable.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetHtml.h"
#include "support/OnSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace vexor::test {
namespace {

using namespace std::chrono_literals;
using Outcome = CAutoCalibration::Outcome;

class RecordingPrompt : public IUserPrompt {
public:
    void message(const std::string& text, Icon) override { messages.push_back(text); }
    bool ask(const std::string&, bool defaultYes) override { return defaultYes; }
    std::vector<std::string> messages;
};

SimConfig quickSwitching() {
    SimConfig config;
    config.injectorCount = 4;
    config.gasSwitchDelay = 0ms;
    return config;
}

// The calibration on a device talking to the simulated controller. The test
// plays the polling thread (one live read per tick) and the clock of the
// waits, so a run takes the time of its exchanges and fuel switches only.
class AutoCalOnSim : public ::testing::Test {
protected:
    AutoCalOnSim() : server(quickSwitching()) {}

    void SetUp() override {
        server.start();
        vexor::test::openSimulatorPort(server, device);
        Seams seams;
        seams.prompt = &prompt;
        device.setSeams(seams);
        server.withController([](CSimController& c) {
            c.engine().setNoise(false);
            c.engine().setReducerTemperatureRaw(30); // warm on every sensor type
        });
        ASSERT_TRUE(device.readDevInfo());
        ASSERT_TRUE(device.readBase());
        ASSERT_TRUE(device.readSensorsSetup());
        ASSERT_TRUE(device.readAdvancedSetup());
        device.setConnected(true);
        originalSwitchingTime = device.settings().m_base.m_emulatorDelay;
        ASSERT_GT(originalSwitchingTime, 0.0); // or its restoring would prove nothing
        poll();
    }

    void poll() {
        CDiag record;
        ASSERT_EQ(device.readDiag(record), CLPGDevice::kDiagOk);
        device.diagData().append(record);
    }

    template <class Until> void run(Until until) {
        for (int i = 0; i < 5000 && cal.tick(); ++i) {
            if (until())
                return;
            poll();
            now += 50ms;
        }
    }

    CSimServer server;
    CLPGDevice device;
    CLPGDeviceLink link{device};
    RecordingPrompt prompt;
    std::chrono::steady_clock::time_point now{};
    CAutoCalibration cal{link,
                         [this] {
                             Seams s;
                             s.prompt = &prompt;
                             return s;
                         }(),
                         {},
                         [this] { return now; }};
    double originalSwitchingTime = 0.0;
};

TEST_F(AutoCalOnSim, aRunLeavesTheControllerWithTheDocumentsCorrectionPressureAndSwitchingTime) {
    ASSERT_TRUE(cal.start());
    run([] { return false; });
    ASSERT_EQ(cal.outcome(), Outcome::Completed)
        << (prompt.messages.empty() ? "" : prompt.messages.back());

    // The engine model injects 6 % longer on gas whatever the correction, so
    // every pass finds the same difference and the result is twice it.
    ASSERT_EQ(cal.differences().size(), 3u);
    const double d = cal.differences()[0];
    EXPECT_GT(d, 0.05);
    EXPECT_NEAR(cal.differences()[2], d, 1e-9);
    const DeviceSettings expected = device.settings();
    EXPECT_NEAR(expected.m_mainCorr.m_mainCorr[0], 1.0 + 2 * d, 0.005);
    EXPECT_EQ(expected.m_base.m_emulatorDelay, originalSwitchingTime);

    // What the controller holds now is what the document says.
    ASSERT_TRUE(device.readMainCorr());
    ASSERT_TRUE(device.readBase());
    for (double corr : device.settings().m_mainCorr.m_mainCorr)
        EXPECT_NEAR(corr, expected.m_mainCorr.m_mainCorr[0], 0.004);
    EXPECT_EQ(device.settings().m_base.m_emulatorDelay, originalSwitchingTime);
    EXPECT_EQ(device.settings().m_base.m_pressureRef, expected.m_base.m_pressureRef);
    EXPECT_EQ(device.settings().m_base.m_switchPressure, expected.m_base.m_switchPressure);
    EXPECT_GT(expected.m_base.m_pressureRef, 50);
    EXPECT_EQ(server.withController([](CSimController& c) { return c.fuelRequest(); }),
              CSimController::FuelRequest::Auto);

    // The job sheet of this controller reports the run with what it holds;
    // a sheet for another controller leaves the run out.
    SJobSheetInputs in;
    in.settings = &device.settings();
    in.calibration = device.lastAutoCalibration();
    const CJobSheet sheet = buildJobSheet(in);
    const std::string html = jobSheetHtml(sheet);
    EXPECT_NE(html.find("Zakończona"), std::string::npos);
    EXPECT_NE(html.find(jobSheetNumber(device.settings().m_mainCorr.m_mainCorr[0], 2) + " ms"),
              std::string::npos);
    EXPECT_NE(html.find(jobSheetNumber(device.settings().m_base.m_pressureRef, 0) + " kPa"),
              std::string::npos);
    DeviceSettings other = device.settings();
    other.m_devInfo.m_serial += "X";
    in.settings = &other;
    EXPECT_TRUE(buildJobSheet(in).calibration.empty());
}

TEST_F(AutoCalOnSim, aStopInTheSecondPassLeavesTheControllerOnPetrolWithItsSwitchingTime) {
    ASSERT_TRUE(cal.start());
    run([this] { return cal.differences().size() == 1; });
    ASSERT_TRUE(cal.isActive());
    cal.stop();
    cal.tick();
    EXPECT_EQ(cal.outcome(), Outcome::Stopped);
    EXPECT_EQ(server.withController([](CSimController& c) { return c.fuelRequest(); }),
              CSimController::FuelRequest::Petrol);
    ASSERT_TRUE(device.readBase());
    EXPECT_EQ(device.settings().m_base.m_emulatorDelay, originalSwitchingTime);
    EXPECT_EQ(prompt.messages.size(), 1u); // the idle advice only
}

} // namespace
} // namespace vexor::test
