#include "../files/TempFolder.h"
#include "platform/PortTable.h"
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

namespace {

// A fake /dev in which adapters come and go and by-id links follow them, as
// udev keeps them.
class StablePortNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_dir.path() / "dev" / "serial" / "by-id");
        m_options.devRoot = dev("");
        m_options.consoleActiveFile = m_dir.file("no-console");
    }
    void TearDown() override { vexor::setCurrentPortTable({}); }

    std::string dev(const std::string& name) const {
        return name.empty() ? m_dir.file("dev") : m_dir.file("dev/" + name);
    }
    std::string byId(const std::string& name) const { return dev("serial/by-id/" + name); }
    void device(const std::string& name) { std::ofstream(dev(name)).put('\0'); }
    // Points the adapter's by-id link at a kernel name, as after a replug.
    void plug(const std::string& adapter, const std::string& kernelName) {
        device(kernelName);
        std::error_code ignored;
        fs::remove(byId(adapter), ignored);
        fs::create_symlink("../../" + kernelName, byId(adapter));
    }
    void table() { vexor::setCurrentPortTable(vexor::listPorts(m_options)); }

    CTempFolder m_dir;
    vexor::PortTableOptions m_options;
};

} // namespace

TEST_F(StablePortNameTest, AdaptersAreListedOnceUnderTheirStableNameAtTheKernelPlace) {
    const std::string ftdi = "usb-FTDI_FT232R_USB_UART_A1B2-if00-port0";
    const std::string ch340 = "usb-1a86_USB Serial-if00-port0"; // spaces occur in real names
    device("ttyS0");
    plug(ftdi, "ttyUSB1");
    plug(ch340, "ttyUSB0");
    fs::create_symlink("../../ttyUSB7", byId("usb-gone-if00-port0")); // adapter unplugged
    device("ttyXRUSB0"); // another family, reachable only through its link
    fs::create_symlink("../../ttyXRUSB0", byId("usb-Exar_XR21V-if00"));

    EXPECT_EQ(vexor::listPorts(m_options),
              (Paths{byId(ch340), byId(ftdi), dev("ttyS0"), byId("usb-Exar_XR21V-if00")}));

    // Naming the kernel device on the command line keeps that name, once.
    m_options.explicitPaths = {dev("ttyUSB1")};
    EXPECT_EQ(vexor::listPorts(m_options),
              (Paths{dev("ttyUSB1"), byId(ch340), dev("ttyS0"), byId("usb-Exar_XR21V-if00")}));

    EXPECT_EQ(vexor::stableName(dev("ttyUSB1"), dev("")), byId(ftdi));
    EXPECT_EQ(vexor::stableName(dev("ttyS0"), dev("")), "");
    EXPECT_EQ(vexor::stableName(dev("missing"), dev("")), "");
}

TEST_F(StablePortNameTest, RememberedAdapterIsFoundAgainAfterTheKernelRenumbersIt) {
    const std::string ftdi = "usb-FTDI_FT232R_USB_UART_A1B2-if00-port0";
    const std::string other = "usb-Prolific_PL2303-if00-port0";
    plug(ftdi, "ttyUSB1");
    plug(other, "ttyUSB0");
    table(); // 1: other, 2: ftdi
    CRegistryStore store(m_dir.file("cfg"));
    ASSERT_TRUE(store.setLastPort(2));
    EXPECT_EQ(store.value(CRegistryStore::kLastPortKey), "2");
    EXPECT_EQ(store.lastPortName(), byId(ftdi));

    // Next day the two adapters come up the other way round.
    plug(ftdi, "ttyUSB0");
    plug(other, "ttyUSB1");
    table();
    EXPECT_EQ(vexor::currentPortTable(), (Paths{byId(ftdi), byId(other)}));
    EXPECT_EQ(store.lastPort(), 1);

    // The FTDI adapter named by its kernel path on the command line is still it.
    vexor::setCurrentPortTable({dev("ttyUSB1"), dev("ttyUSB0")});
    EXPECT_EQ(store.lastPort(), 2);

    // Gone altogether: the number, as it was stored, is all there is.
    fs::remove(byId(ftdi));
    fs::remove(dev("ttyUSB0"));
    table();
    EXPECT_EQ(store.lastPort(), 2);

    // A port without a stable name drops the name remembered before it, so a
    // stale name cannot pull the search away from the port that answered.
    device("ttyS4");
    vexor::setCurrentPortTable({dev("ttyS4"), byId(other)});
    ASSERT_TRUE(store.setLastPort(1));
    EXPECT_EQ(store.lastPortName(), "");
    EXPECT_EQ(store.lastPort(), 1);
    EXPECT_EQ(readWholeFile(store.filePath()), "Last RS nr=1\n");
}
