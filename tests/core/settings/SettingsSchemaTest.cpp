#include "settings/SettingsSchema.h"
#include "device/codecs/BlockCodecs.h"
#include "settings/SettingsFileIo.h"

#include "../files/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vexor;

namespace {

std::vector<std::string> fileLines(const DeviceSettings& s) {
    std::vector<std::string> out;
    const std::string text = formatSettingsFile(s);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::vector<std::uint8_t> payloadOf(SettingBlock block, const DeviceSettings& s) {
    auto bytes = [](const auto& a) { return std::vector<std::uint8_t>(a.begin(), a.end()); };
    switch (block) {
    case SettingBlock::Base:
        return bytes(encodeBase(s));
    case SettingBlock::Adv:
        return bytes(encodeAdv(s));
    case SettingBlock::MainCorr:
        return bytes(encodeMainCorr(s));
    case SettingBlock::SetupTimes:
        return bytes(encodeSetupTimes(s));
    case SettingBlock::Sensors:
        return bytes(encodeSensorsSetup(s));
    case SettingBlock::AdvancedSetup:
        return bytes(encodeAdvancedSetup(s));
    case SettingBlock::Map:
        return bytes(encodeInjMap(s));
    default:
        return {};
    }
}

// A value of the member different from its current one that the member can
// hold (for read-only members: any value).
void changeMember(const SettingInfo& info, DeviceSettings& s) {
    if (info.kind == SettingKind::Text) {
        info.setText(s, "Golf IV");
        return;
    }
    const double now = info.number(s);
    if (info.kind == SettingKind::Flags || info.readOnly) {
        info.setNumber(s, static_cast<double>(static_cast<int>(now) ^ 0x01));
        return;
    }
    const auto entries = settingChoices(info, s.m_devInfo.m_version);
    ASSERT_FALSE(entries.empty()) << info.key;
    const double last = atChoicePrecision(entries.back().value, entries.back().precision);
    info.setNumber(s, last != now ? last : entries.front().value);
}

} // namespace

// The schema is the settings file's own key list: same keys, same order, and
// each row reaches the very member the file writes under its key, which the
// controller receives in the block the row names.
TEST(SettingsSchema, everyKeyOfTheFileReachesItsMemberAndItsBlock) {
    const DeviceSettings defaults;
    const auto lines = fileLines(defaults);
    const auto& schema = settingsSchema();
    ASSERT_EQ(schema.size(), lines.size());

    DeviceSettings everything = defaults;
    for (std::size_t i = 0; i < schema.size(); ++i) {
        const SettingInfo& info = schema[i];
        SCOPED_TRACE(info.key);
        ASSERT_EQ(lines[i].substr(0, lines[i].find('\t')), info.key);
        EXPECT_EQ(findSetting(info.key), &info);

        DeviceSettings changed = defaults;
        changeMember(info, changed);
        changeMember(info, everything);
        const auto after = fileLines(changed);
        for (std::size_t j = 0; j < lines.size(); ++j) {
            if (j == i) {
                EXPECT_NE(after[j], lines[j]);
            } else {
                EXPECT_EQ(after[j], lines[j]) << "also changed: " << after[j];
            }
        }
        const auto before = payloadOf(info.block, defaults);
        if (!before.empty()) {
            EXPECT_NE(payloadOf(info.block, changed), before) << "not in its block";
        }
    }

    // Read back through a file, the schema finds every changed value.
    CTempFolder folder;
    const std::string path = folder.file("all.xset");
    ASSERT_TRUE(writeSettingsFile(path, everything));
    DeviceSettings read;
    ASSERT_TRUE(readSettingsFile(path, read));
    for (const SettingInfo& info : schema) {
        if (info.kind == SettingKind::Text) {
            EXPECT_EQ(info.text(read), info.text(everything)) << info.key;
        } else {
            EXPECT_EQ(info.number(read), info.number(everything)) << info.key;
        }
    }
}

TEST(SettingsSchema, onlyIdentityStatisticsAndTheTimeStampAreReadOnly) {
    for (const SettingInfo& info : settingsSchema()) {
        const bool identity = info.key == "m_timeStamp" || info.key.rfind("m_devInfo.", 0) == 0;
        EXPECT_EQ(info.readOnly, identity) << info.key;
        if (info.windowEdits) {
            EXPECT_NE(info.page, SettingPage::None) << info.key;
        }
    }
}

TEST(SettingsSchema, valuesAreCheckedAgainstWhatTheWindowOffers) {
    DeviceSettings s;
    std::string accepts;
    auto set = [&](const char* key, const std::string& value) {
        const SettingInfo* info = findSetting(key);
        EXPECT_NE(info, nullptr) << key;
        return info != nullptr && setSettingFromText(*info, s, value, accepts);
    };

    EXPECT_TRUE(set("m_base.m_switchRPM", "1500"));
    EXPECT_EQ(s.m_base.m_switchRPM, 1500);
    const DeviceSettings before = s;
    for (const char* bad :
         {"1550", "1500.5", "5100", "nan", "inf", "1e400", "", " 1500", "0x5dc", "1500rpm"})
        EXPECT_FALSE(set("m_base.m_switchRPM", bad)) << bad;
    EXPECT_NE(accepts.find("500"), std::string::npos);
    EXPECT_EQ(s, before);

    // An entry with a text of its own: its value or its text.
    EXPECT_TRUE(set("m_sensorsSetup.m_lambdaType", "0.8 - 1.6 Volt"));
    EXPECT_EQ(s.m_sensorsSetup.m_lambdaType, 6);
    EXPECT_TRUE(set("m_sensorsSetup.m_lambdaType", "4"));
    EXPECT_EQ(s.m_sensorsSetup.m_lambdaType, 4);
    EXPECT_FALSE(set("m_sensorsSetup.m_lambdaType", "3"));
    EXPECT_NE(accepts.find("0 - 5 Volt"), std::string::npos);

    // Lists built by repeated addition still take their last entry as shown.
    EXPECT_TRUE(set("m_base.m_emulatorDelay", "5.0"));
    EXPECT_EQ(s.m_base.m_emulatorDelay, 5.0);
    EXPECT_FALSE(set("m_base.m_emulatorDelay", "0.05"));
    EXPECT_TRUE(set("m_adv.m_ignoreLPGTime", "1.9"));
    EXPECT_FALSE(set("m_adv.m_ignoreLPGTime", "2.0"));

    // Members only another control sets take what that control stores.
    EXPECT_TRUE(set("m_adv.m_pwm", "35"));
    EXPECT_FALSE(set("m_adv.m_pwm", "36"));
    EXPECT_TRUE(set("m_base.m_maxRPMLow", "7000"));
    EXPECT_FALSE(set("m_base.m_maxRPMLow", "7500.5"));

    // Members no window edits take what the controller block can carry.
    EXPECT_TRUE(set("m_sensorsSetup.m_lambdaEmulatorDelay", "2.5"));
    EXPECT_FALSE(set("m_sensorsSetup.m_lambdaEmulatorDelay", "2.3"));
    EXPECT_TRUE(set("m_base.m_flags", "146"));
    EXPECT_FALSE(set("m_base.m_flags", "256"));
    EXPECT_FALSE(set("m_base.m_flags", "-1"));
}

TEST(SettingsSchema, textsAreLimitedAndReadOnlyKeysRefused) {
    DeviceSettings s;
    const DeviceSettings before;
    std::string accepts;
    const SettingInfo& vendor = *findSetting("m_carInfo.m_vendor");
    EXPECT_TRUE(setSettingFromText(vendor, s, std::string(kMaxSettingText, 'x'), accepts));
    EXPECT_FALSE(setSettingFromText(vendor, s, std::string(kMaxSettingText + 1, 'x'), accepts));
    EXPECT_FALSE(setSettingFromText(vendor, s, "two\nlines", accepts));
    EXPECT_FALSE(setSettingFromText(vendor, s, "tab\there", accepts));
    EXPECT_EQ(s.m_carInfo.m_vendor, std::string(kMaxSettingText, 'x'));

    s = before;
    for (const char* key :
         {"m_timeStamp", "m_devInfo.m_serial", "m_devInfo.m_version", "m_devInfo.m_statistic.lpg"})
        EXPECT_FALSE(setSettingFromText(*findSetting(key), s, "1", accepts)) << key;
    EXPECT_EQ(s, before);
    EXPECT_EQ(findSetting("m_base.m_stationCode"), nullptr);
}

TEST(SettingsSchema, displayTextIsTheEntryTheWindowShows) {
    DeviceSettings s;
    s.m_adv.m_injectorType = 2;
    s.m_base.m_emulatorDelay = 1.2000000000000002;
    EXPECT_EQ(settingDisplayText(*findSetting("m_adv.m_injectorType"), s), "REG");
    EXPECT_EQ(settingDisplayText(*findSetting("m_base.m_emulatorDelay"), s), "1.2");
    // A value no entry has is shown as the file writes it.
    s.m_adv.m_injectorType = 77;
    EXPECT_EQ(settingDisplayText(*findSetting("m_adv.m_injectorType"), s), "77");
}

TEST(SettingChoices, newerControllersOfferMoreEntries) {
    const auto older = choiceEntries(Choice::PressureSensor, 0x207);
    const auto newer = choiceEntries(Choice::PressureSensor, 0x208);
    EXPECT_EQ(findChoice(older, 2), -1);
    EXPECT_GE(findChoice(newer, 2), 0);
    EXPECT_EQ(older.size() + 1, newer.size());
}
