// Every command the retry rule may send twice, run through vexor-cli with its
// reply lost or late. The controller always carried the command out; only
// the answer went astray. Whatever the exit status, the controller must hold
// the command's effect exactly once (or, after a failure, what it held
// before), and a success must never be claimed for a command that did not act.

#include "SimServer.h"
#include "cli/CliRunner.h"
#include "core/files/TempFolder.h"
#include "doc/KorvantisDoc.h"
#include "files/FirmwareFileBuilder.h"
#include "platform/PortTable.h"
#include "settings/SettingsFileIo.h"
#include "support/CliOnPort.h"
#include "support/FaultRelay.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace vexor::test;

namespace {

constexpr int kStartCell = 7;
constexpr int kChangedCell = 13;
constexpr double kChangedRpm = 2300;
// Longer than the reply time-out (one second and a little), short enough
// that the late reply still arrives while the command runs.
constexpr std::chrono::milliseconds kLate{1500};

enum class Outcome { Done, Before };

struct Case {
    const char* name;
    std::vector<std::string> args; // after the options; FILE stands for the case's file
    SimMatch match;
    int skip; // matching requests let through first
    // Whether the controller holds the command's effect (Done) or what it
    // held before (Before).
    std::function<Outcome(CSimController&, const DeviceSettings&)> state;
};

int cell(CSimController& c) {
    return c.mapCell(5, 5);
}

Outcome mapCellIs(CSimController& c, int done) {
    EXPECT_TRUE(cell(c) == done || cell(c) == kStartCell) << "cell holds " << cell(c);
    return cell(c) == done ? Outcome::Done : Outcome::Before;
}

Outcome loaded(CSimController& c, const DeviceSettings& now) {
    const bool done = now.m_base.m_switchRPM == kChangedRpm && cell(c) == kChangedCell;
    return done ? Outcome::Done : Outcome::Before;
}

Outcome defaults(CSimController& c, const DeviceSettings& now) {
    const bool done = cell(c) == 0 && now.m_base.m_switchRPM == DeviceSettings{}.m_base.m_switchRPM;
    return done ? Outcome::Done : Outcome::Before;
}

Outcome fuel(CSimController& c, CSimController::FuelRequest wanted) {
    return c.fuelRequest() == wanted ? Outcome::Done : Outcome::Before;
}

const std::vector<Case>& cases() {
    using Fuel = CSimController::FuelRequest;
    static const std::vector<Case> all = {
        {"mapAdd",
         {"map", "add", "5", "5", "1", "1", "7"},
         SimMatch::cmd(13),
         0,
         [](CSimController& c, const DeviceSettings&) { return mapCellIs(c, kStartCell + 7); }},
        {"mapSub",
         {"map", "sub", "5", "5", "1", "1", "3"},
         SimMatch::cmd(13),
         0,
         [](CSimController& c, const DeviceSettings&) { return mapCellIs(c, kStartCell - 3); }},
        {"mapSet",
         {"map", "set", "5", "5", "1", "1", "13"},
         SimMatch::cmd(13),
         0,
         [](CSimController& c, const DeviceSettings&) { return mapCellIs(c, kChangedCell); }},
        {"mapClear",
         {"map", "clear", "5", "5", "1", "1"},
         SimMatch::cmd(13),
         0,
         [](CSimController& c, const DeviceSettings&) { return mapCellIs(c, 0); }},
        {"mapCommit",
         {"map", "add", "5", "5", "1", "1", "7"},
         SimMatch::read(0x13),
         0,
         [](CSimController& c, const DeviceSettings&) { return mapCellIs(c, kStartCell + 7); }},
        {"loadBase",
         {"settings", "load", "FILE"},
         SimMatch::cmd(3),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadAdv",
         {"settings", "load", "FILE"},
         SimMatch::cmd(4),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadMainCorr",
         {"settings", "load", "FILE"},
         SimMatch::cmd(15),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadSetupTimes",
         {"settings", "load", "FILE"},
         SimMatch::cmd(7),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadMapChunk",
         {"settings", "load", "FILE"},
         SimMatch::cmd(5),
         4,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadAdvancedSetup",
         {"settings", "load", "FILE"},
         SimMatch::cmd(26),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadSensors",
         {"settings", "load", "FILE"},
         SimMatch::cmd(9),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadPetrolWait",
         {"settings", "load", "FILE"},
         SimMatch::read(2),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"loadRestart",
         {"settings", "load", "FILE"},
         SimMatch::read(0x0A),
         0,
         [](CSimController& c, const DeviceSettings& s) { return loaded(c, s); }},
        {"defaultsClearMap",
         {"settings", "defaults"},
         SimMatch::read(0x14),
         0,
         [](CSimController& c, const DeviceSettings& s) { return defaults(c, s); }},
        {"errorsClear",
         {"errors", "clear"},
         SimMatch::read(0x0A),
         0,
         [](CSimController& c, const DeviceSettings&) {
             return c.errorBytes() == std::array<std::uint8_t, 4>{} ? Outcome::Done
                                                                    : Outcome::Before;
         }},
        {"switchGas",
         {"switch", "gas"},
         SimMatch::read(1),
         0,
         [](CSimController& c, const DeviceSettings&) { return fuel(c, Fuel::Gas); }},
        {"switchAuto",
         {"switch", "auto"},
         SimMatch::read(3),
         0,
         [](CSimController& c, const DeviceSettings&) { return fuel(c, Fuel::Auto); }},
        {"flashPage",
         {"flash", "FILE"},
         SimMatch::cmd(251),
         3,
         [](CSimController& c, const DeviceSettings&) {
             return c.programmingEnded() && !c.programmingMode() ? Outcome::Done : Outcome::Before;
         }},
        {"flashEnd",
         {"flash", "FILE"},
         SimMatch::read(0x60),
         0,
         [](CSimController& c, const DeviceSettings&) {
             return c.programmingEnded() && !c.programmingMode() ? Outcome::Done : Outcome::Before;
         }},
    };
    return all;
}

std::vector<std::uint8_t> firmwareImage() {
    std::vector<std::uint8_t> image(12000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
    return image;
}

class RelayMatrix : public ::testing::TestWithParam<std::tuple<std::size_t, RelayAction>> {
protected:
    void SetUp() override {
        server.withController([](CSimController& c) {
            c.setMapCell(5, 5, kStartCell);
            c.setErrorBytes({0, 1, 0, 0});
        });
        DeviceSettings changed = readController();
        changed.m_base.m_switchRPM = kChangedRpm;
        changed.m_injMapTable[5][5] = kChangedCell;
        ASSERT_TRUE(vexor::writeSettingsFile(folder.file("load.xset"), changed));
        const auto bytes = vexor::buildFirmwareFile(firmwareImage(), 0x0208, "KORVANTIS");
        std::ofstream(folder.file("new.img"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    DeviceSettings readController() {
        CKorvantisDoc doc;
        doc.setConfigFolder(folder.file("probe-config"));
        doc.setDataFolder(folder.file("probe-data"));
        vexor::setCurrentPortTable({relay.path()});
        EXPECT_TRUE(doc.connect());
        return doc.settings();
    }

    std::vector<std::string> argv(const Case& c) {
        std::vector<std::string> a = cliOnPort(VEXOR_CLI_PATH, relay.path(), folder);
        a.insert(a.end(), {"--yes", "--no-backup"});
        const std::string file = c.args[0] == "flash" ? "new.img" : "load.xset";
        for (const std::string& arg : c.args)
            a.push_back(arg == "FILE" ? folder.file(file) : arg);
        return a;
    }

    CSimServer server;
    CFaultRelay relay{server};
    CTempFolder folder;
};

} // namespace

TEST_P(RelayMatrix, aLostOrLateReplyNeverMakesACommandActTwiceOrClaimWhatItDidNotDo) {
    const Case& c = cases()[std::get<0>(GetParam())];
    const RelayAction action = std::get<1>(GetParam());
    const int restartsBefore =
        server.withController([](CSimController& s) { return s.restartCount(); });
    relay.setFault({c.match, action, kLate, c.skip, 1});
    const ProcessResult run = runProcess(argv(c), std::chrono::seconds(120));
    const int hits = relay.hits();
    relay.clearFault();
    ASSERT_GE(run.status, 0) << "the run did not end on its own\n" << run.err;
    ASSERT_EQ(hits, 1) << "the fault never met its request\n" << run.err;

    const DeviceSettings now = readController();
    const Outcome outcome =
        server.withController([&](CSimController& s) { return c.state(s, now); });
    const int restarts =
        server.withController([](CSimController& s) { return s.restartCount(); }) - restartsBefore;
    std::printf("relay %s %s: exit %d, %s, %d restart(s)\n", c.name,
                action == RelayAction::Drop ? "lost" : "late", run.status,
                outcome == Outcome::Done ? "done" : "as before", restarts);
    if (run.status == 0)
        EXPECT_EQ(outcome, Outcome::Done) << "success claimed for a command that did not act";
    else
        EXPECT_FALSE(run.err.empty());
    // Every command here has what it takes to see the command through once
    // the answer is lost: a retry that is harmless, or a read back.
    EXPECT_EQ(run.status, 0) << run.err;
}

INSTANTIATE_TEST_SUITE_P(EveryRetriedCommandLostAndLate, RelayMatrix,
                         ::testing::Combine(::testing::Range<std::size_t>(0, cases().size()),
                                            ::testing::Values(RelayAction::Drop,
                                                              RelayAction::Delay)),
                         [](const auto& info) {
                             return std::string(cases()[std::get<0>(info.param)].name) +
                                    (std::get<1>(info.param) == RelayAction::Drop ? "_lost"
                                                                                  : "_late");
                         });

namespace {

class RelayMessages : public ::testing::Test {
protected:
    std::vector<std::string> argv(std::initializer_list<std::string> args) {
        std::vector<std::string> a = cliOnPort(VEXOR_CLI_PATH, relay.path(), folder);
        a.push_back("--no-backup");
        a.insert(a.end(), args.begin(), args.end());
        return a;
    }
    CSimServer server;
    CFaultRelay relay{server};
    CTempFolder folder;
};

} // namespace

TEST_F(RelayMessages, anAddTheControllerNeverReceivedFailsAndSaysTheMapIsUnchanged) {
    server.withController([](CSimController& c) { c.setMapCell(5, 5, kStartCell); });
    server.faults().setSilent(SimMatch::cmd(13));
    const ProcessResult run = runProcess(argv({"map", "add", "5", "5", "1", "1", "7"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Mapa w urządzeniu nie została zmieniona."), std::string::npos)
        << run.err;
    EXPECT_EQ(server.withController(cell), kStartCell);
    // Three tries, each checked by reading the map back before the next.
    EXPECT_EQ(server.requestLog().count(SimMatch::cmd(13)), 3u);
}
