// vexor-cli reaching the simulated controller through ser2net on the
// loopback, as an expert reaches a workshop's adapter: raw TCP and telnet
// with COM-port control, with the configuration shipped for the workshop PC.

#include "CliOnSim.h"
#include "support/Ser2net.h"

#include "doc/KorvantisDoc.h"
#include "files/FirmwareFileBuilder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliRemote : public CliOnSim, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        CliOnSim::SetUp();
        const std::string reason = ser2net.start(server.slavePath(), folder.path().string(),
                                                 VEXOR_SOURCE_DIR "/packaging/ser2net-vexor.yaml");
        if (!reason.empty())
            GTEST_SKIP() << reason;
    }
    bool telnet() const { return GetParam(); }
    std::string address() const {
        return telnet() ? ser2net.rfc2217Address() : ser2net.rawAddress();
    }
    ProcessResult remote(std::initializer_list<std::string> args) { return cliOn(address(), args); }

    CSer2net ser2net;
};

// 0xFF bytes in the pages are telnet's escape byte: they must reach the
// controller single, whatever the link doubles on the way.
std::vector<std::uint8_t> firmwareImage() {
    std::vector<std::uint8_t> image(12000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i % 5 == 0 ? 0xFF : i * 13 + 5);
    return image;
}

std::string firmwareFile(CTempFolder& folder, const std::vector<std::uint8_t>& image) {
    const auto bytes = vexor::buildFirmwareFile(image, 0x0208, "KORVANTIS");
    const std::string path = folder.file("new.img");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

} // namespace

TEST_P(CliRemote, identifyLoadLiveAndFlashWorkThroughTheNetworkPortAndItIsRemembered) {
    const ProcessResult id = remote({"identify"});
    ASSERT_EQ(id.status, 0) << id.err << ser2net.logText();
    EXPECT_EQ(lines(id.out).at(0), "port: " + address());
    EXPECT_TRUE(contains(id.out, "serial: GAS1000042")) << id.out;
    // Remembered by its address, as a device is by its stable name.
    EXPECT_TRUE(contains(readAll(folder.file("config/registry.ini")), address()));

    const std::string file = folder.file("car.xset");
    ASSERT_EQ(remote({"settings", "save", file}).status, 0);
    ASSERT_EQ(cliOn(address(), {"settings", "set", file, "m_base.m_switchRPM", "2300"}).status, 0);
    const ProcessResult load = remote({"settings", "load", file});
    ASSERT_EQ(load.status, 0) << load.err;
    const ProcessResult diff = remote({"settings", "diff", file});
    EXPECT_EQ(diff.status, 0) << diff.err;
    EXPECT_EQ(diff.out, "");

    const ProcessResult live = remote({"live", "-n", "5"});
    EXPECT_EQ(live.status, 0) << live.err;
    EXPECT_EQ(lines(live.out).size(), 5u);

    const std::vector<std::uint8_t> image = firmwareImage();
    const ProcessResult flash = remote({"--yes", "flash", firmwareFile(folder, image)});
    ASSERT_EQ(flash.status, 0) << flash.err;
    const auto [pages, programmed] = sim(
        [](CSimController& c) { return std::make_pair(c.programmedWordAddresses(), c.image()); });
    EXPECT_TRUE(sim([](CSimController& s) { return s.programmingEnded(); }));
    ASSERT_FALSE(pages.empty());
    std::size_t checked = 0;
    for (std::size_t byte = 0; byte < image.size(); ++byte) {
        const auto word = static_cast<std::uint16_t>(byte / 2);
        if (std::find(pages.begin(), pages.end(), word - word % 64) == pages.end())
            continue;
        ASSERT_EQ(programmed.at(byte), image[byte]) << "byte " << byte;
        ++checked;
    }
    EXPECT_GT(checked, 1000u);
}

TEST_P(CliRemote, aConnectionDroppedMidLoadSaysTheControllerIsHalfWrittenAndLoadingAgainRecovers) {
    const std::string file = folder.file("car.xset");
    ASSERT_EQ(remote({"settings", "save", file}).status, 0) << ser2net.logText();
    ASSERT_EQ(cliOn(address(), {"settings", "set", file, "m_base.m_switchRPM", "2300"}).status, 0);

    // The second block written waits long enough at the controller for the
    // network to go in the meantime.
    server.requestLog().clear();
    server.faults().setReplyDelay(std::chrono::milliseconds(3000), SimMatch::cmd(4), 1);
    std::atomic<bool> done{false};
    std::thread cutter([&] {
        while (!done && count(SimMatch::cmd(4)) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ser2net.stop(SIGKILL);
    });
    const ProcessResult cut = remote({"settings", "load", file});
    done = true;
    cutter.join();
    EXPECT_EQ(cut.status, 4) << cut.err;
    EXPECT_TRUE(contains(cut.err, CKorvantisDoc::kMsgHalfWritten)) << cut.err;

    server.faults().clear();
    ASSERT_EQ(ser2net.start(server.slavePath(), folder.path().string(),
                            VEXOR_SOURCE_DIR "/packaging/ser2net-vexor.yaml"),
              "");
    const ProcessResult again = remote({"settings", "load", file});
    ASSERT_EQ(again.status, 0) << again.err;
    const ProcessResult diff = remote({"settings", "diff", file});
    EXPECT_EQ(diff.out, "") << diff.err;
}

TEST_P(CliRemote, liveGetsTheControllerBackWhenTheNetworkReturnsAfterADrop) {
    std::atomic<bool> done{false};
    std::string restartReason = "not restarted";
    std::thread network([&] {
        while (!done && count(SimMatch::read(6)) < 8)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ser2net.stop(SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        restartReason = ser2net.start(server.slavePath(), folder.path().string(),
                                      VEXOR_SOURCE_DIR "/packaging/ser2net-vexor.yaml");
    });
    const ProcessResult live = remote({"live", "-n", "30"});
    done = true;
    network.join();
    ASSERT_EQ(restartReason, "");
    EXPECT_EQ(live.status, 0) << live.err;
    EXPECT_TRUE(contains(live.err, "Połączenie z urządzeniem zostało przywrócone.")) << live.err;
    EXPECT_EQ(lines(live.out).size(), 30u);
}

TEST_P(CliRemote, doctorTellsAnAnsweringAdapterFromASilentOneANobodyListensAndAMalformedAddress) {
    const std::string closed = "tcp://127.0.0.1:1";
    const std::string malformed = "rfc2217://127.0.0.1";
    std::vector<std::string> argv = base(address());
    argv.insert(argv.end(), {"--port", closed, "--port", malformed, "doctor"});
    auto fields = [](const std::string& line) {
        std::vector<std::string> out;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            out.push_back(cell);
        return out;
    };

    ProcessResult run = runProcess(argv);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> report = lines(run.out);
    ASSERT_EQ(report.size(), 3u) << run.out;
    EXPECT_EQ(fields(report[0]).at(0), address());
    EXPECT_EQ(fields(report[0]).at(1), "answers");
    EXPECT_TRUE(contains(report[0], "GAS1000042")) << report[0];
    EXPECT_EQ(fields(report[1]).at(1), "missing") << report[1];
    EXPECT_TRUE(contains(report[1], "ser2net")) << report[1];
    EXPECT_EQ(fields(report[2]).at(1), "error") << report[2];

    // The network is up but the controller behind it says nothing.
    server.faults().setSilent();
    run = runProcess(argv);
    EXPECT_EQ(run.status, 3) << run.err;
    report = lines(run.out);
    ASSERT_EQ(report.size(), 3u) << run.out;
    EXPECT_EQ(fields(report[0]).at(1), "silent") << report[0];
}

INSTANTIATE_TEST_SUITE_P(RawAndRfc2217, CliRemote, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "rfc2217" : "raw"; });
