#include "MapsOnSim.h"

#include "device/Conversions.h"
#include "maps/CalibrationPageCore.h"
#include "maps/MapMessages.h"

namespace vexor::test {
namespace {

class CalibrationPageOnSim : public MapsOnSim {
protected:
    void SetUp() override {
        MapsOnSim::SetUp();
        ASSERT_TRUE(device.readAdvancedSetup());
        ASSERT_TRUE(device.readSetupTimes());
    }
    // `count` samples of `ms` into bin `bin` of the petrol or gas map.
    void samples(bool gas, int bin, double ms, int count = 20) {
        sim([&](CSimController& c) {
            for (int i = 0; i < count; ++i)
                c.engine().addLoadSample(gas, bin, ms);
        });
    }
    std::vector<uint8_t> setupTimesBlock() {
        return sim([](CSimController& c) { return c.block(7); });
    }
    int setupTimesWrites() {
        return sim([](CSimController& c) { return c.blockWriteCount(7); });
    }

    CCalibrationPageCore page{device};
};

TEST_F(CalibrationPageOnSim, readingTheMapsFillsColumnsCloudsAndFillLevels) {
    samples(false, 5, 3.0, 15000);
    samples(true, 5, 3.3, 100);
    ASSERT_TRUE(page.readMaps());
    EXPECT_EQ(page.petrolFillText(), "50 %");
    EXPECT_EQ(page.gasFillText(), "0 %");
    const int column = *loadMapBinColumn(5, device.settings().m_advancedSetup.m_advancedFlags,
                                         device.settings().m_advancedSetup.m_advancedFlags2);
    EXPECT_EQ(page.columns().petrol(column).count(), kBinRepeat);
    EXPECT_DOUBLE_EQ(page.columns().gas(column).mean(), 3.3);
    EXPECT_EQ(page.chart().cloud().size(), 2u * kBinRepeat);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(CalibrationPageOnSim, aFailedMapReadShowsItsMessageAndKeepsTheChart) {
    samples(false, 5, 3.0);
    ASSERT_TRUE(page.readMaps());
    server.faults().setReplyLength(187, SimMatch::read(0x1F));
    EXPECT_FALSE(page.readMaps());
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{kMsgMapsRead}));
    EXPECT_EQ(page.chart().cloud().size(), static_cast<std::size_t>(kBinRepeat));
}

TEST_F(CalibrationPageOnSim, computingTheLineAddsTheGasExcessToEveryPointAndWritesIt) {
    // One pressure column, petrol 4.0 ms and gas 4.4 ms: +10 % in band 4,
    // spread over the whole line.
    samples(false, 6, 4.0);
    samples(true, 6, 4.4);
    device.settings().m_setupTimes1[0] = 45;
    device.settings().m_setupTimes2[3] = 7;
    device.settings().m_tableMask = 5;
    ASSERT_TRUE(page.readMaps());
    ASSERT_TRUE(page.computeLine());
    const auto block = setupTimesBlock();
    EXPECT_EQ(block[0], 150); // 45 + 10 limited to 50
    for (int k = 1; k < 20; ++k)
        EXPECT_EQ(block[k], 110) << k;
    EXPECT_EQ(block[20 + 3], 107);
    EXPECT_EQ(block[40], 0);
    EXPECT_DOUBLE_EQ(page.chart().factor(5), 1.1);

    // A running calibration blocks it.
    page.setCalibrationRunning(true);
    EXPECT_FALSE(page.computeLine());
    EXPECT_EQ(setupTimesWrites(), 1);
}

TEST_F(CalibrationPageOnSim, aLeanGasMixtureCollectedWhileDrivingComesOutAsItsExcess) {
    sim([](CSimController& c) {
        c.engine().setNoise(false);
        c.engine().setLoadSweep(true);
        c.engine().setGasLeanFactor(1.06);
        c.forceFuel(false);
    });
    for (int i = 0; i < 40; ++i)
        advance(std::chrono::seconds(1));
    sim([](CSimController& c) { c.forceFuel(true); });
    for (int i = 0; i < 40; ++i)
        advance(std::chrono::seconds(1));
    ASSERT_TRUE(page.readMaps());
    ASSERT_TRUE(page.computeLine());
    const auto& line = device.settings().m_setupTimes1;
    int measured = 0;
    for (double point : line) {
        EXPECT_GE(point, 5);
        EXPECT_LE(point, 7);
        measured += point != 0 ? 1 : 0;
    }
    EXPECT_EQ(measured, 20);
}

TEST_F(CalibrationPageOnSim, clearingTheLineZeroesBothRowsAndAWriteFailureIsReported) {
    device.settings().m_setupTimes1.fill(9);
    device.settings().m_setupTimes2.fill(4);
    ASSERT_TRUE(page.clearLine());
    const auto block = setupTimesBlock();
    for (int k = 0; k < 40; ++k)
        EXPECT_EQ(block[k], 100) << k;

    server.faults().setAckResult(0, SimMatch::cmd(7));
    EXPECT_FALSE(page.clearLine());
    EXPECT_FALSE(page.onIncrementAll(true));
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{kMsgSetDevice, kMsgLineWrite}));
    // The document keeps what it was given.
    EXPECT_EQ(device.settings().m_setupTimes1[0], 1);
}

TEST_F(CalibrationPageOnSim, chartEditsWriteOnlyWhatChanged) {
    page.reloadChart();
    auto& chart = page.chart();
    chart.key(CMultiplierChart::Key::Right);
    EXPECT_TRUE(page.handleChartAction(chart.key(CMultiplierChart::Key::Up)));
    EXPECT_EQ(device.settings().m_setupTimes1[1], 1);
    EXPECT_EQ(setupTimesBlock()[1], 101);
    // Down at the lower limit changes nothing and writes nothing.
    device.settings().m_setupTimes1[1] = -50;
    page.reloadChart();
    EXPECT_FALSE(page.handleChartAction(chart.key(CMultiplierChart::Key::Down)));
    EXPECT_EQ(setupTimesWrites(), 1);
    // Dragged to the top: +50.
    chart.setSize(600, 400);
    chart.press(chart.xOfTime(2), chart.yOfFactor(0.5));
    ASSERT_TRUE(chart.dragging());
    EXPECT_EQ(chart.selected(), 1);
    chart.drag(0, 0);
    EXPECT_TRUE(page.handleChartAction(chart.release()));
    EXPECT_EQ(setupTimesBlock()[1], 150);
    EXPECT_TRUE(page.handleChartAction(chart.key(CMultiplierChart::Key::PageDown)));
    EXPECT_EQ(setupTimesBlock()[1], 149);
    EXPECT_DOUBLE_EQ(chart.factor(1), 1.49);
}

TEST_F(CalibrationPageOnSim, clearingAMapReadsTheMapsAgainUnlessLocked) {
    samples(false, 5, 3.0);
    samples(true, 5, 3.0);
    page.setPetrolClearLocked(true);
    EXPECT_FALSE(page.clearPetrolMap());
    EXPECT_EQ(count(SimMatch::read(0x1C)), 0u);
    ASSERT_TRUE(page.clearGasMap());
    EXPECT_EQ(count(SimMatch::read(0x1D)), 1u);
    EXPECT_EQ(page.gasMap().total, 0);
    EXPECT_EQ(page.petrolMap().total, 20);
    page.setPetrolClearLocked(false);
    server.faults().setAckResult(0, SimMatch::read(0x1C));
    EXPECT_FALSE(page.clearPetrolMap());
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{kMsgSetDevice}));
}

TEST_F(CalibrationPageOnSim, liveRefreshShowsInjectorZeroAndRereadsTheMapsEveryFiftyTimes) {
    EXPECT_FALSE(page.liveRefresh().has_value());
    CDiag record;
    record.setPetrolWord(0, 100);        // 2.50 ms
    record.setPetrolWord(1, 120);        // 3.00 ms, the longer one
    record.setGasCorrWord(1, 65535 - 8); // -0.20 ms
    record.setByte(CDiag::OffManifold, 0);
    device.diagData().append(record);
    const std::size_t reads = count(SimMatch::read(0x1E));
    for (int i = 1; i < CCalibrationPageCore::kRefreshCount; ++i) {
        const auto live = page.liveRefresh();
        ASSERT_TRUE(live.has_value());
        EXPECT_FALSE(live->mapsRead);
    }
    const auto live = page.liveRefresh();
    EXPECT_TRUE(live->mapsRead);
    EXPECT_EQ(count(SimMatch::read(0x1E)), reads + 1);
    EXPECT_EQ(live->petrolText, "3.00 [ms]");
    EXPECT_EQ(live->gasText, "2.80 [ms]");
    const double manifold = manifoldFromRaw(0, device.settings().m_advancedSetup.m_advancedFlags,
                                            device.settings().m_advancedSetup.m_advancedFlags2);
    EXPECT_DOUBLE_EQ(live->manifoldKpa, std::max(0.0, manifold));
    EXPECT_EQ(page.chart().liveMarker()->at(0), 3.0);
    EXPECT_EQ(page.refreshCounter(), CCalibrationPageCore::kRefreshCount);
}

} // namespace
} // namespace vexor::test
