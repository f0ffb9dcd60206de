#include "settings/OfflineSettings.h"
#include "settings/SettingsFileIo.h"

#include "../files/TempFolder.h"

#include <gtest/gtest.h>

TEST(OfflineSettings, editsAreCheckedMarkedAndSavedBackWithTheTimeStampKept) {
    CTempFolder folder;
    DeviceSettings car;
    car.m_timeStamp = "01-02-2023-10:11:12";
    const std::string path = folder.file("car.xset");
    ASSERT_TRUE(vexor::writeSettingsFile(path, car));

    COfflineSettings file;
    ASSERT_TRUE(file.open(path).ok());
    EXPECT_EQ(file.title(), "car.xset");
    std::string accepts;
    EXPECT_FALSE(file.set("m_base.m_switchRPM", "1234", accepts));
    EXPECT_FALSE(file.modified());
    EXPECT_TRUE(file.set("m_base.m_switchRPM", "1300", accepts));
    file.edit().m_injMapTable[2][3] = -4; // as the map grid does
    EXPECT_EQ(file.title(), "car.xset *");

    // A file that cannot be used leaves the open one and its edits alone.
    writeWholeFile(folder.file("bad.xset"), "m_timeStamp\tx\n");
    EXPECT_EQ(file.open(folder.file("bad.xset")).kind,
              vexor::SSettingsFileProblem::Kind::MissingKey);
    EXPECT_EQ(file.path(), path);
    EXPECT_TRUE(file.modified());

    EXPECT_FALSE(file.saveAs(folder.file("gone/car.xset")));
    EXPECT_TRUE(file.modified());
    ASSERT_TRUE(file.save());
    EXPECT_FALSE(file.modified());

    DeviceSettings saved;
    ASSERT_TRUE(vexor::readSettingsFile(path, saved));
    EXPECT_EQ(saved.m_base.m_switchRPM, 1300);
    EXPECT_EQ(saved.m_injMapTable[2][3], -4);
    EXPECT_EQ(saved.m_timeStamp, car.m_timeStamp);
}
