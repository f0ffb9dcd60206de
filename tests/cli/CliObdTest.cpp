#include "CliOnSim.h"

#include "SimObd.h"
#include "obd/OBDCodes.h"

#include <csignal>
#include <filesystem>
#include <thread>

using namespace vexor::test;

namespace {

const std::vector<std::string> kSeven = {"P0011", "U0100", "C0035", "B1234",
                                         "P0128", "P0171", "P0300"};

std::vector<std::uint16_t> codeValues(const std::vector<std::string>& names) {
    std::vector<std::uint16_t> values;
    for (const std::string& name : names)
        values.push_back(CSimObd::parseTroubleCode(name).value());
    return values;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        out.push_back(line.substr(start, tab - start));
    out.push_back(line.substr(start));
    return out;
}

// The codes of `obd codes` output, each checked against the code table the
// OBD page describes with.
void expectCodeLines(const std::string& out, const std::vector<std::string>& codes,
                     const std::string& unknown) {
    const COBDCodes table;
    const auto printed = lines(out);
    ASSERT_EQ(printed.size(), codes.size()) << out;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto f = fields(printed[i]);
        ASSERT_EQ(f.size(), 2u) << printed[i];
        EXPECT_EQ(f[0], codes[i]);
        const char* own = table.description(CSimObd::parseTroubleCode(codes[i]).value());
        EXPECT_EQ(f[1], own ? own : unknown) << printed[i];
    }
}

} // namespace

TEST_F(CliOnSim, obdCodesPrintsEveryStoredCodeInTheStandardFormWithItsOwnText) {
    sim([](CSimController& c) { c.obd().setTroubleCodes(codeValues(kSeven)); });
    const ProcessResult r = cli({"obd", "codes"});
    ASSERT_EQ(r.status, 0) << r.err;
    expectCodeLines(r.out, kSeven, "NIEZNANY");
    const auto printed = lines(r.out);
    EXPECT_NE(printed[0].find("Camshaft"), std::string::npos) << printed[0];
    EXPECT_NE(printed[4].find("thermostat"), std::string::npos) << printed[4];
    EXPECT_EQ(printed[3], "B1234\tNIEZNANY");

    // The unknown text follows the chosen language.
    const ProcessResult english = cli({"--lang", "1", "obd", "codes"});
    ASSERT_EQ(english.status, 0) << english.err;
    EXPECT_EQ(lines(english.out)[3], "B1234\tUNKNOWN");

    // A car without codes prints nothing and succeeds.
    sim([](CSimController& c) { c.obd().setTroubleCodes({}); });
    const ProcessResult none = cli({"obd", "codes"});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, "");
}

TEST_F(CliOnSim, obdClearAsksAndOnlyYesClearsTheCar) {
    sim([](CSimController& c) { c.obd().setTroubleCodes(codeValues({"P0171", "U0100"})); });
    ProcessResult r = cli({"obd", "clear"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Czy chcesz skasować błędy OBD?"), std::string::npos) << r.err;
    EXPECT_EQ(sim([](CSimController& c) { return c.obd().clearCount(); }), 0);
    EXPECT_EQ(sim([](CSimController& c) { return c.obd().troubleCodes().size(); }), 2u);

    r = cli({"--yes", "obd", "clear"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(sim([](CSimController& c) { return c.obd().troubleCodes().empty(); }));
    EXPECT_EQ(sim([](CSimController& c) { return c.obd().clearCount(); }), 1);
}

TEST_F(CliOnSim, obdValuesPrintsEachValueOnceWithItsNameAndUnit) {
    const ProcessResult r = cli({"obd", "values"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto printed = lines(r.out);
    ASSERT_EQ(printed.size(), 9u) << r.out;
    std::set<std::string> names;
    for (const std::string& line : printed) {
        const auto f = fields(line);
        ASSERT_EQ(f.size(), 3u) << line;
        EXPECT_TRUE(names.insert(f[0]).second) << line;
        std::size_t used = 0;
        (void)std::stod(f[1], &used);
        EXPECT_EQ(used, f[1].size()) << line;
    }
    EXPECT_EQ(fields(printed[0])[0], "Podciśnienie");
    EXPECT_EQ(fields(printed[0])[2], "kPa");
    EXPECT_EQ(fields(printed[1])[2], "%");
    EXPECT_EQ(fields(printed[8])[2], "V");

    // An air-flow car, in English.
    sim([](CSimController& c) { c.obd().setAirFlowSensor(true); });
    const ProcessResult english = cli({"--lang", "1", "obd", "values"});
    ASSERT_EQ(english.status, 0) << english.err;
    const auto first = fields(lines(english.out).at(0));
    EXPECT_EQ(first[0], "Air flow");
    EXPECT_EQ(first[2], "g/s");
    EXPECT_EQ(fields(lines(english.out).at(2))[0], "Long-term fuel trim bank 1");
}

TEST_F(CliOnSim, obdWithTheLinkOffFailsWithoutAskingTheCar) {
    sim([](CSimController& c) {
        c.setBlock(18, {0xDF, 0x07, 0, 0, 0xE0, 0x07, 0, 0, 0, 2, 8, 0});
        c.obd().setTroubleCodes(codeValues({"P0171"}));
    });
    const ProcessResult r = cli({"obd", "codes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Brak połączenia OBD z samochodem!"), std::string::npos) << r.err;
    EXPECT_EQ(count(SimMatch::cmd(25)), 0u);
    EXPECT_EQ(count(SimMatch::cmd(18)), 0u); // the controller's link stays as the fitter left it
}

TEST_F(CliOnSim, obdInDemonstrationModeListsTheDemonstrationCodes) {
    const ProcessResult r =
        runProcess({VEXOR_CLI_PATH, "--no-system-ports", "--demo", "--config-dir",
                    folder.file("config"), "--lang", "0", "obd", "codes"});
    ASSERT_EQ(r.status, 0) << r.err;
    expectCodeLines(r.out, {"P0171", "P0300", "P0301", "P0302", "P0303", "P0304"}, "");
}

// The simulator program itself, as a fitter starts it.
TEST_F(CliOnSim, simulatorDtcOptionServesCodesOfEveryLetterToTheCommandLine) {
    std::string list;
    for (const std::string& code : kSeven)
        list += (list.empty() ? "" : ",") + code;
    const std::string link = folder.file("obd-port");
    const std::vector<std::string> argv = {VEXOR_SIM_PATH, "--link", link, "--dtc", list};
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    // Wait until the simulator has made its port (a readiness wait, no limit
    // on how quickly).
    for (int i = 0; i < 1000 && !std::filesystem::is_symlink(link); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    const ProcessResult r = cliOn(link, {"obd", "codes"});
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_EQ(r.status, 0) << r.err;
    expectCodeLines(r.out, kSeven, "NIEZNANY");
}

TEST_F(CliOnSim, simulatorRefusesMoreThanTwentyCodesOrAMalformedOne) {
    std::string twentyOne;
    for (int i = 0; i < 21; ++i)
        twentyOne += (i ? ",U01" : "U01") + std::to_string(10 + i);
    ProcessResult r = runProcess({VEXOR_SIM_PATH, "--dtc", twentyOne});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("20"), std::string::npos) << r.err;
    r = runProcess({VEXOR_SIM_PATH, "--dtc", "P0171,X0100"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("X0100"), std::string::npos) << r.err;
}

TEST_F(CliOnSim, obdOnAPortThatFailsIsStatusFourWithTheHandlersReport) {
    sim([](CSimController& c) { c.obd().setTroubleCodes(codeValues({"P0171"})); });
    // The line goes down during the bus search; the next set-up write
    // cannot reach the controller.
    server.faults().setHangUpOnRequest(2, SimMatch::cmd(25));
    const ProcessResult r = cli({"obd", "codes"});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("COBD2Page::initInterface()"), std::string::npos) << r.err;
}
