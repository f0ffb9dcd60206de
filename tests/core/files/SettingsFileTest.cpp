#include "files/SettingsFile.h"
#include "TempFolder.h"
#include "settings/SettingsFileIo.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string valueOf(const std::string& text, const std::string& key) {
    for (const std::string& line : linesOf(text)) {
        if (line.rfind(key + "\t", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return "<missing>";
}

// Removes the line of key (with its line end) from a file's text.
std::string withoutKey(std::string text, const std::string& key) {
    const std::size_t at = text.find(key + "\t");
    if (at != std::string::npos) {
        text.erase(at, text.find('\n', at) + 1 - at);
    }
    return text;
}

// An image in which every group holds something other than its defaults.
DeviceSettings sampleSettings() {
    DeviceSettings s;
    s.m_timeStamp = "21-06-2009-10:05:09";
    s.m_devInfo.m_version = 0x208;
    s.m_devInfo.m_injCount = 6;
    s.m_devInfo.m_serial = "xq001";
    s.m_devInfo.m_prodDate = "21/06/2009";
    s.m_devInfo.m_flags1 = 0x8005;
    s.m_devInfo.m_flags2 = 7;
    s.m_devInfo.m_deviceID = 200;
    s.m_devInfo.m_statistic = {123456, 654321, 65535};
    s.m_carInfo.m_vendor = "Škoda";
    s.m_carInfo.m_model = "Octavia\tkombi";
    s.m_carInfo.m_engine = "1.6 MPI";
    s.m_carInfo.m_reductorPress = 1.35;
    s.m_base.m_switchRPM = 1500;
    s.m_base.m_sparkDivider = 8;
    s.m_base.m_flags = 0xD3;
    s.m_base.m_temprGain = -0.25;
    s.m_adv.m_pwmOffset = 2.75;
    s.m_adv.m_injectorType = 9;
    s.m_adv.m_cutOffExitDelay = 1.5;
    s.m_mainCorr.m_mainCorr = {0.996, 1, -0.2, 0.5, 1.004, 0.9, 1.1, 1.25};
    s.m_sensorsSetup.m_lambdaType = 6;
    s.m_sensorsSetup.m_lambdaEmulatorTable[14] = 0.8;
    s.m_sensorsSetup.m_fuelQuarter = 17;
    s.m_setupTimes1[0] = -100;
    s.m_setupTimes2[19] = 155;
    s.m_tableMask = 0x0F;
    for (int r = 0; r < DeviceSettings::kMapRows; ++r) {
        for (int c = 0; c < DeviceSettings::kMapCols; ++c) {
            s.m_injMapTable[r][c] = (r * 15 + c) % 101 - 50;
        }
    }
    s.m_corrMap.m_flags = 1;
    s.m_advancedSetup.m_minimalLPGRPM = 650;
    s.m_advancedSetup.m_switchCorr = 12;
    s.m_advancedSetup.m_advancedFlags = 0x9B;
    return s;
}

// Runs action in a child process that first gives up root, to whom every file
// is writable. 1 when action returned true, 0 when false, -1 when it could not
// be run.
int runWithoutRoot(const std::function<bool()>& action) {
    const pid_t child = ::fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        ::_exit(action() ? 1 : 0);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        return -1;
    }
    return WEXITSTATUS(status);
}

class SettingsFileTest : public ::testing::Test {
protected:
    CTempFolder m_dir;
    std::string m_path = m_dir.file("car.xset");
};

} // namespace

TEST(SettingsNumbers, NumbersAreWrittenLikePrintfGWithSixDigits) {
    EXPECT_EQ(CSettingsFile::formatNumber(1200), "1200");
    EXPECT_EQ(CSettingsFile::formatNumber(1), "1");
    EXPECT_EQ(CSettingsFile::formatNumber(0.996), "0.996");
    EXPECT_EQ(CSettingsFile::formatNumber(0.8), "0.8");
    EXPECT_EQ(CSettingsFile::formatNumber(1234567), "1.23457e+06");
    EXPECT_EQ(CSettingsFile::formatNumber(4294967295.0), "4.29497e+09");
    for (double v : {0.0, -0.5, 1e-5, 0.51, 123456.0, 999999.5, -7000.0, 0.1 + 0.2, 155.0}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%g", v);
        EXPECT_EQ(CSettingsFile::formatNumber(v), expected) << v;
    }
}

TEST(SettingsNumbers, NumbersAreReadLikeAtofAndIntegersKeepTheirLowBits) {
    EXPECT_EQ(CSettingsFile::parseNumber("0.996"), 0.996);
    EXPECT_EQ(CSettingsFile::parseNumber("  12abc"), 12);
    EXPECT_EQ(CSettingsFile::parseNumber("abc"), 0);
    EXPECT_EQ(CSettingsFile::parseNumber(""), 0);
    EXPECT_EQ(CSettingsFile::parseNumber("1.23457e+06"), 1234570);

    EXPECT_EQ(static_cast<std::uint8_t>(vexor::settingsIntegerBits(300)), 44);
    EXPECT_EQ(static_cast<std::uint8_t>(vexor::settingsIntegerBits(-1)), 255);
    EXPECT_EQ(static_cast<std::uint8_t>(vexor::settingsIntegerBits(12.9)), 12);
    EXPECT_EQ(static_cast<std::int32_t>(vexor::settingsIntegerBits(-2.7)), -2);
    EXPECT_EQ(static_cast<std::uint32_t>(vexor::settingsIntegerBits(4294967297.0)), 1u);
    EXPECT_EQ(vexor::settingsIntegerBits(std::nan("")), 0u);
    EXPECT_EQ(vexor::settingsIntegerBits(1e300), 0u); // a multiple of 2^64
}

TEST(SettingsNumbers, NumbersIgnoreTheUsersDecimalComma) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    EXPECT_EQ(CSettingsFile::formatNumber(0.996), "0.996");
    EXPECT_EQ(CSettingsFile::parseNumber("0.996"), 0.996);
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST_F(SettingsFileTest, SavedFileHas417LinesInFixedOrderWithTabAndLf) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, DeviceSettings{}));
    const std::string text = readWholeFile(m_path);
    const std::vector<std::string> lines = linesOf(text);

    ASSERT_EQ(lines.size(), 417u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(lines.front(), "m_timeStamp\t");
    EXPECT_EQ(lines[1], "m_devInfo.m_version\t0");
    EXPECT_EQ(lines.back(), "m_advancedSetup.m_advancedFlags\t16");
    EXPECT_EQ(valueOf(text, "m_base.m_switchRPM"), "1200");
    EXPECT_EQ(valueOf(text, "m_base.m_flags"), "144");
    EXPECT_EQ(valueOf(text, "m_base.m_pressAverageCount"), "0.8");
    EXPECT_EQ(valueOf(text, "m_mainCorr.m_mainCorr[0]"), "1");
    EXPECT_EQ(valueOf(text, "m_mainCorr.m_mainCorr[7]"), "1");
    EXPECT_EQ(valueOf(text, "m_sensorsSetup.m_lambdaEmulatorTable[8000]"), "0.51");
    EXPECT_EQ(valueOf(text, "m_setupTimes1[20]"), "0");

    auto indexOf = [&](const std::string& key) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind(key + "\t", 0) == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    EXPECT_EQ(indexOf("m_injMapTable[2][1000]") + 284, indexOf("m_injMapTable[20][8000]"));
    EXPECT_EQ(indexOf("m_injMapTable[20][8000]") + 1, indexOf("m_corrMap.m_flags"));
    EXPECT_EQ(indexOf("m_setupTimes1[20]") + 1, indexOf("m_tableMask"));
    EXPECT_LT(indexOf("m_sensorsSetup.m_temprLPGSensor"), indexOf("m_setupTimes1[1]"));
    // Members the controller owns are not part of the file.
    EXPECT_EQ(text.find("m_producer"), std::string::npos);
    EXPECT_EQ(text.find("m_stationCode"), std::string::npos);
    EXPECT_EQ(text.find("m_injSequence"), std::string::npos);
    EXPECT_EQ(text.find("m_maxLoad"), std::string::npos);

    EXPECT_EQ(vexor::formatSettingsFile(DeviceSettings{}), text);
}

TEST_F(SettingsFileTest, SaveLoadSaveRoundTripGivesIdenticalFilesAndImage) {
    const DeviceSettings saved = sampleSettings();
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, saved));

    DeviceSettings loaded;
    loaded.m_adv.m_injSequence = {0xFF};
    loaded.m_advancedSetup.m_maxLoad = 3.5;
    std::string missing = "x";
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded, &missing));
    EXPECT_TRUE(missing.empty());

    // Members outside the file keep what the target held.
    EXPECT_EQ(loaded.m_adv.m_injSequence[0], 0xFF);
    EXPECT_EQ(loaded.m_advancedSetup.m_maxLoad, 3.5);
    DeviceSettings expected = saved;
    expected.m_adv.m_injSequence = loaded.m_adv.m_injSequence;
    expected.m_advancedSetup.m_maxLoad = 3.5;
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(loaded.m_carInfo.m_model, "Octavia\tkombi");

    const std::string again = m_dir.file("again.xset");
    ASSERT_TRUE(vexor::writeSettingsFile(again, loaded));
    EXPECT_EQ(readWholeFile(again), readWholeFile(m_path));
}

TEST_F(SettingsFileTest, ReaderTakesTheFirstOfDuplicateKeysAndAcceptsUnknownLines) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, DeviceSettings{}));
    std::string text = readWholeFile(m_path);
    text = "# comment without tab\nsome.unknown\tkey\n" + text + "m_base.m_flags\t0\n";
    writeWholeFile(m_path, text);

    DeviceSettings loaded;
    loaded.m_base.m_flags = 1;
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded));
    EXPECT_EQ(loaded.m_base.m_flags, 144);
}

TEST_F(SettingsFileTest, FileMissingAKeyIsRefusedAndNamesTheFirstMissingKeyInLoadOrder) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, sampleSettings()));
    const std::string full = readWholeFile(m_path);

    writeWholeFile(m_path, withoutKey(full, "m_sensorsSetup.m_fuelQuarter"));
    DeviceSettings target;
    std::string missing;
    EXPECT_FALSE(vexor::readSettingsFile(m_path, target, &missing));
    EXPECT_EQ(missing, "m_sensorsSetup.m_fuelQuarter");
    // The sections before the sensors were read; the caller discards them.
    EXPECT_EQ(target.m_base.m_switchRPM, 1500);

    // Setup times are read before the sensors, so their gap is the one named.
    writeWholeFile(
        m_path, withoutKey(withoutKey(full, "m_sensorsSetup.m_lambdaType"), "m_setupTimes2[20]"));
    EXPECT_FALSE(vexor::readSettingsFile(m_path, target, &missing));
    EXPECT_EQ(missing, "m_setupTimes2[20]");

    EXPECT_FALSE(vexor::readSettingsFile(m_dir.file("absent.xset"), target, &missing));
    EXPECT_EQ(missing, "");
}

TEST_F(SettingsFileTest, OnlyARealLineEndIsDroppedFromAValue) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, DeviceSettings{}));
    std::string text = withoutKey(readWholeFile(m_path), "m_base.m_switchRPM");
    text = withoutKey(text, "m_carInfo.m_vendor");
    text = withoutKey(text, "m_devInfo.m_injCount");

    // A last line without a line end keeps its last character.
    writeWholeFile(m_path, text + "m_devInfo.m_injCount\t\nm_carInfo.m_vendor\tFiat\n"
                                  "m_base.m_switchRPM\t1200");
    DeviceSettings loaded;
    loaded.m_devInfo.m_injCount = 4;
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded));
    EXPECT_EQ(loaded.m_base.m_switchRPM, 1200);
    EXPECT_EQ(loaded.m_carInfo.m_vendor, "Fiat");
    // A key with a TAB and nothing after it is found, empty, and reads as 0.
    EXPECT_EQ(loaded.m_devInfo.m_injCount, 0);

    writeWholeFile(m_path, text + "m_devInfo.m_injCount\t6\nm_base.m_switchRPM\t1200\n"
                                  "m_carInfo.m_vendor\t");
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded));
    EXPECT_EQ(loaded.m_carInfo.m_vendor, "");
}

TEST_F(SettingsFileTest, WindowsLineEndsReadTheSame) {
    const DeviceSettings saved = sampleSettings();
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, saved));
    std::string crlf;
    for (char c : readWholeFile(m_path)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    writeWholeFile(m_path, crlf);

    DeviceSettings loaded;
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded));
    EXPECT_EQ(loaded, saved);
}

TEST_F(SettingsFileTest, LongTextValueStaysOneLine) {
    DeviceSettings saved;
    saved.m_carInfo.m_injectors = std::string(600, 'x') + "m_base.m_switchRPM\t5";
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, saved));
    DeviceSettings loaded;
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded));
    EXPECT_EQ(loaded.m_carInfo.m_injectors, saved.m_carInfo.m_injectors);
    EXPECT_EQ(loaded.m_base.m_switchRPM, 1200);
}

TEST_F(SettingsFileTest, LineBreaksInTextAreWrittenAsSpacesSoTheFileStillLoads) {
    DeviceSettings saved;
    saved.m_carInfo.m_model = "Golf\nIV\r\nTDI";
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, saved));
    EXPECT_EQ(linesOf(readWholeFile(m_path)).size(), 417u);

    DeviceSettings loaded;
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded));
    EXPECT_EQ(loaded.m_carInfo.m_model, "Golf IV  TDI");
}

TEST_F(SettingsFileTest, IntegerMembersKeepTheLowBitsOfTheIntegerPart) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, DeviceSettings{}));
    std::string text = readWholeFile(m_path);
    for (const char* key : {"m_base.m_sparkDivider", "m_devInfo.m_version", "m_devInfo.m_flags1",
                            "m_devInfo.m_statistic.modify", "m_base.m_switchRPM"}) {
        text = withoutKey(text, key);
    }
    text += "m_base.m_sparkDivider\t300\nm_devInfo.m_version\t-2\nm_devInfo.m_flags1\t4.29497e+09\n"
            "m_devInfo.m_statistic.modify\t70000.9\nm_base.m_switchRPM\tfast\n";
    writeWholeFile(m_path, text);

    DeviceSettings loaded;
    ASSERT_TRUE(vexor::readSettingsFile(m_path, loaded));
    EXPECT_EQ(loaded.m_base.m_sparkDivider, 44);
    EXPECT_EQ(loaded.m_devInfo.m_version, -2);
    EXPECT_EQ(loaded.m_devInfo.m_flags1, 4294970000u - 4294967296u);
    EXPECT_EQ(loaded.m_devInfo.m_statistic.modify, 70000 - 65536);
    EXPECT_EQ(loaded.m_base.m_switchRPM, 0);
}

TEST_F(SettingsFileTest, FailedSaveReportsFailureAndKeepsTheOldFile) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, sampleSettings()));
    const std::string before = readWholeFile(m_path);

    // A disk that fills up part way: writes beyond 1000 bytes fail.
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = vexor::writeSettingsFile(m_path, DeviceSettings{});
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    ::sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readWholeFile(m_path), before);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1);

    EXPECT_FALSE(vexor::writeSettingsFile(m_dir.file("no/such/folder/car.xset"), DeviceSettings{}));
    // The target is a folder: the finished file cannot replace it.
    std::filesystem::create_directory(m_dir.file("folder.xset"));
    EXPECT_FALSE(vexor::writeSettingsFile(m_dir.file("folder.xset"), DeviceSettings{}));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.file("folder.xset")));
}

TEST_F(SettingsFileTest, ReadOnlyFileIsNotReplacedBySave) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, sampleSettings()));
    const std::string before = readWholeFile(m_path);
    namespace fs = std::filesystem;
    fs::permissions(m_dir.path(), fs::perms::all);
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const int saved =
        runWithoutRoot([&] { return vexor::writeSettingsFile(m_path, DeviceSettings{}); });
    if (saved < 0) {
        GTEST_SKIP() << "cannot run a save without root here";
    }
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(readWholeFile(m_path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), {}), 1);
}

TEST_F(SettingsFileTest, HugeFileOrEndlessDeviceIsRefusedInsteadOfFillingMemory) {
    ASSERT_TRUE(vexor::writeSettingsFile(m_path, DeviceSettings{}));
    // Zero bytes behind the last line: every key is still there.
    std::filesystem::resize_file(m_path, CSettingsFile::kMaxFileSize);
    DeviceSettings target;
    EXPECT_TRUE(vexor::readSettingsFile(m_path, target));
    std::filesystem::resize_file(m_path, CSettingsFile::kMaxFileSize + 1);
    EXPECT_FALSE(vexor::readSettingsFile(m_path, target));

    if (std::filesystem::exists("/dev/zero")) {
        EXPECT_FALSE(vexor::readSettingsFile("/dev/zero", target));
    }
}

TEST_F(SettingsFileTest, SettingsFileReadsOnlyWhatItWasOpenedFor) {
    CSettingsFile file;
    std::string value;
    EXPECT_FALSE(file.readText("m_timeStamp", value));
    ASSERT_TRUE(file.open(m_path, true));
    EXPECT_TRUE(file.writeText("m_timeStamp", "now"));
    EXPECT_FALSE(file.readText("m_timeStamp", value));
    EXPECT_FALSE(file.writeText("bad\tkey", "x"));
    // A refused line fails the whole save.
    EXPECT_FALSE(file.close());
    EXPECT_FALSE(std::filesystem::exists(m_path));

    ASSERT_TRUE(file.open(m_path, true));
    EXPECT_TRUE(file.writeNumber("n", 2.5));
    EXPECT_TRUE(file.close());
    ASSERT_TRUE(file.open(m_path, false));
    double n = 0;
    EXPECT_TRUE(file.readNumber("n", n));
    EXPECT_EQ(n, 2.5);
    EXPECT_FALSE(file.writeNumber("n", 3));
}

TEST(SettingsStamp, TimeStampIsDayMonthYearAndTime) {
    const std::string previous = std::getenv("TZ") ? std::getenv("TZ") : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    DeviceSettings settings;
    vexor::stampTime(settings, 1245571509);
    EXPECT_EQ(settings.m_timeStamp, "21-06-2009-08:05:09");
    if (previous.empty()) {
        ::unsetenv("TZ");
    } else {
        ::setenv("TZ", previous.c_str(), 1);
    }
    ::tzset();
}
