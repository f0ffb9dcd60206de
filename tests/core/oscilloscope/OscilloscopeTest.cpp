#include "core/files/TempFolder.h"
#include "device/Conversions.h"
#include "device/LPGDevice.h"
#include "diag/OscChannels.h"
#include "diag/Recording.h"
#include "diag/RecordingLoader.h"
#include "live/DiagFile.h"
#include "oscilloscope/OscilloscopeModel.h"

#include <gtest/gtest.h>

using namespace vexor;

namespace {

CDiag recordAtPeriod(std::uint16_t period) {
    CDiag d;
    d.setIgnitionPeriod(period);
    return d;
}

// 24 fields with the given speed, cylinder 1 times and lambda 1; the rest 0.
std::string line(double rpm, double petrol, double gas, double lambda1) {
    OscLine f{};
    f[0] = 3;
    f[1] = rpm;
    f[2] = petrol;
    f[3] = gas;
    f[4] = 99; // cylinder 2: not shown
    f[22] = lambda1;
    std::string text;
    for (double v : f)
        text += std::to_string(v) + "\t";
    text.back() = '\n';
    return text;
}

} // namespace

TEST(OscChannels, liveSamplesArePercentOfFullScaleFromInjectorChannelZero) {
    CDiag d = recordAtPeriod(4800000 / 8000);
    d.setPetrolWord(0, 400); // 10 ms
    d.setGasCorrWord(0, 40); // +1 ms
    d.setPetrolWord(1, 800); // longer, yet not the oscilloscope's channel
    d.setByte(CDiag::OffLambda2, 255);
    const OscSample s = oscSampleFromRecord(d, SRecordUnits{});
    EXPECT_NEAR(s[0], 80.0, 0.01);
    EXPECT_FLOAT_EQ(s[1], 25.0f);
    EXPECT_FLOAT_EQ(s[2], 27.5f);
    EXPECT_NEAR(s[8], voltFromRaw(255) / 5.0 * 100.0, 1e-4);

    const OscSample fast = oscSampleFromRecord(recordAtPeriod(400), SRecordUnits{});
    EXPECT_NEAR(fast[0], 120.0, 0.01); // 12 000 rpm: the chart clamps it
    COscilloscopeModel osc;
    osc.addSample(fast);
    EXPECT_EQ(osc.chart().series(0)->points.begin()->second, 100.0f);
}

TEST(OscChannels, scaleLabelsFollowTheChosenUnit) {
    EXPECT_EQ(oscScaleLabels(OscScaleV).front(), "0.0");
    EXPECT_EQ(oscScaleLabels(OscScaleV)[1], "0.5");
    EXPECT_EQ(oscScaleLabels(OscScaleV).back(), "5.0");
    EXPECT_EQ(oscScaleLabels(OscScaleRpm).back(), "10000");
    EXPECT_EQ(oscScaleLabels(OscScaleMs)[3], "12");
    EXPECT_EQ(oscScaleLabels(OscScaleKpa).back(), "250");
    EXPECT_EQ(oscScaleLabels(OscScaleC)[10], "100");

    COscilloscopeModel osc;
    osc.updatePage();
    ASSERT_EQ(osc.scale().items().size(), 5u);
    EXPECT_EQ(osc.scale().selected(), 0);
    EXPECT_EQ(osc.scaleLabels().back(), "10000");
    osc.selectScale(4); // "V"
    EXPECT_EQ(osc.scaleLabels()[10], "5.0");
    osc.updatePage(); // keeps the choice
    EXPECT_EQ(osc.scale().selected(), 4);
}

TEST(Oscilloscope, liveTracesNeedAConnectionARunAndTwoRecords) {
    CLPGDevice device;
    COscilloscopeModel osc;
    device.setConnected(true);
    device.diagData().append(recordAtPeriod(4800000 / 1000));
    EXPECT_FALSE(osc.refreshLive(device)); // paused
    osc.run();
    EXPECT_FALSE(osc.refreshLive(device)); // one record only
    device.diagData().append(recordAtPeriod(4800000 / 2000));
    device.diagData().append(recordAtPeriod(4800000 / 3000));
    ASSERT_TRUE(osc.refreshLive(device));
    // The second-newest record: 2000 rpm.
    EXPECT_NEAR(osc.chart().series(0)->points.at(0.0f), 20.0, 0.01);
    EXPECT_EQ(osc.nextX(), 5.0f);
    // A lost link leaves a gap: time goes on, no line is drawn across it.
    device.setConnected(false);
    EXPECT_TRUE(osc.refreshLive(device));
    EXPECT_EQ(osc.nextX(), 10.0f);

    osc.run(); // starts over
    EXPECT_EQ(osc.nextX(), 0.0f);
    EXPECT_TRUE(osc.chart().series(0)->points.empty());
    osc.setChannelVisible(3, false);
    EXPECT_FALSE(osc.channelVisible(3));
    EXPECT_TRUE(osc.channelVisible(4));
}

TEST(Oscilloscope, aFileIsShownFromZeroUpToItsFirstMissingNumber) {
    CTempFolder folder;
    const std::string path = folder.file("run.osc");
    std::string truncated = line(1000, 1, 1, 0);
    truncated.resize(truncated.size() / 2);
    writeWholeFile(path,
                   line(9000, 10, 20, 2.5) + line(12000, 2, 3, 0) + line(0, 0, 0, 5) + truncated);

    COscilloscopeModel osc;
    osc.run();
    osc.addSample(OscSample{}); // live samples had got somewhere
    osc.addSample(OscSample{});
    EXPECT_EQ(osc.showFile(path), 3);
    const auto& rpm = osc.chart().series(0)->points;
    ASSERT_EQ(rpm.size(), 3u);
    EXPECT_FLOAT_EQ(rpm.at(0.0f), 90.0f);
    EXPECT_FLOAT_EQ(rpm.at(5.0f), 100.0f);
    EXPECT_FLOAT_EQ(rpm.at(10.0f), 0.0f);
    EXPECT_FLOAT_EQ(osc.chart().series(1)->points.at(0.0f), 25.0f);
    EXPECT_FLOAT_EQ(osc.chart().series(2)->points.at(0.0f), 50.0f);
    EXPECT_FLOAT_EQ(osc.chart().series(7)->points.at(0.0f), 50.0f);
    EXPECT_EQ(osc.nextX(), 15.0f);

    // Damage stops reading; a missing file shows nothing.
    writeWholeFile(path, line(1000, 1, 1, 0) + "1 2 nan 4\n" + line(2000, 1, 1, 0));
    EXPECT_EQ(osc.showFile(path), 1);
    EXPECT_EQ(osc.showFile(folder.file("none.osc")), 0);
    EXPECT_TRUE(osc.chart().series(0)->points.empty());
}

TEST(Oscilloscope, theRecordingWritersLinesReadBackFieldByField) {
    CDiag d = recordAtPeriod(4800000 / 2400);
    d.setPetrolWord(0, 100);
    d.setGasCorrWord(0, 4);
    d.setByte(CDiag::OffLambda1, 102);
    CTempFolder folder;
    const std::string path = folder.file("w.osc");
    writeWholeFile(path, recordLine(d, SRecordUnits{}) + "\n" + recordLine(d, SRecordUnits{}));
    CRecording recording;
    EXPECT_EQ(loadRecording(path, recording).status, SRecordingLoad::Status::Complete);
    ASSERT_EQ(recording.size(), 2u);
    EXPECT_EQ(recording.value(0, 0), 2400.0f);
    EXPECT_EQ(recording.value(0, 1), 2.5f);
    EXPECT_EQ(recording.value(0, 2), 2.6f);
}
