#include "CliOnSim.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

// The lines of `kind`, each split into its fields.
std::vector<std::vector<std::string>> events(const std::string& out, const std::string& kind) {
    std::vector<std::vector<std::string>> found;
    for (const std::string& line : lines(out)) {
        auto f = fields(line);
        if (f.size() >= 3 && f[2] == kind)
            found.push_back(std::move(f));
    }
    return found;
}

} // namespace

TEST_F(CliOnSim, historyListsAVisitsFaultsBackupsJobSheetAndChangedSettingsOldestFirst) {
    sim([](CSimController& c) { c.setErrorBytes({0x01, 0, 0, 0}); });
    ASSERT_EQ(cli({"errors"}).status, 0);
    const std::string car = folder.file("car.xset");
    ASSERT_EQ(cli({"settings", "save", car}).status, 0);
    ASSERT_EQ(cli({"settings", "set", car, "m_base.m_switchRPM", "2500"}).status, 0);
    ASSERT_EQ(cli({"settings", "load", car}).status, 0);
    // The next change backs up the car as the load left it.
    ASSERT_EQ(cli({"map", "add", "1", "1", "1", "1", "2"}).status, 0);
    const std::string sheet = folder.file("sheet.html");
    ASSERT_EQ(cli({"report", sheet}).status, 0);

    ProcessResult r = cli({"history", "--serial", "GAS1000042"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto all = lines(r.out);
    ASSERT_FALSE(all.empty());
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const auto& a, const auto& b) {
        return a.substr(0, 19) < b.substr(0, 19);
    }));
    for (const std::string& line : all)
        EXPECT_EQ(fields(line)[1], "GAS1000042") << line;

    const auto connected = events(r.out, "connected");
    ASSERT_GE(connected.size(), 5u);
    EXPECT_EQ(connected[0].size(), 5u);
    ASSERT_EQ(events(r.out, "fault").size(), 1u);
    EXPECT_FALSE(events(r.out, "fault")[0][3].empty());
    const auto backups = events(r.out, "backup");
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0][4], "load");
    EXPECT_EQ(backups[1][4], "map");
    const auto settings = events(r.out, "setting");
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0], (std::vector<std::string>{settings[0][0], "GAS1000042", "setting",
                                                     "m_base.m_switchRPM", "1200", "2500"}));
    const auto sheets = events(r.out, "jobsheet");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0][3], sheet);

    // Another controller's history is not this one's; demonstration mode
    // leaves none.
    EXPECT_EQ(cli({"history", "--serial", "someone-else"}).out, "");
    ASSERT_EQ(cli({"--demo", "errors"}).status, 0);
    EXPECT_EQ(cli({"history"}).out, r.out);

    // --json: the same events, in the same order, each field a string.
    const ProcessResult j = cli({"--json", "history", "--serial", "GAS1000042"});
    ASSERT_EQ(j.status, 0) << j.err;
    const auto json = nlohmann::json::parse(j.out);
    ASSERT_EQ(json.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto f = fields(all[i]);
        std::vector<std::string> again = {json[i]["time"], json[i]["serial"], json[i]["kind"]};
        for (const auto& field : json[i]["fields"])
            again.push_back(field);
        EXPECT_EQ(again, f);
    }
}

TEST_F(CliOnSim, aDamagedVisitFileIsSkippedAndNamedAndTheLogGoesOn) {
    ASSERT_EQ(cli({"identify"}).status, 0);
    const std::string folderPath = folder.file("data/history/GAS1000042");
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folderPath))
        if (entry.path().extension() == ".visit")
            files.push_back(entry.path().string());
    ASSERT_EQ(files.size(), 1u);
    std::string text = readWholeFile(files[0]);
    text.insert(text.find("connected"), "x");
    writeWholeFile(files[0], text);

    ASSERT_EQ(cli({"identify"}).status, 0);
    const ProcessResult r = cli({"history"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "Pominięto uszkodzony wpis historii pojazdu")) << r.err;
    EXPECT_TRUE(contains(r.err, files[0])) << r.err;
    // The damaged day stays as it was; the visit after it is listed.
    EXPECT_EQ(readWholeFile(files[0]), text);
    EXPECT_EQ(events(r.out, "connected").size(), 1u) << r.out;
}
