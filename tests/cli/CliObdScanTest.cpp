#include "CliOnSim.h"

#include "SimObd.h"

#include <nlohmann/json.hpp>

using namespace vexor::test;

TEST_F(CliOnSim, obdScanCommandsPrintWhatTheCarWasGiven) {
    sim([](CSimController& c) {
        c.obd().setTroubleCodes({0x0171});
        c.obd().setReadiness({0x07, 0x65, 0x04}); // the evaporative system not yet tested
        c.obd().setPendingCodes({0x0420, 0xC401});
        c.obd().setVehicleInfo("1D4GP00R55B123456", "CAL-0815");
    });

    const ProcessResult readiness = cli({"--lang", "1", "obd", "readiness"});
    ASSERT_EQ(readiness.status, 0) << readiness.err;
    const auto r = lines(readiness.out);
    ASSERT_EQ(r.size(), 12u) << readiness.out;
    EXPECT_EQ(r[0], "Engine warning lamp\ton");
    EXPECT_EQ(r[1], "Stored codes\t1");
    EXPECT_EQ(r[3], "Fuel system\tcomplete");
    EXPECT_EQ(r[7], "Evaporative system\tnot complete");
    EXPECT_EQ(r[8], "Secondary air\tnot supported");

    const ProcessResult pending = cli({"obd", "pending"});
    ASSERT_EQ(pending.status, 0) << pending.err;
    const auto p = lines(pending.out);
    ASSERT_EQ(p.size(), 2u) << pending.out;
    EXPECT_EQ(p[0].rfind("P0420\t", 0), 0u) << p[0];
    EXPECT_EQ(p[1].rfind("U0401\t", 0), 0u) << p[1];

    const ProcessResult permanent = cli({"obd", "permanent"});
    EXPECT_EQ(permanent.status, 0) << permanent.err;
    EXPECT_EQ(permanent.out, ""); // none stored

    const ProcessResult freeze = cli({"--lang", "1", "obd", "freeze"});
    ASSERT_EQ(freeze.status, 0) << freeze.err;
    const auto f = lines(freeze.out);
    ASSERT_FALSE(f.empty());
    EXPECT_EQ(f[0], "Code that stored the frame\tP0171\t");
    EXPECT_NE(freeze.out.find("Engine speed\t2150\trpm\n"), std::string::npos) << freeze.out;

    const ProcessResult vin = cli({"--lang", "1", "obd", "vin"});
    ASSERT_EQ(vin.status, 0) << vin.err;
    EXPECT_EQ(vin.out, "VIN\t1D4GP00R55B123456\nCalibration ID\tCAL-0815\n");

    // --json carries the same values, typed.
    using Json = nlohmann::json;
    const ProcessResult rj = cli({"--json", "--lang", "1", "obd", "readiness"});
    ASSERT_EQ(rj.status, 0) << rj.err;
    const Json rd = Json::parse(rj.out);
    EXPECT_EQ(rd["lamp"], true);
    EXPECT_EQ(rd["stored_codes"], 1);
    ASSERT_EQ(rd["monitors"].size(), r.size() - 2);
    for (std::size_t i = 0; i < rd["monitors"].size(); ++i)
        EXPECT_EQ(rd["monitors"][i]["name"].get<std::string>() + "\t" +
                      rd["monitors"][i]["state"].get<std::string>(),
                  r[i + 2]);

    const Json pj = Json::parse(cli({"--json", "obd", "pending"}).out);
    ASSERT_EQ(pj.size(), 2u);
    EXPECT_EQ(pj[1]["code"], "U0401");
    EXPECT_EQ(pj[1]["code"].get<std::string>() + "\t" + pj[1]["text"].get<std::string>(), p[1]);
    EXPECT_EQ(Json::parse(cli({"--json", "obd", "permanent"}).out), Json::array());

    const Json fj = Json::parse(cli({"--json", "--lang", "1", "obd", "freeze"}).out);
    EXPECT_EQ(fj["code"], "P0171");
    ASSERT_EQ(fj["values"].size(), f.size() - 1);
    bool speed = false;
    for (const Json& v : fj["values"]) {
        if (v["name"] == "Engine speed") {
            speed = true;
            EXPECT_EQ(v["value"], 2150);
            EXPECT_EQ(v["unit"], "rpm");
        }
    }
    EXPECT_TRUE(speed) << fj.dump();

    EXPECT_EQ(Json::parse(cli({"--json", "obd", "vin"}).out),
              Json::parse(R"({"vin": "1D4GP00R55B123456", "calibration_ids": ["CAL-0815"]})"));
}

TEST_F(CliOnSim, aServiceTheCarRefusesIsSaidPlainlyAndIsNoSuccess) {
    sim([](CSimController& c) { c.obd().setRefusedServices({0x07}); });
    const ProcessResult pending = cli({"--lang", "1", "obd", "pending"});
    EXPECT_EQ(pending.status, 1);
    EXPECT_EQ(pending.out, "");
    EXPECT_NE(pending.err.find("The car does not support this function"), std::string::npos)
        << pending.err;
    // No VIN given to the car: service 9 answers, but not with a VIN.
    const ProcessResult vin = cli({"--lang", "1", "obd", "vin"});
    EXPECT_EQ(vin.status, 1);
    EXPECT_NE(vin.err.find("The car does not support this function"), std::string::npos);
    // A car with no stored code keeps no freeze frame: said, and no failure.
    const ProcessResult freeze = cli({"obd", "freeze"});
    EXPECT_EQ(freeze.status, 0) << freeze.err;
    EXPECT_EQ(freeze.out, "");
    EXPECT_NE(freeze.err.find("Samochód nie ma zapisanej zamrożonej ramki"), std::string::npos);
}
