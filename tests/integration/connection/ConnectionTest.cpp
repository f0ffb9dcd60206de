#include "integration/doc/DocOnSim.h"

#include "platform/RegistryStore.h"

#include "SimCipher.h"

using namespace vexor::test;

namespace {

std::string missingPort(int n) {
    return "/nonexistent-vexor-port-" + std::to_string(n);
}

// A document over a port table the test builds from simulators and missing
// devices; the remembered port lives in a temporary folder.
class Connection : public ::testing::Test {
protected:
    void SetUp() override {
        CLPGDevice::resetConnectionNotice();
        doc = std::make_unique<CKorvantisDoc>();
        doc->setSeams(seams.seams());
        doc->setConfigFolder(folder.file("config"));
        doc->setDataFolder(folder.file("data"));
    }
    void TearDown() override { doc.reset(); }

    CSimServer& addSim() {
        sims.push_back(std::make_unique<CSimServer>());
        sims.back()->start();
        return *sims.back();
    }
    void remember(int port) {
        ASSERT_TRUE(CRegistryStore(folder.file("config")).setLastPort(port));
    }
    std::optional<std::string> remembered() {
        return CRegistryStore(folder.file("config")).value(CRegistryStore::kLastPortKey);
    }
    static std::chrono::steady_clock::time_point firstRequest(CSimServer& sim) {
        return sim.requestLog().requests().at(0).received;
    }

    std::vector<std::unique_ptr<CSimServer>> sims;
    CTempFolder folder;
    ScriptedSeams seams;
    std::unique_ptr<CKorvantisDoc> doc;
};

} // namespace

TEST_F(Connection, theRememberedPortIsTriedFirstAndAloneWhenItAnswers) {
    CSimServer& first = addSim();
    CSimServer& second = addSim();
    vexor::setCurrentPortTable({first.slavePath(), second.slavePath()});
    remember(2);

    ASSERT_TRUE(doc->connect());
    EXPECT_EQ(first.requestLog().size(), 0u);
    EXPECT_GT(second.requestLog().size(), 0u);
    EXPECT_EQ(doc->portName(), second.slavePath());
    EXPECT_TRUE(seams.questions.empty());
}

TEST_F(Connection, theScanFollowsTheTableAndRemembersThePortThatAnswered) {
    CSimServer& foreign = addSim(); // answers the handshake as another kind of device
    foreign.faults().setHandshakeSubResult(12);
    CSimServer& controller = addSim();
    vexor::setCurrentPortTable({missingPort(1), foreign.slavePath(), controller.slavePath()});

    ASSERT_TRUE(doc->connect());
    ASSERT_GT(foreign.requestLog().size(), 0u);
    EXPECT_LT(firstRequest(foreign), firstRequest(controller));
    EXPECT_EQ(remembered(), std::optional<std::string>("3"));
    EXPECT_EQ(doc->portName(), controller.slavePath());
    // The foreign device is named once, however often it is met.
    EXPECT_EQ(seams.messages, std::vector<std::string>{"Brak połączenia"});
    EXPECT_EQ(doc->title().substr(0, 15), "VEXOR v 2.8 LPG");
}

TEST_F(Connection, theReconnectTimerTriesTheRememberedPortThenOnlyPortsOneToSeven) {
    CSimServer& controller = addSim();
    std::vector<std::string> table;
    for (int n = 1; n <= 7; ++n)
        table.push_back(missingPort(n));
    table.push_back(controller.slavePath()); // port 8
    vexor::setCurrentPortTable(table);

    EXPECT_FALSE(doc->reconnect());
    EXPECT_EQ(controller.requestLog().size(), 0u);
    EXPECT_FALSE(doc->pollingActive());

    remember(8);
    ASSERT_TRUE(doc->reconnect());
    EXPECT_TRUE(doc->isConnected());
    EXPECT_TRUE(doc->pollingActive());
    EXPECT_TRUE(seams.questions.empty()); // the timer never asks
    doc->stopPolling();
}

TEST_F(Connection, aControllerThatAnswersOnlyTheHandshakeStillCountsAsConnected) {
    CSimServer& controller = addSim();
    // Every reply cut to four bytes: the handshake needs no more, every block
    // read falls short.
    controller.faults().setReplyLength(4);
    vexor::setCurrentPortTable({controller.slavePath()});

    ASSERT_TRUE(doc->connect());
    EXPECT_TRUE(doc->isConnected());
    std::vector<std::string> expected(7, CKorvantisDoc::kMsgSettingsRead);
    expected.insert(expected.begin(), CKorvantisDoc::kMsgVersionRead);
    EXPECT_EQ(seams.messages, expected);
    EXPECT_EQ(remembered(), std::optional<std::string>("1"));
}

TEST_F(Connection, withNoControllerTheUserChoosesBetweenDemoAndStayingUnconnected) {
    vexor::setCurrentPortTable({missingPort(1), missingPort(2)});
    remember(2);

    EXPECT_FALSE(doc->connect());
    EXPECT_EQ(seams.questions, std::vector<std::string>{CKorvantisDoc::kMsgDemoQuestion});
    EXPECT_FALSE(doc->isDemo());

    seams.answers = {true};
    ASSERT_TRUE(doc->connect());
    EXPECT_TRUE(doc->isDemo());
    EXPECT_EQ(doc->settings().m_devInfo.m_serial, "xq001");
    EXPECT_EQ(doc->title(), "VEXOR v 2.8 LPG     DEMO");
    EXPECT_EQ(doc->portName(), "");
    // Demonstration mode stays for the run: another search asks nothing and
    // leaves the remembered port alone.
    ASSERT_TRUE(doc->connect());
    EXPECT_EQ(seams.questions.size(), 2u);
    EXPECT_EQ(remembered(), std::optional<std::string>("2"));
}

TEST_F(Connection, aSearchThatFindsNothingLeavesTheDocumentUnconnected) {
    CSimServer& controller = addSim();
    vexor::setCurrentPortTable({controller.slavePath()});
    ASSERT_TRUE(doc->connect());

    vexor::setCurrentPortTable({missingPort(1)});
    remember(0);
    EXPECT_FALSE(doc->connect());
    EXPECT_FALSE(doc->isConnected());
    EXPECT_EQ(doc->portName(), "");
}

TEST_F(Connection, aSerialNumberTheControllerSendsEncipheredIsReadAsItsText) {
    SimConfig config;
    config.serialBlock = simcipher::serialField("LPG4711-B");
    sims.push_back(std::make_unique<CSimServer>(config));
    sims.back()->start();
    vexor::setCurrentPortTable({sims.back()->slavePath()});

    ASSERT_TRUE(doc->connect());
    EXPECT_EQ(doc->settings().m_devInfo.m_serial, "LPG4711-B");
}
