#include "CliOnSim.h"
#include "support/SimDriveRecorder.h"

#include <nlohmann/json.hpp>

#include <sstream>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// `count` recording lines at one operating point: four cylinders working.
std::string records(int count, int mode, int rpm, double petrolMs, int kpa, int reducerC = 60) {
    std::ostringstream out;
    for (int i = 0; i < count; ++i) {
        out << mode << '\t' << rpm;
        for (int cylinder = 0; cylinder < 8; ++cylinder)
            out << '\t' << (cylinder < 4 ? petrolMs : 0.0) << '\t'
                << (cylinder < 4 && mode == 3 ? 3.1 : 0.0);
        out << "\t120\t" << kpa << "\t30\t" << reducerC << "\t0.5\t0\n";
    }
    return out.str();
}

class CliMapPropose : public CliOnSim {
protected:
    // Petrol and gas drives: 2200 rpm at 5 ms is 8 % lean (row "6", column
    // "2000"); 4200 rpm at 9 ms has 19 gas records only.
    void SetUp() override {
        CliOnSim::SetUp();
        writeWholeFile(petrol, records(30, 2, 2200, 5.0, 50) + records(30, 2, 4200, 9.0, 80));
        writeWholeFile(gas, records(20, 3, 2200, 5.4, 50) + records(19, 3, 4200, 9.9, 80));
    }
    std::string petrol = folder.file("petrol.osc");
    std::string gas = folder.file("gas.osc");
};

TEST_F(CliMapPropose, applyBacksUpThenWritesOnlyTheChangedCellsAsTheGridDoes) {
    sim([](CSimController& c) {
        c.setMapCell(4, 3, -3);
        c.setMapCell(8, 7, 6);
        c.setMapCell(0, 0, 12);
    });
    const ProcessResult shown = cli({"map", "show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    server.requestLog().clear();
    const ProcessResult r = cli({"map", "propose", petrol, gas, "--apply"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "Zmienione komórki mapy: 1")) << r.err;
    EXPECT_TRUE(contains(r.err, "Komórki ze zbyt małą liczbą zapisów: 284")) << r.err;
    // Printed as `map show` prints it, with -3 + 8 in its cell.
    std::vector<std::string> expected = lines(shown.out);
    ASSERT_EQ(expected.size(), 19u);
    expected[4] = "0\t0\t0\t5\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0";
    EXPECT_EQ(lines(r.out), expected);
    sim([](CSimController& c) {
        EXPECT_EQ(c.mapCell(4, 3), 5);
        EXPECT_EQ(c.mapCell(8, 7), 6);
        EXPECT_EQ(c.mapCell(0, 0), 12);
    });
    EXPECT_EQ(count(SimMatch::cmd(13)), 1u);
    EXPECT_EQ(count(SimMatch::read(0x13)), 1u);
    const auto listed = lines(cli({"backups"}).out);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_TRUE(contains(listed[0], "\tmap\t")) << listed[0];
    EXPECT_EQ(cli({"map", "show"}).out, r.out);
}

TEST_F(CliMapPropose, baseFileNeedsNoControllerAndMinSamplesSetsTheThreshold) {
    const std::string settings = folder.file("car.xset");
    ASSERT_EQ(cli({"settings", "save", settings}).status, 0);
    server.requestLog().clear();
    const ProcessResult r = cliOn("/nonexistent/port", {"map", "propose", "--min-samples", "19",
                                                        petrol, gas, "--base", settings});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> map = lines(r.out);
    ASSERT_EQ(map.size(), 19u);
    EXPECT_EQ(map[4], "0\t0\t0\t8\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0");
    EXPECT_EQ(map[8], "0\t0\t0\t0\t0\t0\t0\t10\t0\t0\t0\t0\t0\t0\t0");
    EXPECT_TRUE(contains(r.err, "Zmienione komórki mapy: 2")) << r.err;
    EXPECT_EQ(server.requestLog().requests().size(), 0u);

    // --json prints the proposal as `map show --json` prints a map.
    const ProcessResult json =
        cliOn("/nonexistent/port",
              {"--json", "map", "propose", "--min-samples", "19", petrol, gas, "--base", settings});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto rows = nlohmann::json::parse(json.out)["rows"];
    ASSERT_EQ(rows.size(), 19u);
    EXPECT_EQ(rows[4][3], 8);
    EXPECT_EQ(rows[8][7], 10);

    EXPECT_EQ(cli({"map", "propose", petrol, "--base", settings, "--apply"}).status, 2);
    EXPECT_EQ(cli({"map", "propose", "--base", settings}).status, 2);
    EXPECT_EQ(cli({"map", "propose", petrol, "--min-samples", "0", "--base", settings}).status, 2);
}

TEST_F(CliMapPropose, aDamagedOrMissingRecordingStopsBeforeAnythingIsSent) {
    const std::string damaged = folder.file("damaged.osc");
    writeWholeFile(damaged,
                   records(3, 3, 2200, 5.4, 50) + "3\t2200\t5.4\n" + records(30, 3, 2200, 5.4, 50));
    server.requestLog().clear();
    ProcessResult r = cli({"map", "propose", petrol, damaged, gas, "--apply"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, damaged + ":4")) << r.err;
    EXPECT_TRUE(r.out.empty());
    r = cli({"map", "propose", petrol, folder.file("missing.osc"), "--apply"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, folder.file("missing.osc"))) << r.err;
    EXPECT_EQ(server.requestLog().requests().size(), 0u);
    EXPECT_TRUE(lines(cli({"backups"}).out).empty());
}

// One round as a fitter drives it: a petrol drive and a gas drive over the
// simulated car's whole range, the proposal applied to the controller. The
// car's hidden gas mixture error is what its fuel trims still make up.
TEST_F(CliMapPropose, oneRoundOnADrivenCarTakesMostOfTheHiddenMixtureErrorAway) {
    std::unique_ptr<CSimDriveRecorder> recorder;
    sim([&](CSimController& c) {
        c.engine().setMixtureSeed(11);
        recorder = std::make_unique<CSimDriveRecorder>(c);
        writeWholeFile(petrol, recorder->drive(false));
        writeWholeFile(gas, recorder->drive(true));
    });
    const auto before = sim([&](CSimController&) { return recorder->remainingError(); });
    ASSERT_GT(before.first, 0.03);
    ASSERT_GT(before.second, 40); // cells the drive visits

    const ProcessResult r = cli({"map", "propose", petrol, gas, "--apply"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto after = sim([&](CSimController&) { return recorder->remainingError(); });
    EXPECT_LT(after.first, 0.3 * before.first) << before.first << " -> " << after.first;
}

} // namespace
