#include "DocOnSim.h"

#include <fstream>
#include <sstream>

using namespace vexor::test;
using vexor::SettingBlock;

namespace {

constexpr std::uint8_t kBaseSelector = 7;
constexpr std::uint8_t kAdvancedSetupSelector = 34;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace

using ImageRead = DocOnSim;

TEST_F(ImageRead, unreadBlockKeepsTheUsersFileAndARereadMakesTheImageWhole) {
    const std::string path = folder.file("car.xset");
    { std::ofstream(path) << "the fitter's own file\n"; }

    server.faults().setBadChecksum(SimMatch::read(kBaseSelector));
    ASSERT_TRUE(doc->connect());
    EXPECT_TRUE(doc->isConnected());
    EXPECT_FALSE(doc->imageComplete());
    EXPECT_FALSE(doc->blockRead(SettingBlock::Base));
    EXPECT_TRUE(doc->blockRead(SettingBlock::DevInfo));
    EXPECT_TRUE(doc->blockRead(SettingBlock::Map));
    ASSERT_EQ(doc->readBlocks().missing(), std::vector<SettingBlock>{SettingBlock::Base});
    seams.takeMessages();

    seams.path = path;
    EXPECT_EQ(doc->OnFileWriteSettings(), DocResult::Failed);
    EXPECT_EQ(seams.takeMessages(), std::vector<std::string>{CKorvantisDoc::kMsgSaveIncomplete});
    EXPECT_EQ(contents(path), "the fitter's own file\n");

    server.faults().clear();
    EXPECT_TRUE(doc->rereadImage());
    EXPECT_TRUE(doc->imageComplete());
    EXPECT_EQ(doc->OnFileWriteSettings(), DocResult::Done);
    EXPECT_NE(contents(path).find("m_base.m_switchRPM\t"), std::string::npos);
}

TEST_F(ImageRead, loadIsRefusedBeforeAnythingIsSentWhenTheKeptMembersWereNotRead) {
    connectOrFail();
    seams.path = folder.file("good.xset");
    ASSERT_EQ(doc->OnFileWriteSettings(), DocResult::Done);

    server.faults().setBadChecksum(SimMatch::read(kAdvancedSetupSelector));
    ASSERT_TRUE(doc->connect());
    ASSERT_FALSE(doc->blockRead(SettingBlock::AdvancedSetup));
    seams.takeMessages();
    server.requestLog().clear();

    EXPECT_EQ(doc->OnFileReadSettings(), DocResult::Failed);
    EXPECT_EQ(seams.takeMessages(), std::vector<std::string>{CKorvantisDoc::kMsgImageIncomplete});
    EXPECT_EQ(server.requestLog().requests().size(), 0u);
}

TEST_F(ImageRead, aLinkLostBeforeTheHandshakeLeavesNothingMarkedRead) {
    connectOrFail();
    ASSERT_TRUE(doc->imageComplete());
    server.hangUp();
    EXPECT_FALSE(doc->connect());
    EXPECT_FALSE(doc->imageComplete());
    EXPECT_FALSE(doc->blockRead(SettingBlock::DevInfo));
}
