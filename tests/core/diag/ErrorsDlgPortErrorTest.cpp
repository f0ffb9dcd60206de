#include "device/LPGDevice.h"
#include "diag/ErrorsDlgModel.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

namespace {

class Recorder : public IUserPrompt {
public:
    void message(const std::string& text, Icon) override { messages.push_back(text); }
    bool ask(const std::string&, bool defaultYes) override { return defaultYes; }
    std::vector<std::string> messages;
};

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

TEST(ErrorsDlgPortError, eachHandlerReportsAPortErrorUnderItsOwnName) {
    vexor::test::FakeSerialPort port;
    CLPGDevice device(&port);
    Recorder recorder;
    Seams seams;
    seams.prompt = &recorder;
    device.setSeams(seams);
    device.setConnected(true);
    CErrorsDlgModel dialog(device);

    port.throwOnRead = port.readCalls;
    dialog.init();
    port.throwOnRead = port.readCalls;
    dialog.clear();
    port.throwOnRead = port.readCalls;
    dialog.setContinuousSignal(true);

    ASSERT_EQ(recorder.messages.size(), 3u);
    EXPECT_TRUE(startsWith(recorder.messages[0], "CErrorsDlg::OnInitDialog()\n"));
    EXPECT_TRUE(startsWith(recorder.messages[1], "CErrorsDlg::OnBtnClear()\n"));
    EXPECT_TRUE(startsWith(recorder.messages[2], "CErrorsDlg::OnChkBuzerSignalContinious()\n"));
    EXPECT_TRUE(dialog.text().empty());
}
