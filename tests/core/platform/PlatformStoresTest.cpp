#include "../files/TempFolder.h"
#include "platform/RegistryStore.h"
#include "platform/StationCode.h"
#include "platform/WorkFolders.h"

#include <gtest/gtest.h>

#include <sys/statvfs.h>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object.
class CEnvOverride {
public:
    CEnvOverride(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~CEnvOverride() {
        if (m_had) {
            ::setenv(m_name.c_str(), m_old.c_str(), 1);
        } else {
            ::unsetenv(m_name.c_str());
        }
    }

private:
    std::string m_name;
    std::string m_old;
    bool m_had = false;
};

} // namespace

TEST(RegistryStore, MissingFileOrUnusableValueReadsAsPortZero) {
    CTempFolder dir;
    CRegistryStore store(dir.file("cfg"));
    EXPECT_EQ(store.lastPort(), 0);
    EXPECT_FALSE(store.value("Last RS nr").has_value());

    fs::create_directory(dir.file("cfg"));
    writeWholeFile(store.filePath(), "Last RS nr=\n");
    EXPECT_EQ(store.lastPort(), 0);
    writeWholeFile(store.filePath(), "Last RS nr=COM\n");
    EXPECT_EQ(store.lastPort(), 0);
    writeWholeFile(store.filePath(), "Last RS nr=99999999999999999999\n");
    EXPECT_EQ(store.lastPort(), 0);
}

TEST(RegistryStore, PortRoundTripCreatesTheFolderAndKeepsOtherLines) {
    CTempFolder dir;
    CRegistryStore store(dir.file("a/b"));
    ASSERT_TRUE(store.setLastPort(5));
    EXPECT_EQ(store.lastPort(), 5);
    EXPECT_EQ(readWholeFile(dir.file("a/b/registry.ini")), "Last RS nr=5\n");

    writeWholeFile(store.filePath(), "# kept\nOther=x=y\r\nLast RS nr=5\nloose line\n");
    ASSERT_TRUE(store.setLastPort(12));
    EXPECT_EQ(readWholeFile(store.filePath()), "# kept\nOther=x=y\nLast RS nr=12\nloose line\n");
    EXPECT_EQ(CRegistryStore(dir.file("a/b")).lastPort(), 12);
    EXPECT_EQ(store.value("Other"), "x=y");
    // Only registry.ini is left: the temporary file was renamed over it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("a/b")), {}), 1);

    EXPECT_FALSE(store.setValue("bad=key", "1"));
    EXPECT_FALSE(store.setValue("key", "two\nlines"));
}

TEST(RegistryStore, DefaultFolderFollowsXdgConfigHomeWhenAbsolute) {
    {
        CEnvOverride config("XDG_CONFIG_HOME", "/tmp/cfg-home");
        EXPECT_EQ(CRegistryStore::defaultFolder(), "/tmp/cfg-home/VEXOR");
        EXPECT_EQ(CRegistryStore().filePath(), "/tmp/cfg-home/VEXOR/registry.ini");
    }
    CEnvOverride config("XDG_CONFIG_HOME", "relative");
    CEnvOverride home("HOME", "/home/fitter");
    EXPECT_EQ(CRegistryStore::defaultFolder(), "/home/fitter/.config/VEXOR");
}

TEST(WorkFolders, DataFoldersAreCreatedUnderTheRootWithTrailingSlash) {
    CTempFolder dir;
    CWorkFolders folders(dir.file("data"));
    EXPECT_EQ(folders.settingsFolder(), dir.file("data") + "/settings/");
    EXPECT_EQ(folders.oscilloscopeFolder(), dir.file("data") + "/Oscyloskop/");
    EXPECT_EQ(folders.dataFolder(), dir.file("data") + "/");
    EXPECT_TRUE(fs::is_directory(dir.file("data/settings")));
    EXPECT_TRUE(fs::is_directory(dir.file("data/Oscyloskop")));

    // Built afresh on every call: a removed folder comes back.
    fs::remove_all(dir.file("data"));
    folders.settingsFolder();
    EXPECT_TRUE(fs::is_directory(dir.file("data/settings")));

    // A folder that cannot be made still gives its path; opening reports the error.
    writeWholeFile(dir.file("plain"), "x");
    EXPECT_EQ(CWorkFolders(dir.file("plain")).settingsFolder(), dir.file("plain") + "/settings/");
}

TEST(WorkFolders, DefaultDataFolderFollowsXdgDataHomeWhenAbsolute) {
    CEnvOverride data("XDG_DATA_HOME", nullptr);
    CEnvOverride home("HOME", "/home/fitter");
    EXPECT_EQ(CWorkFolders::defaultDataFolder(), "/home/fitter/.local/share/VEXOR");
    CEnvOverride set("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(CWorkFolders::defaultDataFolder(), "/srv/data/VEXOR");
}

TEST(WorkFolders, ShareFolderLiesBesideTheProgramsFolder) {
    const std::string program = CWorkFolders::programFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_TRUE(fs::exists(fs::path(program) / fs::read_symlink("/proc/self/exe").filename()));

    const fs::path expected = (fs::path(program) / "../share/vexor").lexically_normal();
    EXPECT_EQ(CWorkFolders::shareFolder(), expected.string() + "/");
    EXPECT_EQ(CWorkFolders::firmwareFolder(), expected.string() + "/Firmware/");
    EXPECT_EQ(CWorkFolders::documentsFolder(), expected.string() + "/documents/");
    EXPECT_EQ(CWorkFolders::languageFolder(), expected.string() + "/E_Lang/");
    // The build tree carries a copy of the share folder next to bin/.
    EXPECT_TRUE(fs::is_directory(CWorkFolders::languageFolder()));
}

TEST(StationCode, FileSystemIdFillsFourBytesMostSignificantFirst) {
    struct statvfs info {};
    ASSERT_EQ(::statvfs("/", &info), 0);
    const auto id = static_cast<std::uint32_t>(info.f_fsid);

    std::uint8_t bytes[4] = {1, 2, 3, 4};
    vexor::stationCode(bytes);
    EXPECT_EQ(bytes[0], static_cast<std::uint8_t>(id >> 24));
    EXPECT_EQ(bytes[1], static_cast<std::uint8_t>(id >> 16));
    EXPECT_EQ(bytes[2], static_cast<std::uint8_t>(id >> 8));
    EXPECT_EQ(bytes[3], static_cast<std::uint8_t>(id));
}

TEST(StationCode, FailureKeepsTheBytes) {
    std::uint8_t bytes[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    vexor::stationCode(bytes, "/no/such/path/anywhere");
    EXPECT_EQ(bytes[0], 0xDE);
    EXPECT_EQ(bytes[1], 0xAD);
    EXPECT_EQ(bytes[2], 0xBE);
    EXPECT_EQ(bytes[3], 0xEF);
}
