// Output nobody can take: a reader that went away, a full disk, and
// questions asked where nobody can answer them.

#include "CliOnSim.h"

#include <fcntl.h>
#include <sstream>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Runs vexor-cli with stdout into a pipe that is closed after the first
// line has been read, as `| head -n 1` does. The exit status, or -1.
int runIntoClosedPipe(const std::vector<std::string>& argv, std::string& firstLine) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return -1;
    }
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        firstLine += c;
    ::close(out[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST_F(CliOnSim, outputThatCannotBeWrittenIsAFailureNamingStdout) {
    for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
             {"settings", "show"}, {"map", "show"}, {"identify"}, {"--json", "identify"}}) {
        std::vector<std::string> argv = base(server.slavePath());
        argv.insert(argv.end(), command.begin(), command.end());
        const ProcessResult r = runProcess(argv, std::chrono::seconds(60), "/dev/full");
        EXPECT_EQ(r.status, 1) << command[0] << ": " << r.err;
        EXPECT_TRUE(contains(r.err, "stdout")) << r.err;
    }
    // Help and usage texts are output too.
    EXPECT_EQ(runProcess({VEXOR_CLI_PATH, "--help"}, std::chrono::seconds(60), "/dev/full").status,
              1);
}

TEST_F(CliOnSim, liveIntoAClosedPipeStopsFreesThePortAndLeavesWholeRecordedLines) {
    const std::string recording = folder.file("drive.txt");
    std::vector<std::string> argv = base(server.slavePath());
    argv.insert(argv.end(), {"live", "--record", recording});
    std::string first;
    EXPECT_EQ(runIntoClosedPipe(argv, first), 1);
    EXPECT_EQ(std::count(first.begin(), first.end(), '\t'), 23) << first;

    // Every recorded line is whole: 24 fields and its line end.
    const std::string text = readWholeFile(recording);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    for (const std::string& line : lines(text))
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 23) << line;

    // The port was let go: the next run finds the controller on it.
    const ProcessResult again = cli({"identify"});
    EXPECT_EQ(again.status, 0) << again.err;
}

TEST_F(CliOnSim, aQuestionWithoutATerminalIsOneLineSayingItWasAnsweredNo) {
    const ProcessResult r = cli({"settings", "defaults"});
    EXPECT_EQ(r.status, 1);
    const auto errLines = lines(r.err);
    const auto answered = std::find_if(errLines.begin(), errLines.end(), [](const std::string& l) {
        return contains(l, "Brak terminala: odpowiedź Nie na pytanie:");
    });
    ASSERT_NE(answered, errLines.end()) << r.err;
    EXPECT_TRUE(contains(*answered, "--yes")) << *answered;
    EXPECT_FALSE(contains(r.err, "[y/N]")) << r.err;

    // The question whether to fake a controller is never answered by --yes:
    // the line does not offer it.
    const ProcessResult demo = cliOn("/nonexistent-vexor-port", {"--yes", "identify"});
    EXPECT_EQ(demo.status, 3);
    EXPECT_TRUE(contains(demo.err, "Brak terminala")) << demo.err;
    EXPECT_FALSE(contains(demo.err, "--yes")) << demo.err;
}
