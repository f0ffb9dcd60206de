#include "backup/BackupStore.h"
#include "core/files/TempFolder.h"
#include "lang/Language.h"
#include "settings/SettingsFileIo.h"
#include "platform/RegistryStore.h"
#include "report/BackupBaseline.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetHtml.h"
#include "report/SettingsChanges.h"
#include "report/Workshop.h"
#include "settings/SettingsFileIo.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vexor;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::time_t noonOf(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

} // namespace

TEST(JobSheet, theWorkshopKeepsItsLinesAndBackslashesBesideTheRememberedPort) {
    CTempFolder folder;
    CRegistryStore store(folder.file("config"));
    ASSERT_TRUE(store.setLastPort(3));
    const SWorkshop workshop{"Gaz\\Serwis \"Nowak\"", "ul. Polna 1\r\n00-001 Warszawa\\n"};
    ASSERT_TRUE(saveWorkshop(folder.file("config"), workshop));
    const SWorkshop read = loadWorkshop(folder.file("config"));
    EXPECT_EQ(read.name, workshop.name);
    EXPECT_EQ(read.address, "ul. Polna 1\n00-001 Warszawa\\n");
    EXPECT_EQ(store.lastPort(), 3);
    EXPECT_EQ(loadWorkshop(folder.file("elsewhere")), SWorkshop{});
}

TEST(JobSheet, theBaselineIsTheOldestReadableBackupOfTheDay) {
    CTempFolder folder;
    const auto dir = std::filesystem::path(folder.file("data")) / "backups" / "GAS_10_42";
    std::filesystem::create_directories(dir);
    DeviceSettings yesterday, first, later;
    yesterday.m_base.m_switchRPM = 1100;
    first.m_base.m_switchRPM = 1300;
    later.m_base.m_switchRPM = 1400;
    ASSERT_TRUE(writeSettingsFile((dir / "20260314-235959-load.xset").string(), yesterday));
    writeWholeFile((dir / "20260315-070000-map.xset").string(), "not a settings file");
    ASSERT_TRUE(writeSettingsFile((dir / "20260315-080000-map.xset").string(), first));
    ASSERT_TRUE(writeSettingsFile((dir / "20260315-090000-load.xset").string(), later));

    EXPECT_EQ(CBackupStore::serialFolder("GAS 10/42"), "GAS_10_42");
    EXPECT_EQ(CBackupStore::serialFolder(""), "unknown");
    const auto found = dayBaseline(folder.file("data"), "GAS 10/42", noonOf(2026, 3, 15));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->m_base.m_switchRPM, 1300);
    EXPECT_FALSE(dayBaseline(folder.file("data"), "GAS 10/42", noonOf(2026, 3, 16)));
    EXPECT_FALSE(dayBaseline(folder.file("data"), "other", noonOf(2026, 3, 15)));
}

TEST(JobSheet, onlyWhatTheFitterCanChangeCountsAsAChange) {
    DeviceSettings before;
    DeviceSettings after = before;
    after.m_timeStamp = "01-01-2026-10:00:00";
    after.m_devInfo.m_serial = "other";
    after.m_devInfo.m_statistic.lpg = 7200;
    EXPECT_TRUE(settingsChanges(before, after).empty());
    after.m_carInfo.m_vendor = "Skoda";
    after.m_sensorsSetup.m_lambdaType = 2;
    const auto changes = settingsChanges(before, after);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].before, "");
    EXPECT_EQ(changes[0].after, "Skoda");
}

TEST(JobSheet, textFromTheCarAndTheWorkshopCannotBreakThePage) {
    DeviceSettings s;
    s.m_carInfo.m_vendor = "<script>alert(1)</script>";
    s.m_carInfo.m_model = "A & B \"C\"";
    SJobSheetInputs in;
    in.settings = &s;
    in.workshopName = "</td></tr></table><h1>";
    in.now.obdRead = true;
    in.now.obdCodes = {"P0171 <lean>"};
    const std::string html = jobSheetHtml(buildJobSheet(in));
    EXPECT_FALSE(contains(html, "<script>"));
    EXPECT_FALSE(contains(html, "<lean>"));
    EXPECT_TRUE(contains(html, "&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_TRUE(contains(html, "A &amp; B &quot;C&quot;"));
    EXPECT_TRUE(contains(html, "&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;h1&gt;"));
}

TEST(JobSheet, whatTheFitterEntersIsKeptPerControllerAndReachesTheSheet) {
    CTempFolder folder;
    const std::string config = folder.file("config");
    SVehicleRecord opel{"Opel", "Astra", "WX 12345", "182000", "Jan Nowak", "Reducer\nfilters"};
    ASSERT_TRUE(saveVehicleRecord(config, "GAS1", opel));
    ASSERT_TRUE(saveVehicleRecord(config, "GAS2", {"Fiat", "", "", "", "", ""}));
    EXPECT_EQ(loadVehicleRecord(config, "GAS1"), opel);
    EXPECT_EQ(loadVehicleRecord(config, "GAS2").make, "Fiat");
    EXPECT_EQ(loadVehicleRecord(config, "GAS3"), SVehicleRecord{});
    // No serial read: nothing to keep it under, and nothing from another car.
    EXPECT_FALSE(saveVehicleRecord(config, "", opel));
    EXPECT_FALSE(saveVehicleRecord(config, "a=b", opel));
    EXPECT_EQ(loadVehicleRecord(config, ""), SVehicleRecord{});

    SVehicleRecord record;
    EXPECT_TRUE(setVehicleField(record, "work", "gas filter"));
    EXPECT_FALSE(setVehicleField(record, "colour", "red"));
    EXPECT_EQ(record.workDone, "gas filter");

    DeviceSettings s;
    s.m_carInfo.m_vendor = "Skoda";
    s.m_carInfo.m_model = "Fabia";
    SJobSheetInputs in;
    in.settings = &s;
    in.vehicle = opel;
    in.vehicle.model.clear();
    const std::string html = jobSheetHtml(buildJobSheet(in));
    for (const char* shown : {"Opel", "Fabia", "WX 12345", "182000 km", "Jan Nowak", "Reducer<br>"})
        EXPECT_TRUE(contains(html, shown)) << shown;
    EXPECT_FALSE(contains(html, "Skoda"));
}

// An English sheet reads English throughout: the changed settings with
// their groups, degrees, option bits by name and the work mode in words.
TEST(JobSheet, anEnglishSheetNamesEveryChangeInEnglish) {
    ASSERT_TRUE(setCurrentLanguage(kLangEnglish));
    DeviceSettings before;
    before.m_base.m_flags = 0x00;
    DeviceSettings after = before;
    after.m_base.m_switchTempr = static_cast<std::uint8_t>(before.m_base.m_switchTempr + 5);
    after.m_base.m_flags = 0x40 | 0x80;
    SJobSheetInputs in;
    in.settings = &after;
    in.baseline = &before;
    CDiag record;
    record.setWorkMode(3);
    in.liveRecord = record;
    const CJobSheet sheet = buildJobSheet(in);
    const std::string html = jobSheetHtml(sheet);
    setCurrentLanguage(kLangPolish);

    for (const char* polish : {"Na gaz", "Temperatura", "Tryb FAST", "Włączony", "Wyłączony",
                               "Obroty", "Tryb pracy", "Gaz"})
        EXPECT_FALSE(contains(html, std::string(">") + polish)) << polish;
    for (const char* english : {"°C", "On", "Off", "m_base.m_flags bit 7", ">Gas<"})
        EXPECT_TRUE(contains(html, english)) << english;
    EXPECT_FALSE(contains(html, ">C<"));
    EXPECT_FALSE(contains(html, "RPM</b></td><td>RPM"));
    // One row per option that changed, none for the byte as a number.
    int flagRows = 0;
    for (const SJobSheetChange& c : sheet.changes)
        flagRows += c.label.find("m_flags") != std::string::npos || c.label == "Tryb FAST";
    EXPECT_EQ(flagRows, 2);
}
