#include "../files/TempFolder.h"

#include "device/codecs/BlockCodecs.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsFileIo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace {

// Ignition periods of 0 cannot be driven by any controller: the only raw
// value the check refuses on purpose.
void avoidZeroPeriods(std::vector<std::uint8_t>& base, std::vector<std::uint8_t>& advanced) {
    for (std::size_t offset : {0u, 8u, 10u}) {
        if (base[offset] == 0 && base[offset + 1] == 0)
            base[offset] = 1;
    }
    if (advanced[8] == 0 && advanced[9] == 0)
        advanced[8] = 1;
}

} // namespace

TEST(SettingsCheck, everyImageAControllerCanHoldSavesIntoAFileThatLoadsBackTheSameBlocks) {
    std::mt19937 random(20261207);
    auto bytes = [&](std::size_t n) {
        std::vector<std::uint8_t> out(n);
        for (auto& b : out)
            b = static_cast<std::uint8_t>(random());
        return out;
    };
    CTempFolder folder;
    const std::string path = folder.file("image.xset");
    for (int round = 0; round < 300; ++round) {
        DeviceSettings image;
        auto sensors = bytes(vexor::kSensorsBlock.length);
        sensors[25] %= 4; // the sensor types pick a temperature-table column
        sensors[26] %= 4;
        auto base = bytes(vexor::kBaseBlock.length);
        auto advanced = bytes(vexor::kAdvancedSetupBlock.length);
        avoidZeroPeriods(base, advanced);
        auto setup = bytes(vexor::kSetupTimesBlock.length);
        auto corr = bytes(vexor::kMainCorrBlock.length);
        auto adv = bytes(vexor::kAdvBlock.length);
        ASSERT_TRUE(vexor::decodeSensorsSetup(sensors.data(), sensors.size(), image));
        ASSERT_TRUE(vexor::decodeBase(base.data(), base.size(), image));
        ASSERT_TRUE(vexor::decodeAdv(adv.data(), adv.size(), image));
        ASSERT_TRUE(vexor::decodeMainCorr(corr.data(), corr.size(), image));
        ASSERT_TRUE(vexor::decodeSetupTimes(setup.data(), setup.size(), image));
        ASSERT_TRUE(vexor::decodeAdvancedSetup(advanced.data(), advanced.size(), image));
        for (auto& row : image.m_injMapTable)
            for (double& cell : row)
                cell = static_cast<int>(random() % 101) - 50;

        ASSERT_TRUE(vexor::writeSettingsFile(path, image));
        DeviceSettings loaded;
        vexor::SSettingsFileProblem problem;
        ASSERT_TRUE(vexor::readSettingsFileChecked(path, loaded, problem))
            << "round " << round << ": " << problem.key << " = " << problem.value << " holds "
            << problem.holds;
        EXPECT_EQ(vexor::encodeSetupTimes(loaded), vexor::encodeSetupTimes(image));
        EXPECT_EQ(vexor::encodeMainCorr(loaded), vexor::encodeMainCorr(image));
        EXPECT_EQ(vexor::encodeInjMap(loaded), vexor::encodeInjMap(image));
    }
}

TEST(SettingsCheck, theRangeNamedForARefusedValueIsWhatTheFieldTakes) {
    DeviceSettings image;
    image.m_base.m_emulatorDelay = 7;
    std::string key;
    std::string holds;
    ASSERT_TRUE(vexor::findUnholdable(image, key, holds));
    EXPECT_EQ(key, "m_base.m_emulatorDelay");
    // 25 ms steps in a byte.
    EXPECT_EQ(holds, "0..6.375");

    image = DeviceSettings{};
    EXPECT_FALSE(vexor::findUnholdable(image, key, holds));
}

TEST(SettingsCheck, aFileCutAfterTheTabOfItsLastLineIsRefusedLikeAMissingKey) {
    CTempFolder folder;
    const std::string path = folder.file("cut.xset");
    DeviceSettings image;
    image.m_advancedSetup.m_advancedFlags = 0x0C;
    ASSERT_TRUE(vexor::writeSettingsFile(path, image));
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    // The last line loses its value, then a map cell and a text lose theirs.
    const std::size_t lastTab = text.rfind('\t', text.size() - 2);
    const std::string lastKey =
        text.substr(text.rfind('\n', lastTab) + 1, lastTab - text.rfind('\n', lastTab) - 1);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text.substr(0, lastTab + 1);

    DeviceSettings loaded;
    vexor::SSettingsFileProblem problem;
    EXPECT_FALSE(vexor::readSettingsFileChecked(path, loaded, problem));
    EXPECT_EQ(problem.kind, vexor::SSettingsFileProblem::Kind::BadValue);
    EXPECT_EQ(problem.key, lastKey);
    EXPECT_NE(problem.describe().find(lastKey), std::string::npos);

    std::string cell = text;
    const std::size_t at = cell.find("m_injMapTable");
    const std::size_t tab = cell.find('\t', at);
    cell.erase(tab + 1, cell.find('\n', tab) - tab - 1);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << cell;
    EXPECT_FALSE(vexor::readSettingsFileChecked(path, loaded, problem));
    EXPECT_EQ(problem.key, cell.substr(at, tab - at));

    // An empty text is a text, not a missing value.
    image.m_devInfo.m_serial.clear();
    ASSERT_TRUE(vexor::writeSettingsFile(path, image));
    EXPECT_TRUE(vexor::readSettingsFileChecked(path, loaded, problem)) << problem.describe();
}
