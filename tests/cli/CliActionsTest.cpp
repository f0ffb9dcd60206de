#include "CliOnSim.h"

#include "device/ProgramImage.h"
#include "files/FirmwareFileBuilder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::size_t tabs(const std::string& line) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
}

// Runs argv with stderr on a terminal and returns what the terminal showed.
std::string stderrOnTerminal(const std::vector<std::string>& argv, int& status) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[128] = {};
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0)
        throw std::runtime_error("no pseudo-terminal");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, name, O_RDWR | O_NOCTTY, 0);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("spawn");
    std::string shown;
    int wstatus = 0;
    bool ended = false;
    for (;;) {
        pollfd fd{master, POLLIN, 0};
        const int ready = ::poll(&fd, 1, 50);
        if (ready > 0 && (fd.revents & POLLIN)) {
            char chunk[1024];
            const ssize_t n = ::read(master, chunk, sizeof chunk);
            if (n > 0) {
                shown.append(chunk, static_cast<std::size_t>(n));
                continue;
            }
        }
        // Everything the program wrote has been read once it has ended and
        // the terminal has nothing more.
        if (ended)
            break;
        ended = ::waitpid(pid, &wstatus, WNOHANG) == pid;
    }
    ::close(master);
    status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return shown;
}

std::string withoutFirstLine(const std::string& text) {
    return text.substr(text.find('\n') + 1);
}

std::string writeImage(CTempFolder& folder, const std::string& name, std::uint16_t version,
                       std::uint16_t tag = 0x0101) {
    std::vector<std::uint8_t> image(16000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + 5);
    const auto bytes = vexor::buildFirmwareFile(image, version, "KORVANTIS", tag);
    const std::string path = folder.file(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

} // namespace

TEST_F(CliOnSim, settingsShowSaveAndLoadUseTheSettingsFileFormat) {
    const ProcessResult shown = cli({"settings", "show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto out = lines(shown.out);
    ASSERT_EQ(out.size(), 417u);
    EXPECT_EQ(out[0], "m_timeStamp\t");
    for (const std::string& line : out)
        EXPECT_EQ(tabs(line), 1u) << line;

    const std::string file = folder.file("car.xset");
    ASSERT_EQ(cli({"settings", "save", file}).status, 0);
    EXPECT_EQ(withoutFirstLine(readWholeFile(file)), withoutFirstLine(shown.out));

    server.requestLog().clear();
    const ProcessResult loaded = cli({"settings", "load", file});
    EXPECT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(count(SimMatch::cmd(3)), 1u);
    EXPECT_EQ(count(SimMatch::read(0x0A)), 1u);
}

TEST_F(CliOnSim, aSettingsFileThatCannotBeUsedIsStatusTwoBeforeAnythingIsSent) {
    std::string text = cli({"settings", "show"}).out;
    text.erase(text.find("m_base.m_flags\t"),
               text.find('\n', text.find("m_base.m_flags\t")) + 1 - text.find("m_base.m_flags\t"));
    writeWholeFile(folder.file("short.xset"), text);
    server.requestLog().clear();

    const ProcessResult r = cli({"settings", "load", folder.file("short.xset")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "Nie można wczytać ustawień z pliku"));
    EXPECT_EQ(cli({"settings", "load", folder.file("missing.xset")}).status, 2);
    EXPECT_EQ(cli({"settings", "save", folder.file("no-folder/car.xset")}).status, 2);
    EXPECT_EQ(server.requestLog().size(), 0u);
}

TEST_F(CliOnSim, defaultsAreAskedAndOnlyYesWritesThem) {
    ProcessResult r = cli({"settings", "defaults"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "Czy chcesz przywrócić ustawienia fabryczne?"));
    EXPECT_EQ(count(SimMatch::cmd(3)), 0u);

    r = cli({"--yes", "settings", "defaults"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(count(SimMatch::cmd(3)), 1u);
    EXPECT_EQ(count(SimMatch::read(0x14)), 1u);
}

TEST_F(CliOnSim, livePrintsEachRecordOnceAndRecordsTheSameLines) {
    const std::string record = folder.file("run.osc");
    const ProcessResult r = cli({"live", "-n", "3", "--record", record});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 3u);
    for (const std::string& line : out)
        EXPECT_EQ(tabs(line), 23u) << line;
    const auto recorded = lines(readWholeFile(record));
    ASSERT_GE(recorded.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(recorded.begin(), recorded.begin() + 3), out);

    EXPECT_EQ(cli({"live", "-n", "0"}).status, 2);
    EXPECT_EQ(cli({"live", "--record", folder.file("no-folder/x.osc")}).status, 2);
}

TEST_F(CliOnSim, mapShowAndARegionOperationAsTheGridSendsIt) {
    sim([](CSimController& c) { c.setMapCell(18, 14, -7); });
    ProcessResult r = cli({"map", "show"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto out = lines(r.out);
    ASSERT_EQ(out.size(), 19u);
    for (const std::string& line : out)
        EXPECT_EQ(tabs(line), 14u);
    EXPECT_EQ(out[18].substr(out[18].rfind('\t') + 1), "-7");

    server.requestLog().clear();
    r = cli({"map", "set", "2", "3", "2", "2", "80"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto regions = server.requestLog().requests(SimMatch::cmd(13));
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].payload, (std::vector<std::uint8_t>{2, 3, 2, 2, 1, 150}));
    EXPECT_EQ(count(SimMatch::read(0x13)), 1u);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapCell(3, 4); }), 50);

    r = cli({"map", "sub", "2", "3", "1", "1", "70"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(server.requestLog().requests(SimMatch::cmd(13)).back().payload,
              (std::vector<std::uint8_t>{2, 3, 1, 1, 3, 50}));

    server.requestLog().clear();
    r = cli({"map", "add", "2", "3", "1", "1", "-3"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "Wprowadź dodatnią liczbę"));
    EXPECT_EQ(cli({"map", "clear", "0", "0", "20", "1"}).status, 2);
    EXPECT_EQ(cli({"map", "clear", "0", "0", "1", "1", "5"}).status, 2);
    EXPECT_EQ(server.requestLog().size(), 0u);
}

TEST_F(CliOnSim, flashProgramsAValidImageWithProgressAndRefusesABadOneUpFront) {
    server.requestLog().clear();
    ProcessResult r = cli({"flash", writeImage(folder, "tag.img", 0x0208, 0x0100)});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "Nie powiodło się zaprogramowanie urządzenia!"));
    EXPECT_EQ(server.requestLog().size(), 0u);

    r = cli({"flash", writeImage(folder, "old.img", 0x0207)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "Czy chcesz zaprogramować sterownik starszą wersją?"));
    EXPECT_EQ(count(SimMatch::cmd(251)), 0u);

    r = cli({"--yes", "flash", writeImage(folder, "old.img", 0x0207)});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t pages = vexor::programPagePlan((16000 + 127) / 128).size();
    EXPECT_EQ(count(SimMatch::cmd(251)), pages);
    // Into a pipe only the outcome: no progress lines for a log to fill up with.
    EXPECT_FALSE(contains(r.err, "%")) << r.err;
    EXPECT_TRUE(sim([](CSimController& c) { return c.programmingEnded(); }));
}

TEST_F(CliOnSim, flashProgressOnATerminalIsOneLineThatUpdates) {
    std::vector<std::string> argv = base(server.slavePath());
    argv.insert(argv.end(), {"flash", writeImage(folder, "new.img", 0x0209)});
    int status = -1;
    const std::string shown = stderrOnTerminal(argv, status);
    ASSERT_EQ(status, 0) << shown;
    const std::size_t pages = vexor::programPagePlan((16000 + 127) / 128).size();
    EXPECT_TRUE(contains(shown, std::to_string(pages) + "/" + std::to_string(pages) + " 100%"))
        << shown;
    // Every update returns to the start of the one line; a single line end
    // closes it.
    std::size_t percentLines = 0;
    for (const std::string& line : lines(shown)) {
        if (contains(line, "%")) {
            ++percentLines;
            EXPECT_GT(std::count(line.begin(), line.end(), '\r'), 2) << line;
        }
    }
    EXPECT_EQ(percentLines, 1u) << shown;
}
