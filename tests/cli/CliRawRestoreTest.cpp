#include "CliOnSim.h"

#include <filesystem>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every writable block and the map area, as the controller holds them.
struct SHeld {
    std::vector<std::vector<std::uint8_t>> blocks;
    std::vector<std::uint8_t> map;
    bool operator==(const SHeld&) const = default;
};

constexpr std::uint8_t kWritable[] = {3, 4, 15, 7, 9, 26};

SHeld held(CSimServer& server) {
    return server.withController([](CSimController& c) {
        SHeld h;
        for (std::uint8_t command : kWritable)
            h.blocks.push_back(c.block(command));
        h.map = c.mapArea();
        return h;
    });
}

} // namespace

class CliRawRestore : public CliOnSim {
protected:
    // Values the pages cannot show exactly: an odd half-second switching
    // delay and gas temperatures between two steps of the sensor table.
    void SetUp() override {
        CliOnSim::SetUp();
        sim([](CSimController& c) {
            auto base = c.block(3);
            base[7] = 0x3D;
            base[16] = 0x64;
            base[18] = 0xB4;
            c.setBlock(3, base);
            c.setMapCell(4, 6, -7);
        });
        first = held(server);
    }

    // Loads the controller's own settings file back (the lossy round trip)
    // and returns the ID of the backup that load took.
    std::string loadOwnFile() {
        const std::string file = folder.file("car.xset");
        EXPECT_EQ(cli({"settings", "save", file}).status, 0);
        const ProcessResult r = cli({"settings", "load", file});
        EXPECT_EQ(r.status, 0) << r.err;
        const auto listed = lines(cli({"backups"}).out);
        EXPECT_FALSE(listed.empty());
        return listed.empty() ? "" : listed.back().substr(0, listed.back().find('\t'));
    }

    std::string rawFile(const std::string& id) {
        return folder.file("data/backups/" + id + ".xraw");
    }

    SHeld first;
};

TEST_F(CliRawRestore, restoreGivesBackEveryByteTheSettingsFileCannotHold) {
    const std::string id = loadOwnFile();
    // The settings file alone does not bring these bytes back.
    const auto afterLoad = held(server);
    ASSERT_NE(afterLoad, first);
    EXPECT_EQ(afterLoad.blocks[0][7], 0x3C);

    ASSERT_TRUE(std::filesystem::exists(rawFile(id)));
    const ProcessResult r = cli({"backups", "restore", id});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(held(server), first);
    EXPECT_EQ(sim([](CSimController& c) { return c.restartCount(); }), 2);

    // The restore backed up what it replaced, raw blocks included, and the
    // listing shows backups only.
    const auto listed = lines(cli({"backups"}).out);
    ASSERT_EQ(listed.size(), 2u);
    const std::string restoreId = listed[1].substr(0, listed[1].find('\t'));
    EXPECT_TRUE(std::filesystem::exists(rawFile(restoreId)));
    EXPECT_EQ(cli({"backups", "restore", restoreId}).status, 0);
    EXPECT_EQ(held(server), afterLoad);
}

TEST_F(CliRawRestore, damagedMissingOrForeignRawBlocksFallBackToTheSettingsFileAndSaySo) {
    const std::string id = loadOwnFile();
    const std::string raw = rawFile(id);
    const std::string good = readWholeFile(raw);

    // One flipped digit: the check sum refuses the whole file, nothing of it
    // is written.
    std::string damaged = good;
    const std::size_t at = damaged.find("block base ") + 20;
    damaged[at] = damaged[at] == '0' ? '1' : '0';
    writeWholeFile(raw, damaged);
    ProcessResult r = cli({"backups", "restore", id});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "jest uszkodzony")) << r.err;
    EXPECT_TRUE(contains(r.err, "check sum")) << r.err;
    EXPECT_TRUE(contains(r.err, "z pliku ustawień")) << r.err;
    EXPECT_EQ(held(server).blocks[0][7], 0x3C); // the settings file's value

    // Cut short.
    writeWholeFile(raw, good.substr(0, good.size() / 2));
    r = cli({"backups", "restore", id});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "jest uszkodzony")) << r.err;

    // Another firmware version on the same controller.
    writeWholeFile(raw, good);
    sim([](CSimController& c) { c.setVersion(static_cast<std::uint16_t>(c.version() + 1)); });
    r = cli({"backups", "restore", id});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "innej wersji oprogramowania")) << r.err;
    EXPECT_EQ(held(server).blocks[0][7], 0x3C);

    // An older backup without raw blocks.
    std::filesystem::remove(raw);
    r = cli({"backups", "restore", id});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "nie zawiera bloków")) << r.err;
}

TEST_F(CliRawRestore, theMapBackupBringsBackTheMapAsItWasBeforeARegionOperation) {
    // The controller computes a region operation itself; the backup taken
    // before it still holds the map area as read.
    ASSERT_EQ(cli({"map", "add", "1", "1", "2", "2", "5"}).status, 0);
    const auto listed = lines(cli({"backups"}).out);
    ASSERT_EQ(listed.size(), 1u);
    const std::string id = listed[0].substr(0, listed[0].find('\t'));
    ASSERT_EQ(cli({"backups", "restore", id}).status, 0);
    EXPECT_EQ(held(server), first);
}
