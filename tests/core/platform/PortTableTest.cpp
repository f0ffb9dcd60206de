#include "platform/PortTable.h"
#include "platform/NetworkPortName.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

// A fake /dev with a console file beside it.
class PortTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() / ("vexor-ports-" + std::to_string(::getpid()));
        fs::create_directories(m_root / "dev" / "serial");
        for (const char* name : {"ttyS10", "ttyS2", "ttyS0", "ttyS1", "ttyUSB1", "ttyUSB0",
                                 "ttyACM0", "tty0", "ttyprintk", "ttyS", "ttyUSBx", "console"})
            std::ofstream(m_root / "dev" / name);
        fs::create_symlink(m_root / "dev" / "ttyUSB1", m_root / "dev" / "serial" / "adapter");
        setConsole("tty0 ttyS1\n");
        m_options.devRoot = dev("");
        m_options.consoleActiveFile = (m_root / "console-active").string();
    }
    void TearDown() override {
        fs::remove_all(m_root);
        vexor::setCurrentPortTable({});
    }

    std::string dev(const std::string& name) const {
        return name.empty() ? (m_root / "dev").string() : (m_root / "dev" / name).string();
    }
    void setConsole(const std::string& text) { std::ofstream(m_root / "console-active") << text; }

    fs::path m_root;
    vexor::PortTableOptions m_options;
};

} // namespace

TEST_F(PortTableTest, SystemDevicesComeByFamilyInNaturalOrderWithoutTheConsole) {
    EXPECT_EQ(vexor::listPorts(m_options), (Paths{dev("ttyUSB0"), dev("ttyUSB1"), dev("ttyACM0"),
                                                  dev("ttyS0"), dev("ttyS2"), dev("ttyS10")}));

    setConsole("");
    Paths all = vexor::listPorts(m_options);
    ASSERT_EQ(all.size(), 7u);
    EXPECT_EQ(all[4], dev("ttyS1"));
}

TEST_F(PortTableTest, ExplicitPathsComeFirstAndEachDeviceIsListedOnce) {
    m_options.explicitPaths = {"/somewhere/ttyX", dev("ttyS2"), dev("serial/adapter"),
                               "/somewhere/ttyX", ""};
    EXPECT_EQ(vexor::listPorts(m_options),
              (Paths{"/somewhere/ttyX", dev("ttyS2"), dev("serial/adapter"), dev("ttyUSB0"),
                     dev("ttyACM0"), dev("ttyS0"), dev("ttyS10")}));
}

TEST_F(PortTableTest, TheConsoleIsLeftOutEvenWhenNamedExplicitly) {
    m_options.explicitPaths = {dev("ttyS1"), dev("ttyACM0")};
    m_options.systemPorts = false;
    EXPECT_EQ(vexor::listPorts(m_options), (Paths{dev("ttyACM0")}));
}

TEST_F(PortTableTest, EnvironmentAddsPathsAfterTheFrontEndsAndCanDropSystemDevices) {
    m_options.explicitPaths = {"/a"};
    vexor::PortTableOptions o = vexor::withPortEnvironment(m_options, "/b::/c:", "0");
    EXPECT_FALSE(o.systemPorts);
    EXPECT_EQ(vexor::listPorts(o), (Paths{"/a", "/b", "/c"}));

    EXPECT_TRUE(vexor::withPortEnvironment(m_options, nullptr, "1").systemPorts);
    EXPECT_TRUE(vexor::withPortEnvironment(m_options, nullptr, nullptr).systemPorts);
    EXPECT_EQ(vexor::withPortEnvironment(m_options, nullptr, nullptr).explicitPaths, Paths{"/a"});

    m_options.systemPorts = false;
    EXPECT_FALSE(vexor::withPortEnvironment(m_options, nullptr, "1").systemPorts)
        << "the environment never brings back what the command line left out";
}

TEST_F(PortTableTest, MissingDeviceFolderOrConsoleFileGivesJustTheExplicitPaths) {
    m_options.devRoot = (m_root / "nothing").string();
    m_options.consoleActiveFile = (m_root / "nothing-either").string();
    m_options.explicitPaths = {"/a"};
    EXPECT_EQ(vexor::listPorts(m_options), Paths{"/a"});
}

TEST_F(PortTableTest, PortNumbersAreOneBasedEntriesOfTheCurrentTable) {
    vexor::setCurrentPortTable({"/p1", "/p2"});
    EXPECT_EQ(vexor::currentPortTable(), (Paths{"/p1", "/p2"}));
    EXPECT_EQ(vexor::portPath(1), "/p1");
    EXPECT_EQ(vexor::portPath(2), "/p2");
    EXPECT_EQ(vexor::portPath(0), "");
    EXPECT_EQ(vexor::portPath(3), "");
    EXPECT_EQ(vexor::portPath(-1), "");
}

TEST_F(PortTableTest, BuildReadsThisProcesssEnvironment) {
    const char* oldPorts = std::getenv("VEXOR_PORTS");
    const char* oldSystem = std::getenv("VEXOR_SYSTEM_PORTS");
    std::string savedPorts = oldPorts ? oldPorts : "";
    std::string savedSystem = oldSystem ? oldSystem : "";
    ::setenv("VEXOR_PORTS", "/x:/y", 1);
    ::setenv("VEXOR_SYSTEM_PORTS", "0", 1);
    m_options.explicitPaths = {"/w"};
    Paths table = vexor::buildPortTable(m_options);
    oldPorts ? ::setenv("VEXOR_PORTS", savedPorts.c_str(), 1) : ::unsetenv("VEXOR_PORTS");
    oldSystem ? ::setenv("VEXOR_SYSTEM_PORTS", savedSystem.c_str(), 1)
              : ::unsetenv("VEXOR_SYSTEM_PORTS");
    EXPECT_EQ(table, (Paths{"/w", "/x", "/y"}));
}

TEST_F(PortTableTest, NetworkAddressesKeepTheirColonsAndAreTheirOwnStableNames) {
    m_options.systemPorts = false;
    m_options.explicitPaths = {"rfc2217://127.0.0.1:7000"};
    const vexor::PortTableOptions o = vexor::withPortEnvironment(
        m_options, "/dev/ttyX:tcp://127.0.0.1:7001:rfc2217://127.0.0.1:7000:/dev/ttyY", nullptr);
    EXPECT_EQ(vexor::listPorts(o), (Paths{"rfc2217://127.0.0.1:7000", "/dev/ttyX",
                                          "tcp://127.0.0.1:7001", "/dev/ttyY"}));
    // Remembered as written: the address finds the same adapter wherever it
    // stands in a later table, and two addresses differ by their text.
    EXPECT_EQ(vexor::stableName("tcp://127.0.0.1:7001", m_root.string()), "tcp://127.0.0.1:7001");
    EXPECT_FALSE(vexor::sameDevice("tcp://127.0.0.1:7001", "tcp://127.0.0.1:7000"));
}

TEST(NetworkPortName, schemeHostAndPortAreReadAndAnythingElseIsRefused) {
    using Kind = vexor::NetworkPortName::Kind;
    const auto raw = vexor::parseNetworkPort("tcp://workshop.lan:7001");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->kind, Kind::RawTcp);
    EXPECT_EQ(raw->host, "workshop.lan");
    EXPECT_EQ(raw->port, 7001);
    const auto v6 = vexor::parseNetworkPort("RFC2217://[::1]:7000/");
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->kind, Kind::Rfc2217);
    EXPECT_EQ(v6->host, "::1");
    for (const char* bad : {"tcp://127.0.0.1", "tcp://:7000", "tcp://host:0", "tcp://host:65536",
                            "tcp://host:7000x", "tcp://::1:7000", "tcp://[::1]7000",
                            "tcp://user@host:7000", "telnet://host:7000", "/dev/ttyUSB0"})
        EXPECT_FALSE(vexor::parseNetworkPort(bad)) << bad;
    EXPECT_TRUE(vexor::looksLikeNetworkPort("tcp://127.0.0.1"));
}
