// Every command of vexor-cli against every fault mode of the simulator. The
// outcome is judged by what must hold whatever the status: a success has
// its effect on the controller, a failure says so on stderr and leaves the
// user's files as they were, a write that failed is recovered by running the
// same command again, and every run ends on its own.

#include "SimServer.h"
#include "cli/CliRunner.h"
#include "core/files/TempFolder.h"
#include "doc/KorvantisDoc.h"
#include "files/FirmwareFileBuilder.h"
#include "platform/PortTable.h"
#include "settings/SettingsFileIo.h"
#include "support/CliOnPort.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <thread>

using namespace vexor::test;

namespace {

enum class Command { Identify, Save, Load, Defaults, MapSet, Live, Flash, ErrorsClear };
enum class Fault {
    None,
    SilentAlways,
    SilentFirst,
    SilentEvery,
    BadChecksum,
    WrongCommand,
    StatusWord,
    Split,
    Slow,
    HangUpBefore,
    HangUpDuring,
    HangUpAfter,
    KillRestart,
};

const char* name(Command c) {
    static const char* names[] = {"identify", "save", "load",  "defaults",
                                  "mapSet",   "live", "flash", "errorsClear"};
    return names[static_cast<int>(c)];
}
const char* name(Fault f) {
    static const char* names[] = {"none",        "silentAlways", "silentFirst",  "silentEvery",
                                  "badChecksum", "wrongCommand", "statusWord",   "split",
                                  "slow",        "hangUpBefore", "hangUpDuring", "hangUpAfter",
                                  "killRestart"};
    return names[static_cast<int>(f)];
}

bool writes(Command c) {
    return c == Command::Load || c == Command::Defaults || c == Command::MapSet ||
           c == Command::Flash || c == Command::ErrorsClear;
}

// Faults the link survives: the command must succeed.
bool benign(Fault f) {
    return f == Fault::None || f == Fault::SilentFirst || f == Fault::Split || f == Fault::Slow;
}

// A request in the middle of what the command sends, and its last one.
SimMatch middleOf(Command c) {
    switch (c) {
    case Command::Load:
    case Command::Defaults:
        return SimMatch::cmd(4); // the advanced block, second of the writes
    case Command::MapSet:
        return SimMatch::cmd(13);
    case Command::Flash:
        return SimMatch::cmd(251);
    case Command::ErrorsClear:
        return SimMatch::read(0x0A);
    default:
        return SimMatch::read(8); // the advanced block, halfway through the read
    }
}
SimMatch lastOf(Command c) {
    switch (c) {
    case Command::Load:
    case Command::Defaults:
    case Command::ErrorsClear:
        return SimMatch::read(0x0A);
    case Command::MapSet:
        return SimMatch::read(0x13);
    case Command::Flash:
        return SimMatch::read(0x60);
    case Command::Live:
        return SimMatch::read(6);
    default:
        return SimMatch::read(34); // the last block of the whole read
    }
}

constexpr int kChangedCell = 13;
constexpr double kChangedRpm = 2300;
constexpr const char* kUserFile = "the fitter's own file\n";

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::uint8_t> firmwareImage() {
    std::vector<std::uint8_t> image(12000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
    return image;
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<Command, Fault>> {
protected:
    void SetUp() override {
        server.setLink(folder.file("ttyVEXOR"));
        server.start();
        vexor::setCurrentPortTable({server.linkPath()});
        // The controller as the fitter found it: one map cell off zero, a fault stored.
        server.withController([](CSimController& c) {
            c.setMapCell(5, 5, -7);
            c.setErrorBytes({0, 1, 0, 0});
        });
        reference = readController();
        DeviceSettings changed = reference;
        changed.m_base.m_switchRPM = kChangedRpm;
        changed.m_injMapTable[5][5] = kChangedCell;
        ASSERT_TRUE(vexor::writeSettingsFile(folder.file("load.xset"), changed));
        std::ofstream(folder.file("car.xset")) << kUserFile;
        std::ofstream(folder.file("run.osc")) << kUserFile;
        const auto bytes = vexor::buildFirmwareFile(firmwareImage(), 0x0208, "KORVANTIS");
        std::ofstream(folder.file("new.img"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    template <class F> auto sim(F&& f) { return server.withController(std::forward<F>(f)); }

    DeviceSettings readController() {
        CKorvantisDoc doc;
        doc.setConfigFolder(folder.file("probe-config"));
        doc.setDataFolder(folder.file("probe-data"));
        EXPECT_TRUE(doc.connect());
        EXPECT_TRUE(doc.imageComplete());
        return doc.settings();
    }

    std::vector<std::string> argv(Command c) {
        std::vector<std::string> a = cliOnPort(VEXOR_CLI_PATH, server.linkPath(), folder);
        a.insert(a.end(), {"--yes", "--reconnect-timeout", "2"});
        switch (c) {
        case Command::Identify:
            a.push_back("identify");
            break;
        case Command::Save:
            a.insert(a.end(), {"settings", "save", folder.file("car.xset")});
            break;
        case Command::Load:
            a.insert(a.end(), {"settings", "load", folder.file("load.xset")});
            break;
        case Command::Defaults:
            a.insert(a.end(), {"settings", "defaults"});
            break;
        case Command::MapSet:
            a.insert(a.end(), {"map", "set", "5", "5", "1", "1", std::to_string(kChangedCell)});
            break;
        case Command::Live:
            a.insert(a.end(), {"live", "-n", "3", "--record", folder.file("run.osc")});
            break;
        case Command::Flash:
            a.insert(a.end(), {"flash", folder.file("new.img")});
            break;
        case Command::ErrorsClear:
            a.insert(a.end(), {"errors", "clear"});
            break;
        }
        return a;
    }

    void applyFault(Command c, Fault f) {
        CSimFaults& faults = server.faults();
        switch (f) {
        case Fault::None:
            break;
        case Fault::SilentAlways:
            faults.setSilent();
            break;
        case Fault::SilentFirst:
            faults.setSilentFirst(2);
            break;
        case Fault::SilentEvery:
            faults.setSilentEvery(9);
            break;
        case Fault::BadChecksum:
            faults.setBadChecksum();
            break;
        case Fault::WrongCommand:
            faults.setWrongCommand(0x77);
            break;
        case Fault::StatusWord:
            faults.setStatusWord(0x0100);
            break;
        case Fault::Split:
            faults.setSplitReply(3, std::chrono::milliseconds(150));
            break;
        case Fault::Slow:
            faults.setReplyDelay(std::chrono::milliseconds(300));
            break;
        case Fault::HangUpBefore:
            faults.setHangUpOnRequest(1, SimMatch::read(0xCC));
            break;
        case Fault::HangUpDuring:
            faults.setHangUpOnRequest(1, middleOf(c));
            break;
        case Fault::HangUpAfter:
            // Just after the command's last request was answered: the cable
            // pulled as the command finishes.
            watcher = std::thread([this, match = lastOf(c)] {
                while (!stopWatch && server.requestLog().count(match) == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                if (!stopWatch) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    server.hangUp();
                }
            });
            break;
        case Fault::KillRestart:
            server.setReturnAfterHangUp(std::chrono::milliseconds(300));
            faults.setHangUpOnRequest(1, middleOf(c));
            break;
        }
    }

    // Brings the line back and the faults off, so that what the controller
    // holds can be read and the command run again.
    void heal() {
        stopWatch = true;
        if (watcher.joinable())
            watcher.join();
        server.faults().clear();
        if (server.hungUp()) {
            const int before = server.returns();
            server.setReturnAfterHangUp(std::chrono::milliseconds(0));
            while (server.returns() == before)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        server.setReturnAfterHangUp(std::nullopt);
    }

    // Whether the command's effect is there, on the controller or in its output.
    void expectEffect(Command c, const ProcessResult& run, const DeviceSettings& now) {
        switch (c) {
        case Command::Identify:
            EXPECT_NE(run.out.find("serial: "), std::string::npos);
            break;
        case Command::Save: {
            DeviceSettings saved;
            ASSERT_TRUE(vexor::readSettingsFile(folder.file("car.xset"), saved));
            saved.m_timeStamp = now.m_timeStamp;
            EXPECT_EQ(vexor::formatSettingsFile(saved), vexor::formatSettingsFile(now));
            break;
        }
        case Command::Load:
            EXPECT_EQ(now.m_base.m_switchRPM, kChangedRpm);
            EXPECT_EQ(sim([](CSimController& s) { return s.mapCell(5, 5); }), kChangedCell);
            break;
        case Command::Defaults:
            EXPECT_EQ(sim([](CSimController& s) { return s.mapCell(5, 5); }), 0);
            EXPECT_EQ(now.m_base.m_switchRPM, DeviceSettings{}.m_base.m_switchRPM);
            break;
        case Command::MapSet:
            EXPECT_EQ(sim([](CSimController& s) { return s.mapCell(5, 5); }), kChangedCell);
            break;
        case Command::Live: {
            const auto printed = lines(run.out);
            EXPECT_EQ(printed.size(), 3u);
            EXPECT_EQ(lines(contents(folder.file("run.osc"))), printed);
            break;
        }
        case Command::Flash:
            EXPECT_TRUE(sim(
                [](CSimController& s) { return s.programmingEnded() && !s.programmingMode(); }));
            break;
        case Command::ErrorsClear:
            EXPECT_EQ(sim([](CSimController& s) { return s.errorBytes(); }),
                      (std::array<std::uint8_t, 4>{}));
            break;
        }
    }

    CSimServer server;
    CTempFolder folder;
    DeviceSettings reference;
    std::thread watcher;
    std::atomic<bool> stopWatch{false};
};

} // namespace

TEST_P(FaultMatrix, endsHonestlyKeepsTheUsersFilesAndARunAgainRecovers) {
    const auto [command, fault] = GetParam();
    applyFault(command, fault);
    const auto started = std::chrono::steady_clock::now();
    const ProcessResult run = runProcess(argv(command), std::chrono::seconds(120));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    heal();
    RecordProperty("exit", run.status);
    RecordProperty("seconds", std::to_string(seconds));
    std::printf("matrix %s %s status %d %.1f s\n", name(command), name(fault), run.status, seconds);

    ASSERT_GE(run.status, 0) << "the run did not end on its own\n" << run.err;
    if (benign(fault)) {
        EXPECT_EQ(run.status, 0) << run.err;
    }
    const bool cutWrite = fault == Fault::HangUpDuring || fault == Fault::KillRestart;
    if (cutWrite && writes(command)) {
        EXPECT_EQ(run.status, 4) << run.err;
    }
    // The whole-image writes and programming say what they left behind.
    if (cutWrite &&
        (command == Command::Load || command == Command::Defaults || command == Command::Flash)) {
        EXPECT_NE(run.err.find(command == Command::Flash ? CKorvantisDoc::kMsgHalfProgrammed
                                                         : CKorvantisDoc::kMsgHalfWritten),
                  std::string::npos)
            << run.err;
    }

    const DeviceSettings now = readController();
    if (run.status == 0) {
        expectEffect(command, run, now);
    } else {
        EXPECT_FALSE(run.err.empty());
        EXPECT_EQ(contents(folder.file("car.xset")), kUserFile);
        if (command == Command::Live && run.status == 3 && run.out.empty()) {
            EXPECT_EQ(contents(folder.file("run.osc")), kUserFile);
        }
        if (writes(command)) {
            const ProcessResult again = runProcess(argv(command));
            ASSERT_EQ(again.status, 0) << again.err;
            expectEffect(command, again, readController());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommandEveryFault, FaultMatrix,
    ::testing::Combine(::testing::Values(Command::Identify, Command::Save, Command::Load,
                                         Command::Defaults, Command::MapSet, Command::Live,
                                         Command::Flash, Command::ErrorsClear),
                       ::testing::Values(Fault::None, Fault::SilentAlways, Fault::SilentFirst,
                                         Fault::SilentEvery, Fault::BadChecksum,
                                         Fault::WrongCommand, Fault::StatusWord, Fault::Split,
                                         Fault::Slow, Fault::HangUpBefore, Fault::HangUpDuring,
                                         Fault::HangUpAfter, Fault::KillRestart)),
    [](const auto& info) {
        return std::string(name(std::get<0>(info.param))) + "_" + name(std::get<1>(info.param));
    });
