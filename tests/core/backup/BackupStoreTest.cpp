#include "backup/BackupStore.h"
#include "settings/SettingsFileIo.h"

#include "../files/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A fixed local time, so names are predictable: 2024-01-31 10:15:00.
std::time_t at(int secondsLater) {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 0;
    t.tm_mday = 31;
    t.tm_hour = 10;
    t.tm_min = 15;
    t.tm_isdst = -1;
    return std::mktime(&t) + secondsLater;
}

DeviceSettings controller(const std::string& serial) {
    DeviceSettings s;
    s.m_devInfo.m_serial = serial;
    s.m_base.m_switchRPM = 1700;
    return s;
}

// Every block of the layout, each byte telling where it came from.
CRawImage fullRaw() {
    CRawImage raw;
    for (const SRawBlock& b : CRawImage::layout()) {
        std::vector<std::uint8_t> bytes(b.bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7 + b.where);
        raw.store(b.name, bytes.data(), bytes.size());
    }
    return raw;
}

std::size_t filesIn(const std::string& folder) {
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        n += entry.is_regular_file() ? 1 : 0;
    return n;
}

} // namespace

TEST(BackupStore, backupsInOneSecondGetTheirOwnFilesAndReadBack) {
    CTempFolder data;
    const CBackupStore store(data.path().string());
    std::string first, second, error;
    ASSERT_TRUE(store.take(controller("xq 001"), "load", at(0), first, error)) << error;
    ASSERT_TRUE(store.take(controller("xq 001"), "map", at(0), second, error)) << error;
    std::string third;
    ASSERT_TRUE(store.take(controller("xq 001"), "load", at(0), third, error)) << error;

    EXPECT_EQ(first, "xq_001/20240131-101500-load");
    EXPECT_EQ(second, "xq_001/20240131-101500-map");
    EXPECT_EQ(third, "xq_001/20240131-101500-load-2");

    const auto entries = store.list();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].time, "2024-01-31 10:15:00");
    EXPECT_EQ(entries[2].reason, "load");
    EXPECT_EQ(entries[0].serial, "xq_001");

    CBackupStore::SEntry found;
    ASSERT_TRUE(store.find(third, found));
    DeviceSettings read;
    ASSERT_TRUE(vexor::readSettingsFile(found.path, read));
    EXPECT_EQ(read.m_base.m_switchRPM, 1700);
    EXPECT_EQ(read, controller("xq 001")); // exactly as read, time stamp included
}

TEST(BackupStore, concurrentWritersInOneSecondNeverShareAFile) {
    CTempFolder data;
    const CBackupStore store(data.path().string());
    constexpr int kWriters = 12;
    std::vector<std::string> ids(kWriters);
    std::vector<std::thread> threads;
    for (int i = 0; i < kWriters; ++i) {
        threads.emplace_back([&, i] {
            std::string error;
            (void)store.take(controller("A1"), "flash", at(0), ids[static_cast<std::size_t>(i)],
                             error);
        });
    }
    for (std::thread& t : threads)
        t.join();
    const std::set<std::string> distinct(ids.begin(), ids.end());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kWriters));
    EXPECT_EQ(distinct.count(""), 0u);
    EXPECT_EQ(store.list("A1").size(), static_cast<std::size_t>(kWriters));
}

TEST(BackupStore, rotationKeepsTheNewestAndTheFirstEverTaken) {
    CTempFolder data;
    const CBackupStore store(data.path().string());
    const std::size_t taken = CBackupStore::kKeepNewest + 5;
    std::string id, error;
    std::vector<std::string> ids;
    const CRawImage raw = fullRaw();
    for (std::size_t i = 0; i < taken; ++i) {
        ASSERT_TRUE(store.take(controller("R"), "map", at(static_cast<int>(i)), id, error, &raw));
        ids.push_back(id);
    }
    // Another controller's backups are its own business.
    ASSERT_TRUE(store.take(controller("other"), "load", at(0), id, error));

    const auto kept = store.list("R");
    ASSERT_EQ(kept.size(), CBackupStore::kKeepNewest + 1);
    EXPECT_EQ(kept.front().id, ids.front());
    EXPECT_EQ(kept[1].id, ids[taken - CBackupStore::kKeepNewest]);
    EXPECT_EQ(kept.back().id, ids.back());
    // The raw blocks go with their settings file.
    EXPECT_EQ(filesIn(store.root() + "/R"), 2 * (CBackupStore::kKeepNewest + 1));
    EXPECT_TRUE(std::filesystem::exists(store.root() + "/" + ids.front() + ".xraw"));
    EXPECT_EQ(store.list().size(), CBackupStore::kKeepNewest + 2);
}

TEST(BackupStore, aFolderThatCannotTakeTheBackupFailsAndLeavesNothing) {
    CTempFolder data;
    // A file where the backups folder should be.
    writeWholeFile(data.file("backups"), "not a folder");
    const CBackupStore blocked(data.path().string());
    std::string id, error;
    EXPECT_FALSE(blocked.take(controller("S"), "load", at(0), id, error));
    EXPECT_NE(error.find("backup"), std::string::npos);

    // A folder this process may not write to (root may write anywhere).
    CTempFolder other;
    const CBackupStore store(other.path().string());
    ASSERT_TRUE(store.take(controller("S"), "load", at(0), id, error));
    if (::geteuid() != 0) {
        ::chmod((store.root() + "/S").c_str(), 0555);
        EXPECT_FALSE(store.take(controller("S"), "load", at(1), id, error));
        EXPECT_FALSE(error.empty());
        ::chmod((store.root() + "/S").c_str(), 0755);
        EXPECT_EQ(filesIn(store.root() + "/S"), 1u);
    }
}

TEST(BackupStore, serialNumbersBecomeSafeFolderNames) {
    EXPECT_EQ(CBackupStore::serialFolder(""), "unknown");
    EXPECT_EQ(CBackupStore::serialFolder("xq-001_B"), "xq-001_B");
    EXPECT_EQ(CBackupStore::serialFolder("../a b"), "___a_b");
    EXPECT_EQ(CBackupStore::serialFolder("żx"), "__x");

    CTempFolder data;
    const CBackupStore store(data.path().string());
    std::string id, error;
    ASSERT_TRUE(store.take(controller("../evil"), "load", at(0), id, error));
    EXPECT_EQ(id.rfind("___evil/", 0), 0u);
    CBackupStore::SEntry entry;
    EXPECT_TRUE(store.find(id + ".xset", entry));
    for (const char* bad : {"../___evil/20240131-101500-load", "___evil/../x", "___evil",
                            "/etc/passwd", "___evil/20240131-101500-load-x", ""})
        EXPECT_FALSE(store.find(bad, entry)) << bad;
}

// A block whose read failed (or whose write failed and left it unknown) must
// not leave a raw file that a restore would take as the controller's whole
// content: the backup is the settings file alone, and restores through it.
TEST(BackupStore, rawBlocksAreKeptOnlyWhenEveryBlockIsKnown) {
    CTempFolder data;
    const CBackupStore store(data.path().string());
    CRawImage partial = fullRaw();
    partial.forget(CRawImage::layout().front().name);
    std::string withHole, whole, error;
    ASSERT_TRUE(store.take(controller("H"), "edit", at(0), withHole, error, &partial)) << error;
    const CRawImage raw = fullRaw();
    ASSERT_TRUE(store.take(controller("H"), "edit", at(1), whole, error, &raw)) << error;

    EXPECT_TRUE(std::filesystem::exists(store.root() + "/" + withHole + ".xset"));
    EXPECT_FALSE(std::filesystem::exists(store.root() + "/" + withHole + ".xraw"));
    EXPECT_TRUE(std::filesystem::exists(store.root() + "/" + whole + ".xraw"));
    EXPECT_EQ(filesIn(store.root() + "/H"), 3u);
}
