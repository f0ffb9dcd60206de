#include "core/maps/autocal/AutoCalFakes.h"
#include "maps/tools/LambdaBar.h"
#include "maps/tools/MainCorrEditor.h"
#include "maps/tools/NozzleSize.h"

#include <gtest/gtest.h>

namespace vexor {
namespace {

using Result = CMainCorrEditor::Result;
using Spin = CMainCorrEditor::Spin;

class MainCorrEditorTest : public ::testing::Test {
protected:
    MainCorrEditorTest() {
        device.image.m_mainCorr.m_mainCorr = {5.95, 1.0, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6};
        seams.prompt = &prompt;
    }
    test::FakeAutoCalDevice device;
    test::RecordingPrompt prompt;
    Seams seams;
};

TEST_F(MainCorrEditorTest, stepsLeavingTheRangeAreIgnoredAndTheRestWrittenToAllRows) {
    CMainCorrEditor editor(device, seams);
    EXPECT_EQ(editor.onDeltaSpin(0, -1, Spin::Coarse), Result::Ignored); // 6.05
    EXPECT_EQ(device.calls("writeMainCorr"), 0);

    EXPECT_EQ(editor.onDeltaSpin(0, -1, Spin::Fine), Result::Written); // upper arrow
    for (int row = 0; row < CMainCorrEditor::kRows; ++row)
        EXPECT_EQ(editor.fieldText(row), "5.96") << row;
    EXPECT_DOUBLE_EQ(device.image.m_mainCorr.m_mainCorr[7], 5.96);

    // The limit itself is reachable.
    editor.setFieldText(0, "5.9");
    EXPECT_EQ(editor.onDeltaSpin(0, -1, Spin::Coarse), Result::Written);
    EXPECT_EQ(editor.fieldText(0), "6.00");
}

TEST_F(MainCorrEditorTest, oneRowStepsWriteEveryFieldButNoTypedNonsense) {
    CMainCorrEditor editor(device, seams);
    editor.setChangeAll(false);
    editor.setFieldText(1, "abc");
    editor.setFieldText(2, "50");
    editor.setFieldText(3, " 2.25 ms");
    EXPECT_EQ(editor.onDeltaSpin(4, 1, Spin::Fine), Result::Written);
    const auto& corr = device.image.m_mainCorr.m_mainCorr;
    EXPECT_DOUBLE_EQ(corr[4], 1.29);
    EXPECT_DOUBLE_EQ(corr[0], 5.95);
    EXPECT_DOUBLE_EQ(corr[1], 1.0); // no number: kept
    EXPECT_DOUBLE_EQ(corr[2], 6.0); // limited
    EXPECT_DOUBLE_EQ(corr[3], 2.25);
    EXPECT_EQ(editor.fieldText(2), "6.00");
}

TEST_F(MainCorrEditorTest, rowsFollowTheCylinderCountAndControlsNeedAController) {
    device.image.m_devInfo.m_injCount = 6;
    CMainCorrEditor editor(device, seams);
    EXPECT_TRUE(editor.rowVisible(5));
    EXPECT_FALSE(editor.rowVisible(6));
    EXPECT_TRUE(editor.spinEnabled(0));
    EXPECT_FALSE(editor.spinEnabled(1)); // "change for all" is checked at first
    device.connected = false;
    EXPECT_FALSE(editor.spinEnabled(0));
    EXPECT_EQ(editor.onDeltaSpin(0, -1, Spin::Fine), Result::Ignored);
}

TEST_F(MainCorrEditorTest, aRefusedWriteAndAPortErrorAreShownWithTheirTexts) {
    CMainCorrEditor editor(device, seams);
    device.refuse["writeMainCorr"] = 1;
    device.throwAt["writeMainCorr"] = 2;
    EXPECT_EQ(editor.onDeltaSpin(0, 1, Spin::Fine), Result::Refused);
    EXPECT_EQ(editor.onDeltaSpin(0, 1, Spin::Fine), Result::PortError);
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].first, "Nie powiodło się ustawienie urządzenia!");
    EXPECT_EQ(prompt.messages[1].first.rfind("CMainCorrDlg::onDeltaSpinMainCorr()\n", 0), 0u);
}

TEST(NozzleSize, diameterFollowsPowerPerCylinderInjectionTypeAndFuel) {
    using T = InjectionType;
    EXPECT_DOUBLE_EQ(nozzleDiameterMm(100, 4, T::Sequential, false), 2.6);
    EXPECT_DOUBLE_EQ(nozzleDiameterMm(100, 4, T::FullGroup, false), 2.4);
    EXPECT_EQ(formatNozzleDiameter(nozzleDiameterMm(100, 4, T::Sequential, true)), "2.1");
    EXPECT_EQ(formatNozzleDiameter(nozzleDiameterMm(100, 4, T::FullGroup, true)), "1.9");
    // 17 HP per cylinder is the first row, 18 the second.
    EXPECT_DOUBLE_EQ(nozzleDiameterMm(71, 4, T::FullGroup, false), 1.8);
    EXPECT_DOUBLE_EQ(nozzleDiameterMm(72, 4, T::FullGroup, false), 2.1);
    // A typed 520 HP is used as typed; only the up-down keeps 30 .. 500.
    EXPECT_DOUBLE_EQ(nozzleDiameterMm(nozzlePowerFromText("520"), 8, T::Sequential, false), 4.1);
    EXPECT_EQ(steppedNozzlePower(499, 1), 500);
    EXPECT_FALSE(steppedNozzlePower(500, 1));
    EXPECT_FALSE(steppedNozzlePower(30, -1));
}

TEST(LambdaBar, segmentFollowsTheSensorTypeStaysOnTheBarAndRepaintsOnlyOnChange) {
    EXPECT_EQ(lambdaSegment(0.0, 4), 8);
    EXPECT_EQ(lambdaSegment(5.0, 4), 0);
    EXPECT_EQ(lambdaSegment(0.45, 1), 4); // 3.6
    EXPECT_EQ(lambdaSegment(5.0, 1), 8);  // 40, at most 8
    EXPECT_EQ(lambdaSegment(1.6, 6), 8);
    EXPECT_EQ(lambdaSegment(0.3, 6), 0); // below the probe's range: the leanest segment
    EXPECT_EQ(lambdaSegment(3.0, 9), 0);

    CLambdaBarModel bar(4);
    auto repaint = bar.setValue(0.0);
    ASSERT_TRUE(repaint);
    EXPECT_EQ(repaint->newSegment, 8);
    EXPECT_FALSE(bar.setValue(0.04)); // still 0.0
    repaint = bar.setValue(2.5);
    ASSERT_TRUE(repaint);
    EXPECT_EQ(repaint->oldSegment, 8);
    EXPECT_EQ(repaint->newSegment, 4);
}

} // namespace
} // namespace vexor
