#include "backup/RawBackupFile.h"
#include "backup/RawRestorePlan.h"
#include "device/codecs/InjMapCodec.h"

#include "../files/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vexor;

namespace {

SRawBackup sample() {
    SRawBackup b;
    b.version = 520;
    b.serial = "GAS 10\t42"; // blanks and tabs must survive the line format
    for (const SRawBlock& entry : CRawImage::layout()) {
        std::vector<std::uint8_t> bytes(entry.bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(255 - i * 3 - entry.where);
        b.image.store(entry.name, bytes.data(), bytes.size());
    }
    // A map the controller would take: its check sum right.
    const auto map = encodeInjMap(DeviceSettings{});
    b.image.store("map", map.data(), map.size());
    return b;
}

// The text with `from` replaced by `to` and the check sum made right again,
// so that only the content rule is left to refuse it.
std::string resealed(const std::string& text, const std::string& from, const std::string& to) {
    std::string body = text.substr(0, text.rfind("crc32 "));
    body.replace(body.find(from), from.size(), to);
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(crc32(body)));
    return body + "crc32 " + crc + "\n";
}

} // namespace

TEST(RawBackupFile, everyBlockAndTheIdentityComeBackExactly) {
    const SRawBackup in = sample();
    SRawBackup out;
    std::string problem;
    ASSERT_TRUE(parseRawBackup(formatRawBackup(in), out, problem)) << problem;
    EXPECT_EQ(out.version, 520);
    EXPECT_EQ(out.serial, in.serial);
    for (const SRawBlock& b : in.image.blocks()) {
        ASSERT_NE(out.image.find(b.name), nullptr) << b.name;
        EXPECT_EQ(out.image.find(b.name)->bytes, b.bytes) << b.name;
    }
}

TEST(RawBackupFile, anyDamageRefusesTheWholeFileAndNamesTheLine) {
    const std::string good = formatRawBackup(sample());
    const std::size_t baseAt = good.find("block base ");
    const std::string baseLine = good.substr(baseAt, good.find('\n', baseAt) + 1 - baseAt);
    struct SCase {
        const char* what;
        std::string text;
        const char* says;
    };
    const std::vector<SCase> cases = {
        {"a byte changed", good.substr(0, 40) + (good[40] == 'A' ? "B" : "A") + good.substr(41),
         "check sum"},
        {"cut short", good.substr(0, good.size() / 2), "cut short"},
        {"text after the check sum", good + "x\n", "after the check sum"},
        {"a length this program does not know",
         resealed(good, "block base 7 3 28 ", "block base 7 3 27 "), "does not know"},
        {"another write command", resealed(good, "block base 7 3 ", "block base 7 4 "),
         "does not know"},
        {"bytes shorter than the length",
         resealed(good, baseLine.substr(0, 30), baseLine.substr(0, 28)), "damaged"},
        {"a block twice", resealed(good, "block adv ", baseLine + "block adv "), "twice"},
        {"a block missing", resealed(good, baseLine, ""), "missing"},
        {"another format", resealed(good, "vexor-raw 1", "vexor-raw 2"), "line 1"},
    };
    for (const SCase& c : cases) {
        SRawBackup out;
        std::string problem;
        EXPECT_FALSE(parseRawBackup(c.text, out, problem)) << c.what;
        EXPECT_NE(problem.find(c.says), std::string::npos) << c.what << ": " << problem;
    }
}

TEST(RawRestorePlan, rawBlocksAreUsedOnlyOnTheControllerAndFirmwareTheyCameFrom) {
    CTempFolder folder;
    const std::string settings = folder.file("b.xset");
    SRawRestorePlan plan = SRawRestorePlan::forBackup(settings);
    EXPECT_EQ(plan.state, SRawRestorePlan::State::Missing);
    EXPECT_FALSE(plan.fallbackMessage().empty());

    ASSERT_TRUE(writeRawBackup(rawBackupPath(settings), sample()));
    DeviceSettings controller;
    controller.m_devInfo.m_version = 520;
    controller.m_devInfo.m_serial = sample().serial;
    plan = SRawRestorePlan::forBackup(settings);
    plan.checkController(controller);
    EXPECT_TRUE(plan.usable());
    EXPECT_EQ(plan.fallbackMessage(), "");

    controller.m_devInfo.m_version = 521;
    plan = SRawRestorePlan::forBackup(settings);
    plan.checkController(controller);
    EXPECT_EQ(plan.state, SRawRestorePlan::State::OtherController);

    std::ofstream(rawBackupPath(settings), std::ios::app) << "more\n";
    plan = SRawRestorePlan::forBackup(settings);
    EXPECT_EQ(plan.state, SRawRestorePlan::State::Damaged);
    EXPECT_NE(plan.fallbackMessage().find("b.xraw"), std::string::npos);
}
