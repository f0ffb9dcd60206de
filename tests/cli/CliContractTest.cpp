#include "CliOnSim.h"

#include <regex>

using namespace vexor::test;

namespace {

const char* const kDemoQuestion =
    "Nie można połączyć się z modułem. Sprawdź okablowanie. Czy uruchomić w trybie demo?";

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(CliUsage, helpVersionAndUsageErrorsHaveTheirExitStatuses) {
    const ProcessResult help = runProcess({VEXOR_CLI_PATH, "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"ports",
                             "identify",
                             "stats",
                             "settings show",
                             "settings load",
                             "settings defaults",
                             "errors clear",
                             "switch petrol|gas|auto",
                             "live [-n COUNT] [--record FILE]",
                             "map show",
                             "map set|add|sub|clear",
                             "flash FILE",
                             "--no-system-ports",
                             "--config-dir",
                             "--data-dir",
                             "--lang",
                             "--cng",
                             "--demo",
                             "--yes",
                             "Exit status"})
        EXPECT_TRUE(contains(help.out, word)) << word;

    const ProcessResult version = runProcess({VEXOR_CLI_PATH, "--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("vexor-cli ", 0), 0u);

    EXPECT_EQ(runProcess({VEXOR_CLI_PATH}).status, 2);
    EXPECT_EQ(runProcess({VEXOR_CLI_PATH, "--frobnicate", "ports"}).status, 2);
    EXPECT_EQ(runProcess({VEXOR_CLI_PATH, "--lang", "14", "ports"}).status, 2);
    EXPECT_EQ(runProcess({VEXOR_CLI_PATH, "--no-system-ports", "launch"}).status, 2);
    EXPECT_EQ(runProcess({VEXOR_CLI_PATH, "--no-system-ports", "switch", "diesel"}).status, 2);
}

TEST(CliUsage, portsListsTheNamedPathsInOrder) {
    const ProcessResult r = runProcess({VEXOR_CLI_PATH, "--no-system-ports", "-p", "/dev/first",
                                        "--port", "/dev/second", "ports"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1\t/dev/first\n2\t/dev/second\n");
}

TEST_F(CliOnSim, identifyPrintsTheIdentityBlockAndRemembersThePort) {
    const ProcessResult r = cli({"identify"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "port: " + server.slavePath() +
                         "\nversion: 2.8\nversion-raw: 520\nserial: GAS1000042\n"
                         "production-date: 22/09/2009\ninjectors: 4\ndevice-id: 1\n"
                         "flags1: 5\nflags2: 0\nlive-data: yes\n");
    EXPECT_TRUE(contains(readWholeFile(folder.file("config/registry.ini")), "Last RS nr=1"));
}

TEST_F(CliOnSim, withoutAControllerTheExitStatusIsThreeEvenWithYes) {
    for (const char* yes : {"--cng", "--yes"}) {
        const ProcessResult r = cliOn("/nonexistent-vexor-port", {yes, "identify"});
        EXPECT_EQ(r.status, 3) << yes;
        EXPECT_TRUE(contains(r.err, kDemoQuestion)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(CliOnSim, demoModeAnswersWithTheDemoIdentityWithoutTouchingAPort) {
    const ProcessResult r = cliOn("/nonexistent-vexor-port", {"--demo", "identify"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "port: demo\nversion: 2.8\nversion-raw: 520\nserial: xq001\n"));
    EXPECT_EQ(cliOn("/nonexistent-vexor-port", {"--demo", "settings", "defaults", "-y"}).status,
              2); // options go before the command
    EXPECT_EQ(cliOn("/nonexistent-vexor-port", {"--demo", "--yes", "settings", "defaults"}).status,
              0);
}

TEST_F(CliOnSim, messagesFollowTheChosenLanguage) {
    std::vector<std::string> argv = {
        VEXOR_CLI_PATH, "--no-system-ports",   "--port", "/nonexistent-vexor-port",
        "--config-dir", folder.file("config"), "--lang", "1",
        "identify"};
    const ProcessResult r = runProcess(argv);
    EXPECT_EQ(r.status, 3);
    EXPECT_FALSE(contains(r.err, kDemoQuestion));
    EXPECT_TRUE(contains(r.err, "demo")) << r.err;
}

TEST_F(CliOnSim, statsPrintsWorkTimesCountersAndStationCodes) {
    sim([](CSimController& c) { c.setStatistics(7322, 90, 12); });
    const ProcessResult r = cli({"stats"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0].substr(0, 13), "petrol-time: ");
    EXPECT_TRUE(std::regex_match(out[0], std::regex("petrol-time: \\d+ : \\d\\d : \\d\\d")));
    EXPECT_TRUE(std::regex_match(out[1], std::regex("gas-time: \\d+ : \\d\\d : \\d\\d")));
    EXPECT_EQ(out[2], "modify: 12");
    EXPECT_TRUE(std::regex_match(out[3], std::regex("station-code: [0-9A-F]{4}-[0-9A-F]{4}")));
    EXPECT_TRUE(std::regex_match(out[4], std::regex("this-station: [0-9A-F]{4}-[0-9A-F]{4}")));
}

TEST_F(CliOnSim, errorsPrintTheDecodedTextAndClearRestartsTheController) {
    ProcessResult r = cli({"errors"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");

    sim([](CSimController& c) { c.setErrorBytes({0, 1, 0, 0}); });
    r = cli({"errors"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(r.out.empty());
    EXPECT_EQ(r.out.find('\r'), std::string::npos);

    r = cli({"errors", "clear"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(count(SimMatch::read(0x0A)), 1u);

    server.faults().setAckResult(0, SimMatch::read(0x0A));
    r = cli({"errors", "clear"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "Nie można skasować błędów urządzenia"));
}

TEST_F(CliOnSim, switchSendsTheFuelAndARefusalIsStatusOneWithItsMessage) {
    EXPECT_EQ(cli({"switch", "gas"}).status, 0);
    EXPECT_EQ(sim([](CSimController& c) { return c.fuelRequest(); }),
              CSimController::FuelRequest::Gas);
    EXPECT_EQ(cli({"switch", "auto"}).status, 0);
    EXPECT_EQ(sim([](CSimController& c) { return c.fuelRequest(); }),
              CSimController::FuelRequest::Auto);

    server.faults().setBadChecksum(SimMatch::read(2));
    const ProcessResult r = cli({"switch", "petrol"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "Nie powiodło się przełączenie na benzynę!"));
}

TEST_F(CliOnSim, aPortThatFailsUnderACommandIsStatusFourWithTheErrorOnStderr) {
    // The line goes down when the statistics are asked for: the next try
    // cannot even be written.
    server.faults().setHangUpOnRequest(1, SimMatch::read(0x11));
    const ProcessResult r = cli({"stats"});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_FALSE(r.err.empty());
    EXPECT_TRUE(r.out.empty());
}

TEST_F(CliOnSim, theSimulatorProgramServesTheCommandLine) {
    // The stand-alone simulator, as run.sh starts it.
    const std::string link = folder.file("sim-port");
    std::vector<std::string> argv = {VEXOR_SIM_PATH, "--link", link};
    std::vector<char*> args;
    for (auto& a : argv)
        args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], &quiet, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    ASSERT_EQ(spawned, 0);
    for (int i = 0; i < 100 && ::access(link.c_str(), F_OK) != 0; ++i)
        ::usleep(20000);

    const ProcessResult r = cliOn(link, {"identify"});
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "version: 2.8\n"));
}
