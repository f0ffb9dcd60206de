#include "doc/KorvantisDoc.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

namespace {

class Recorder : public IUserPrompt, public IFileChooser {
public:
    void message(const std::string& text, Icon icon) override {
        messages.push_back(text);
        icons.push_back(icon);
    }
    bool ask(const std::string&, bool) override { return true; }
    std::string openPath(const std::string&, const std::string&) override { return path; }
    std::string savePath(const std::string&, const std::string&, const std::string&) override {
        return path;
    }
    std::vector<std::string> messages;
    std::vector<Icon> icons;
    std::string path;
};

} // namespace

TEST(DocumentActions, aPortErrorEscapingAnActionIsReportedUnderTheActionsHandlerName) {
    vexor::test::FakeSerialPort port;
    port.throwOnRead = 0;
    CKorvantisDoc doc(&port);
    Recorder recorder;
    Seams seams;
    seams.prompt = &recorder;
    seams.chooser = &recorder;
    doc.setSeams(seams);

    EXPECT_EQ(doc.OnDefaultValues(), DocResult::PortError);
    ASSERT_EQ(recorder.messages.size(), 1u);
    const std::string prefix = std::string(CKorvantisDoc::kHandlerDefaults) + "\n";
    EXPECT_EQ(recorder.messages[0].substr(0, prefix.size()), prefix);
    EXPECT_GT(recorder.messages[0].size(), prefix.size());
    EXPECT_EQ(recorder.icons[0], IUserPrompt::Icon::Error);
}
