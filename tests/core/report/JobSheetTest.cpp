#include "backup/BackupStore.h"
#include "core/files/TempFolder.h"
#include "files/SettingsFileIo.h"
#include "platform/RegistryStore.h"
#include "report/BackupBaseline.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetHtml.h"
#include "report/SettingsChanges.h"
#include "report/Workshop.h"

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
