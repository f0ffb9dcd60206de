// --json: the same values as the text, typed, and always valid JSON.

#include "CliOnSim.h"

#include <nlohmann/json.hpp>

#include <regex>

using namespace vexor::test;
using Json = nlohmann::ordered_json;

namespace {

Json parsed(const ProcessResult& r) {
    EXPECT_EQ(r.status, 0) << r.err;
    return Json::parse(r.out);
}

// The JSON value the text "value" must come out as: numbers as numbers.
void expectSame(const Json& json, const std::string& text, const std::string& where) {
    if (json.is_number())
        EXPECT_DOUBLE_EQ(json.get<double>(), std::stod(text)) << where;
    else
        EXPECT_EQ(json, Json(text)) << where;
}

} // namespace

TEST_F(CliOnSim, jsonReadingsCarryTheTextValuesTyped) {
    sim([](CSimController& c) {
        c.setStatistics(7322, 90, 12);
        c.setMapCell(0, 0, -7);
        c.setMapCell(18, 14, 33);
        c.setErrorBytes({0, 1, 0, 0});
    });

    const Json id = parsed(cli({"--json", "identify"}));
    EXPECT_EQ(id, Json::parse(R"({"port": ")" + server.slavePath() +
                              R"(", "version": "2.8", "version_raw": 520,
                                "serial": "GAS1000042", "production_date": "22/09/2009",
                                "injectors": 4, "device_id": 1, "flags1": 5, "flags2": 0,
                                "live_data": true})"));
    // Same keys in the same order as the identity block.
    std::vector<std::string> keys;
    for (const auto& item : id.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys.front(), "port");
    EXPECT_EQ(keys.back(), "live_data");

    const Json stats = parsed(cli({"--json", "stats"}));
    const std::string statsText = cli({"stats"}).out;
    // 7322 half seconds are 3661 s; the engine's counters go on running, so
    // the text read after the JSON shows at least as much.
    std::smatch time;
    ASSERT_TRUE(std::regex_search(statsText, time,
                                  std::regex("petrol-time: (\\d+) : (\\d\\d) : (\\d\\d)")));
    const long textSeconds =
        std::stol(time[1]) * 3600 + std::stol(time[2]) * 60 + std::stol(time[3]);
    EXPECT_GE(stats["petrol_time_s"].get<long>(), 3661);
    EXPECT_GE(textSeconds, stats["petrol_time_s"].get<long>());
    EXPECT_GE(stats["gas_time_s"].get<long>(), 45);
    EXPECT_EQ(stats["modify"], 12);
    EXPECT_TRUE(statsText.find("station-code: " + stats["station_code"].get<std::string>()) !=
                std::string::npos);

    const Json map = parsed(cli({"--json", "map", "show"}));
    const auto mapText = lines(cli({"map", "show"}).out);
    ASSERT_EQ(map["rows"].size(), 19u);
    ASSERT_EQ(mapText.size(), 19u);
    EXPECT_EQ(map["rows"][0][0], -7);
    EXPECT_EQ(map["rows"][18][14], 33);
    EXPECT_EQ(mapText[18].substr(mapText[18].rfind('\t') + 1), "33");

    const Json faults = parsed(cli({"--json", "errors"}));
    const auto faultText = lines(cli({"errors"}).out);
    std::vector<std::string> nonEmpty;
    for (const std::string& line : faultText)
        if (!line.empty())
            nonEmpty.push_back(line);
    EXPECT_EQ(faults["faults"], Json(nonEmpty));
    EXPECT_FALSE(nonEmpty.empty());
    sim([](CSimController& c) { c.setErrorBytes({0, 0, 0, 0}); });
    EXPECT_EQ(parsed(cli({"--json", "errors"})), Json::parse(R"({"faults": []})"));

    // Every key of the text, in its order, with its value.
    const Json settings = parsed(cli({"--json", "settings", "show"}));
    const auto settingsText = lines(cli({"settings", "show"}).out);
    ASSERT_EQ(settings.size(), settingsText.size());
    auto item = settings.items().begin();
    for (const std::string& line : settingsText) {
        const std::string key = line.substr(0, line.find('\t'));
        ASSERT_EQ(item.key(), key);
        expectSame(item.value(), line.substr(line.find('\t') + 1), key);
        ++item;
    }
    EXPECT_TRUE(settings["m_base.m_switchRPM"].is_number());
    // A text member stays a text even where it reads as a number.
    EXPECT_TRUE(settings["m_devInfo.m_serial"].is_string());
}

TEST_F(CliOnSim, jsonTextsAreEscapedWhateverTheyHold) {
    // Quotes and backslashes of a settings file's text come back as they were.
    const std::string a = folder.file("a.xset");
    const std::string b = folder.file("b.xset");
    ASSERT_EQ(cli({"settings", "save", a}).status, 0);
    ASSERT_EQ(cli({"settings", "save", b}).status, 0);
    ASSERT_EQ(cli({"settings", "set", b, "m_carInfo.m_vendor", "Q\"{\\}z"}).status, 0);
    const Json diff = parsed(cli({"--json", "settings", "diff", a, b}));
    ASSERT_EQ(diff.size(), 1u);
    EXPECT_EQ(diff[0]["b"], "Q\"{\\}z");

    // A serial field of control characters and bytes that are not UTF-8
    // still gives a document that parses.
    sim([](CSimController& c) { c.setSerialText("a\x01\xff\x80\"\n"); });
    const ProcessResult r = cli({"--json", "identify"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Json::accept(r.out)) << r.out;
}

TEST_F(CliOnSim, jsonListsLiveRecordsDifferencesAndBackups) {
    const auto records = lines(cli({"--json", "live", "-n", "3"}).out);
    ASSERT_EQ(records.size(), 3u);
    for (const std::string& line : records) {
        const Json record = Json::parse(line);
        EXPECT_EQ(record.size(), 10u);
        EXPECT_TRUE(record["rpm"].is_number());
        EXPECT_EQ(record["petrol_ms"].size(), 8u);
        EXPECT_EQ(record["gas_ms"].size(), 8u);
        EXPECT_TRUE(record["lambda2_v"].is_number());
    }

    const std::string a = folder.file("a.xset");
    const std::string b = folder.file("b.xset");
    ASSERT_EQ(cli({"settings", "save", a}).status, 0);
    ASSERT_EQ(cli({"settings", "save", b}).status, 0);
    ASSERT_EQ(cli({"settings", "set", b, "m_base.m_switchRPM", "1500"}).status, 0);
    const Json diff = parsed(cli({"--json", "settings", "diff", a, b}));
    ASSERT_EQ(diff.size(), 1u);
    EXPECT_EQ(diff[0]["key"], "m_base.m_switchRPM");
    EXPECT_TRUE(diff[0]["a"].is_number());
    EXPECT_EQ(diff[0]["b"], 1500);
    EXPECT_EQ(parsed(cli({"--json", "settings", "diff", a, a})), Json::array());

    ASSERT_EQ(cli({"map", "set", "0", "0", "1", "1", "5"}).status, 0);
    const Json backups = parsed(cli({"--json", "backups"}));
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0]["reason"], "map");
    EXPECT_EQ(backups[0]["serial"], "GAS1000042");
    EXPECT_EQ(backups[0]["id"].get<std::string>().rfind("GAS1000042/", 0), 0u);

    const Json ports = parsed(cli({"--json", "ports"}));
    EXPECT_EQ(ports, Json::parse(R"([{"index": 1, "path": ")" + server.slavePath() + "\"}]"));
}

TEST_F(CliOnSim, doubleDashEndsTheOptionsAfterTheCommand) {
    // A file whose name starts with "-", saved from the folder it is in.
    std::vector<std::string> argv = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"",
                                     folder.path().string()};
    const std::vector<std::string> cliArgs = base(server.slavePath());
    argv.insert(argv.end(), cliArgs.begin(), cliArgs.end());
    argv.insert(argv.end(), {"settings", "save", "--", "-x.xset"});
    const ProcessResult r = runProcess(argv);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(readWholeFile(folder.file("-x.xset")).empty());

    // After "--" an option of the command is an operand like any other.
    EXPECT_EQ(cli({"live", "--", "-n", "1"}).status, 2);
}
