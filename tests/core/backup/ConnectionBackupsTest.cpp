#include "backup/ConnectionBackups.h"
#include "backup/BackupStore.h"

#include "../files/TempFolder.h"

#include <gtest/gtest.h>

TEST(ConnectionBackups, firstEditOfEachConnectionAndEveryWholeImageActionAreBackedUp) {
    CTempFolder data;
    CConnectionBackups backups(data.path().string());
    const CBackupStore store(data.path().string());
    DeviceSettings s;
    s.m_devInfo.m_serial = "C9";
    std::string error;

    backups.connected();
    EXPECT_TRUE(backups.beforeEdit(s, false, 1000, error));
    EXPECT_TRUE(backups.beforeEdit(s, false, 1001, error)); // same connection: none
    EXPECT_TRUE(backups.beforeWholeImage(s, "load", false, 1002, error));
    EXPECT_TRUE(backups.beforeWholeImage(s, "defaults", false, 1003, error));
    backups.connected();
    EXPECT_TRUE(backups.beforeEdit(s, false, 1004, error));
    EXPECT_TRUE(backups.beforeEdit(s, true, 1005, error));
    EXPECT_TRUE(backups.beforeWholeImage(s, "flash", true, 1006, error)); // demo: none

    const auto list = store.list("C9");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].reason, "edit");
    EXPECT_EQ(list[1].reason, "load");
    EXPECT_EQ(list[2].reason, "defaults");
    EXPECT_EQ(list[3].reason, "edit");
    EXPECT_EQ(backups.lastId(), list[3].id);
}

TEST(ConnectionBackups, aFailedBackupStopsEditsUntilTheUserGoesOnWithout) {
    CTempFolder data;
    writeWholeFile(data.file("backups"), "a file in the way");
    CConnectionBackups backups(data.path().string());
    DeviceSettings s;
    std::string error;
    backups.connected();
    EXPECT_FALSE(backups.beforeEdit(s, false, 1000, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(backups.beforeEdit(s, false, 1001, error)); // asks again
    backups.goOnWithout();
    EXPECT_TRUE(backups.beforeEdit(s, false, 1002, error));
    // Whole-image actions still ask each time.
    EXPECT_FALSE(backups.beforeWholeImage(s, "load", false, 1003, error));
}
