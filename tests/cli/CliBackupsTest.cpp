#include "CliOnSim.h"

#include "files/FirmwareFileBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Requests other than reads: what would change the controller.
std::size_t changes(const CSimRequestLog& log) {
    std::size_t n = 0;
    for (const SimRequest& r : log.requests())
        n += r.command != 2 ? 1 : 0;
    return n;
}

// The switch-over speed as the controller holds it (base block, a period).
int controllerSwitchRpm(CSimServer& server) {
    const auto base = server.withController([](CSimController& c) { return c.block(3); });
    const int raw = base[0] | (base[1] << 8);
    return static_cast<int>(std::lround(4800000.0 / raw / 100.0) * 100);
}

std::string valueOf(const std::string& fileText, const std::string& key) {
    for (const std::string& line : lines(fileText)) {
        if (line.rfind(key + "\t", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return "<missing>";
}

} // namespace

TEST_F(CliOnSim, loadTakesABackupAsReadAndRestoreBringsItBack) {
    const std::string original = folder.file("original.xset");
    ASSERT_EQ(cli({"settings", "save", original}).status, 0);
    const std::string car = folder.file("car.xset");
    std::filesystem::copy_file(original, car);
    ProcessResult r = cli({"settings", "set", car, "m_base.m_switchRPM", "2500"});
    ASSERT_EQ(r.status, 0) << r.err;

    const std::string shownBefore = cli({"settings", "show"}).out;
    r = cli({"settings", "load", car});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(controllerSwitchRpm(server), 2500);
    EXPECT_EQ(cli({"settings", "diff", car}).out, "");

    r = cli({"backups"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto listed = lines(r.out);
    ASSERT_EQ(listed.size(), 1u);
    const std::string id = listed[0].substr(0, listed[0].find('\t'));
    EXPECT_EQ(id.rfind("GAS1000042/", 0), 0u) << id;
    EXPECT_TRUE(id.size() > 5 && id.substr(id.size() - 5) == "-load") << id;
    EXPECT_TRUE(contains(listed[0], "\tload\tGAS1000042")) << listed[0];
    const std::string backupFile = folder.file("data/backups/" + id + ".xset");
    EXPECT_EQ(readWholeFile(backupFile), shownBefore); // the image exactly as read

    server.requestLog().clear();
    r = cli({"backups", "restore", id});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(count(SimMatch::cmd(3)), 1u);
    EXPECT_EQ(controllerSwitchRpm(server), 1200);

    // The restore saved what it replaced, and an unknown ID sends nothing.
    listed = lines(cli({"backups", "--serial", "GAS1000042"}).out);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_TRUE(contains(listed[1], "\trestore\t"));
    const std::string restoreId = listed[1].substr(0, listed[1].find('\t'));
    EXPECT_EQ(valueOf(readWholeFile(folder.file("data/backups/" + restoreId + ".xset")),
                      "m_base.m_switchRPM"),
              "2500");
    EXPECT_EQ(cli({"backups", "--serial", "someone-else"}).out, "");
    server.requestLog().clear();
    r = cli({"backups", "restore", "GAS1000042/../../original"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "Nie ma takiej kopii zapasowej"));
    EXPECT_EQ(server.requestLog().size(), 0u);
}

TEST_F(CliOnSim, everyChangingCommandStopsBeforeSendingWhenItsBackupCannotBeWritten) {
    const std::string car = folder.file("car.xset");
    ASSERT_EQ(cli({"settings", "save", car}).status, 0);
    std::vector<std::uint8_t> image(16000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + 5);
    const auto firmware = vexor::buildFirmwareFile(image, 0x0209, "KORVANTIS", 0x0101);
    const std::string img = folder.file("new.img");
    std::ofstream(img, std::ios::binary)
        .write(reinterpret_cast<const char*>(firmware.data()),
               static_cast<std::streamsize>(firmware.size()));

    // A file where the backups folder should be.
    std::filesystem::create_directories(folder.file("data"));
    writeWholeFile(folder.file("data/backups"), "in the way");
    const std::vector<std::vector<std::string>> commands = {
        {"settings", "load", car},
        {"--yes", "settings", "defaults"},
        {"map", "set", "0", "0", "1", "1", "10"},
        {"map", "clear", "0", "0", "1", "1"},
        {"--yes", "flash", img},
    };
    for (const auto& command : commands) {
        server.requestLog().clear();
        std::vector<std::string> argv = base(server.slavePath());
        argv.insert(argv.end(), command.begin(), command.end());
        const ProcessResult r = runProcess(argv);
        EXPECT_EQ(r.status, 2) << command[1] << "\n" << r.err;
        EXPECT_TRUE(contains(r.err, "Nie można zapisać kopii zapasowej ustawień")) << r.err;
        EXPECT_EQ(changes(server.requestLog()), 0u) << command[1];
    }

    // --no-backup goes ahead without one.
    server.requestLog().clear();
    const ProcessResult r = cli({"--no-backup", "map", "set", "0", "0", "1", "1", "10"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(count(SimMatch::cmd(13)), 1u);
}

TEST_F(CliOnSim, mapAndDefaultsBackUpButDemoAndRefusalsDoNot) {
    ASSERT_EQ(cli({"map", "add", "1", "1", "2", "2", "5"}).status, 0);
    ASSERT_EQ(cli({"settings", "defaults"}).status, 1); // answered No: nothing changes
    ASSERT_EQ(cli({"--yes", "settings", "defaults"}).status, 0);
    // A downgrade without --yes is refused before anything changes.
    std::vector<std::uint8_t> image(16000, 0x11);
    const auto old = vexor::buildFirmwareFile(image, 0x0101, "KORVANTIS", 0x0101);
    std::ofstream(folder.file("old.img"), std::ios::binary)
        .write(reinterpret_cast<const char*>(old.data()), static_cast<std::streamsize>(old.size()));
    ASSERT_EQ(cli({"flash", folder.file("old.img")}).status, 1);
    ASSERT_EQ(cli({"--demo", "map", "set", "0", "0", "1", "1", "3"}).status, 0);
    ASSERT_EQ(cli({"--demo", "--yes", "settings", "defaults"}).status, 0);

    const auto listed = lines(cli({"backups"}).out);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_TRUE(contains(listed[0], "\tmap\t"));
    EXPECT_TRUE(contains(listed[1], "\tdefaults\t"));
    // The defaults backup holds the map as the region operation left it.
    const std::string id = listed[1].substr(0, listed[1].find('\t'));
    EXPECT_EQ(valueOf(readWholeFile(folder.file("data/backups/" + id + ".xset")),
                      "m_injMapTable[3][1500]"),
              "5");
}

TEST_F(CliOnSim, diffComparesTheControllerOrTwoFilesAsAFileWritesThem) {
    const std::string a = folder.file("a.xset");
    ASSERT_EQ(cli({"settings", "save", a}).status, 0);
    const std::string b = folder.file("b.xset");
    // Another program's number format: the same value, other spelling.
    std::string text = readWholeFile(a);
    const std::string rpm = "m_base.m_switchRPM\t1200\n";
    ASSERT_TRUE(contains(text, rpm));
    text.replace(text.find(rpm), rpm.size(), "m_base.m_switchRPM\t1200.0\n");
    writeWholeFile(b, text);
    ProcessResult r = cli({"settings", "set", b, "m_sensorsSetup.m_lambdaType", "0 - 5 Volt",
                           "m_carInfo.m_vendor", "Skoda"});
    ASSERT_EQ(r.status, 0) << r.err;

    // Two files: no port is opened, so a port that does not exist is fine.
    r = cliOn(folder.file("no-such-port"), {"settings", "diff", a, b});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "m_carInfo.m_vendor\t\tSkoda\nm_sensorsSetup.m_lambdaType\t1\t2\n");
    r = cliOn(folder.file("no-such-port"), {"settings", "diff", "--all", b, a});
    EXPECT_EQ(lines(r.out).size(), 2u) << "the time stamp was kept";
    server.requestLog().clear();
    r = cli({"settings", "diff", b});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "m_carInfo.m_vendor\t\tSkoda\nm_sensorsSetup.m_lambdaType\t1\t2\n");
    EXPECT_EQ(changes(server.requestLog()), 0u);
    // The controller's image has never been saved: only --all shows that.
    r = cli({"settings", "diff", "--all", b});
    EXPECT_EQ(lines(r.out).size(), 3u);
    EXPECT_EQ(r.out.rfind("m_timeStamp\t\t", 0), 0u) << r.out;
}

TEST_F(CliOnSim, filesThatAreNoSettingsFileAreRefusedBeforeAnythingIsSent) {
    const std::string good = folder.file("good.xset");
    ASSERT_EQ(cli({"settings", "save", good}).status, 0);
    const std::string text = readWholeFile(good);
    // The file with the line of `key` replaced (or removed when line is empty).
    auto variant = [&](const std::string& name, const std::string& key, const std::string& line) {
        const std::size_t at = text.find(key + "\t");
        std::string changed = text;
        changed.replace(at, text.find('\n', at) + 1 - at, line.empty() ? "" : line + "\n");
        writeWholeFile(folder.file(name), changed);
        return folder.file(name);
    };
    const std::string huge = folder.file("huge.xset");
    writeWholeFile(huge, text);
    std::filesystem::resize_file(huge, 20u << 20);
    const std::vector<std::pair<std::string, std::string>> bad = {
        {variant("missing.xset", "m_base.m_flags", ""), "m_base.m_flags"},
        {variant("nan.xset", "m_base.m_switchRPM", "m_base.m_switchRPM\tnan"),
         "m_base.m_switchRPM"},
        {variant("inf.xset", "m_adv.m_pwm", "m_adv.m_pwm\t-inf"), "m_adv.m_pwm"},
        {variant("byte.xset", "m_base.m_flags", "m_base.m_flags\t300"), "m_base.m_flags"},
        {variant("word.xset", "m_base.m_sparkDivider", "m_base.m_sparkDivider\t2x"),
         "m_base.m_sparkDivider"},
        {variant("long.xset", "m_carInfo.m_model", "m_carInfo.m_model\t" + std::string(600, 'x')),
         "long.xset:"},
        {variant("text.xset", "m_carInfo.m_model", "m_carInfo.m_model\t" + std::string(100, 'x')),
         "m_carInfo.m_model"},
        {variant("zero.xset", "m_carInfo.m_model", std::string("m_carInfo.m_model\tA\0B", 21)),
         "zero.xset:"},
        {huge, "huge.xset"},
        {folder.path().string(), folder.path().string()},
        {folder.file("absent.xset"), "absent.xset"},
    };
    ::mkfifo(folder.file("fifo").c_str(), 0600);
    for (const auto& [path, named] : bad) {
        server.requestLog().clear();
        ProcessResult r = cli({"settings", "diff", path});
        EXPECT_EQ(r.status, 2) << path << r.err;
        EXPECT_TRUE(contains(r.err, named)) << r.err;
        EXPECT_TRUE(contains(r.err, "Nie można wczytać ustawień z pliku")) << r.err;
        // Small files are compared byte for byte, the huge one by its size and time.
        const bool small =
            std::filesystem::is_regular_file(path) && std::filesystem::file_size(path) < 65536;
        auto state = [&] {
            if (small)
                return readWholeFile(path);
            std::error_code ec;
            const auto size = std::filesystem::file_size(path, ec);
            const auto time = std::filesystem::last_write_time(path, ec);
            return std::to_string(size) + "@" + std::to_string(time.time_since_epoch().count());
        };
        const std::string before = state();
        r = cli({"settings", "set", path, "m_base.m_switchRPM", "1500"});
        EXPECT_EQ(r.status, 2) << path;
        EXPECT_EQ(state(), before);
        EXPECT_EQ(server.requestLog().size(), 0u);
    }
    EXPECT_EQ(cli({"settings", "diff", good, folder.file("fifo")}).status, 2);

    // A file that cannot be read at all is refused as a load refuses it:
    // the program's name, the file and the system's reason.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"settings", "diff", folder.file("absent.xset")},
             {"settings", "set", folder.file("absent.xset"), "m_base.m_switchRPM", "1500"},
             {"settings", "load", folder.file("absent.xset")}}) {
        std::vector<std::string> argv = base(server.slavePath());
        argv.insert(argv.end(), args.begin(), args.end());
        const ProcessResult r = runProcess(argv);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_EQ(r.err.rfind("vexor-cli: ", 0), 0u) << r.err;
        EXPECT_TRUE(contains(r.err, folder.file("absent.xset") + ": " + std::strerror(ENOENT)))
            << r.err;
    }
}

TEST_F(CliOnSim, setChecksEveryValueAndRewritesTheFileWholeOrNotAtAll) {
    const std::string file = folder.file("car.xset");
    ASSERT_EQ(cli({"settings", "save", file}).status, 0);
    const std::string before = readWholeFile(file);
    const std::string stamp = valueOf(before, "m_timeStamp");

    // One refused pair refuses the whole command.
    const std::vector<std::vector<std::string>> refused = {
        {"m_base.m_switchRPM", "1500", "m_base.m_switchRPM", "1550"},
        {"m_adv.m_injectorType", "3"},
        {"m_base.m_emulatorDelay", "0.55"},
        {"m_devInfo.m_serial", "forged"},
        {"m_timeStamp", "01-01-2020-00:00:00"},
        {"m_devInfo.m_statistic.lpg", "0"},
        {"m_nothing", "1"},
    };
    for (const auto& pairs : refused) {
        std::vector<std::string> argv = base(server.slavePath());
        argv.insert(argv.end(), {"settings", "set", file});
        argv.insert(argv.end(), pairs.begin(), pairs.end());
        const ProcessResult r = runProcess(argv);
        EXPECT_EQ(r.status, 2) << pairs[0];
        EXPECT_TRUE(contains(r.err, pairs[0])) << r.err;
        EXPECT_EQ(readWholeFile(file), before);
    }
    ProcessResult r = cli({"settings", "set", file, "m_adv.m_injectorType", "3"});
    EXPECT_TRUE(contains(r.err, "REG")) << r.err; // says what it takes
    EXPECT_EQ(cli({"settings", "set", file, "m_base.m_switchRPM"}).status, 2);
    EXPECT_EQ(readWholeFile(file), before);

    r = cli({"settings", "set", file, "m_base.m_emulatorDelay", "5.0", "m_adv.m_injectorType",
             "KEIHIN/H2000A+ 1.3 OHM/H2100 1.2 OHM", "m_base.m_maxRPMHigh", "6500"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string after = readWholeFile(file);
    EXPECT_EQ(lines(after).size(), 417u);
    EXPECT_EQ(valueOf(after, "m_timeStamp"), stamp);
    EXPECT_EQ(valueOf(after, "m_base.m_emulatorDelay"), "5");
    EXPECT_EQ(valueOf(after, "m_adv.m_injectorType"), "5");

    // What the controller receives from the edited file.
    server.requestLog().clear();
    r = cli({"--no-backup", "settings", "load", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto base = sim([](CSimController& c) { return c.block(3); });
    EXPECT_EQ(base[20], 200); // 5 s of cylinder switching in 25 ms steps
    EXPECT_EQ(sim([](CSimController& c) { return c.block(4); })[0], 5);
    EXPECT_FALSE(std::filesystem::exists(folder.file("data/backups")));
}
