#include "maps/CalibrationPageCore.h"
#include "maps/MapEditor.h"
#include "maps/MapMessages.h"

#include "device/LPGDevice.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

namespace vexor {
namespace {

class Recorder : public IUserPrompt, public IBusyCursor {
public:
    void message(const std::string& text, Icon icon) override {
        messages.push_back(text);
        icons.push_back(icon);
    }
    bool ask(const std::string&, bool defaultYes) override { return defaultYes; }
    void begin() override { ++cursorDepth; }
    void end() override { --cursorDepth; }

    std::vector<std::string> messages;
    std::vector<Icon> icons;
    int cursorDepth = 0;
};

class MapsWithoutController : public ::testing::Test {
protected:
    void SetUp() override {
        Seams seams;
        seams.prompt = &recorder;
        seams.cursor = &recorder;
        device.setSeams(seams);
        model.selection().setSelected({2, 2}, true);
    }
    bool startsWith(const std::string& text, const char* prefix) {
        return text.rfind(std::string(prefix) + "\n", 0) == 0;
    }

    test::FakeSerialPort port;
    CLPGDevice device{&port};
    Recorder recorder;
    CInjMapModel model;
    CMapEditor editor{model, device};
    CCalibrationPageCore page{device};
};

TEST_F(MapsWithoutController, editsAreRefusedAndLeaveNothingWhenNothingIsConnected) {
    model.clearAll();
    EXPECT_EQ(editor.onMapSet(30), CMapEditor::Result::Refused);
    EXPECT_EQ(editor.commitCellEdit({2, 2}, "12"), CMapEditor::Result::Refused);
    EXPECT_EQ(editor.paste("5\t6\n"), CMapEditor::Result::Refused);
    EXPECT_EQ(model.cellValue({2, 2}), 0);
    EXPECT_FALSE(model.modified());
    EXPECT_FALSE(editor.canUndo());
    EXPECT_EQ(device.settings().m_injMapTable[2][2], 0);
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(recorder.messages, std::vector<std::string>(3, kMsgNoConnection));
    recorder.messages.clear();

    model.selection().clear();
    model.setModified(false);
    EXPECT_EQ(editor.onMapClear(), CMapEditor::Result::NothingSelected);
    EXPECT_FALSE(model.modified());

    EXPECT_FALSE(page.buttonsEnabled());
    EXPECT_FALSE(page.readMaps());
    EXPECT_FALSE(page.computeLine());
    EXPECT_FALSE(page.liveRefresh().has_value());
    EXPECT_TRUE(port.written.empty());
}

TEST_F(MapsWithoutController, aPortErrorIsReportedUnderTheCommandsNameAndTheDocumentStays) {
    device.setConnected(true);
    port.throwOnRead = 0;
    model.clearAll();
    EXPECT_EQ(editor.onMapAdd(7), CMapEditor::Result::Failed);
    // Back to the last map the controller accepted; no read-back through a
    // failing port.
    EXPECT_EQ(model.cellValue({2, 2}), 0);
    EXPECT_EQ(device.settings().m_injMapTable[2][2], 0);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(startsWith(recorder.messages[0], kHandlerMapAdd)) << recorder.messages[0];
    EXPECT_GT(recorder.messages[0].size(), std::string(kHandlerMapAdd).size() + 1);
    EXPECT_EQ(recorder.icons[0], IUserPrompt::Icon::Error);

    port.throwOnRead = port.readCalls;
    EXPECT_FALSE(page.readMaps());
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_TRUE(startsWith(recorder.messages[1], kHandlerReadMaps));
    EXPECT_EQ(recorder.cursorDepth, 0);

    port.throwOnRead = port.readCalls;
    EXPECT_FALSE(page.onCorrChanged(3, 1.2));
    ASSERT_EQ(recorder.messages.size(), 3u);
    EXPECT_TRUE(startsWith(recorder.messages[2], kHandlerCorrChanged));
    EXPECT_EQ(recorder.cursorDepth, 0);
}

} // namespace
} // namespace vexor
