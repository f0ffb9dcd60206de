#include "SimFixture.h"

#include <thread>

using namespace std::chrono_literals;

class SimControllerModel : public SimFixture {};

namespace {
// The 288-byte map area, fetched the way a client does: nine 32-byte memory reads.
std::vector<uint8_t> readMapArea(CSimTestClient& client) {
    std::vector<uint8_t> area;
    for (uint16_t address = 320; address <= 576; address += 32) {
        auto r = client.read(0x0B, address);
        if (!r || r->command != 5 || r->payload.size() != 34 || le16(r->payload, 0) != address)
            return {};
        area.insert(area.end(), r->payload.begin() + 2, r->payload.end());
    }
    return area;
}

bool areaChecksumOk(const std::vector<uint8_t>& area) {
    unsigned sum = 1;
    for (int i = 0; i < 286; ++i)
        sum += area[i];
    return static_cast<uint16_t>(sum) == ((area[286] << 8) | area[287]);
}

double rpmOf(const std::vector<uint8_t>& live) {
    return 4800000.0 / le16(live, 16);
}
} // namespace

TEST_F(SimControllerModel, everySettingsBlockReadsBackWhatWasWritten) {
    for (const SimBlockLayout& layout : CSimController::blockLayouts()) {
        std::vector<uint8_t> bytes(layout.length);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(layout.command * 7 + i);
        auto ack = client->transact(layout.command, bytes);
        ASSERT_TRUE(ack) << layout.name;
        EXPECT_EQ(ack->command, 2);
        EXPECT_EQ(ack->payload, kAccepted) << layout.name;

        auto back = client->read(layout.selector);
        ASSERT_TRUE(back) << layout.name;
        EXPECT_EQ(back->command, layout.command) << layout.name;
        EXPECT_EQ(back->payload, bytes) << layout.name;
    }
}

TEST_F(SimControllerModel, aBlockOfTheWrongLengthIsRefusedAndTheOldOneKept) {
    const std::vector<uint8_t> before = controller([](CSimController& c) { return c.block(3); });
    auto ack = client->transact(3, std::vector<uint8_t>(27, 9));
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->payload[0], 0);
    EXPECT_EQ(controller([](CSimController& c) { return c.block(3); }), before);
}

TEST_F(SimControllerModel, factoryBlocksCarryTheDefaultSettings) {
    auto base = client->read(7);
    ASSERT_TRUE(base);
    EXPECT_EQ(le16(base->payload, 0), 4000); // 1200 rpm as an ignition period
    EXPECT_EQ(base->payload[12], 0x90);
    auto setup = client->read(0x22);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->payload[12], 0x10);
    auto obd = client->read(0x1B);
    ASSERT_TRUE(obd);
    EXPECT_EQ(obd->payload[8], 1); // link on
}

TEST_F(SimControllerModel, mapRegionOpsCellWritesAndClearKeepTheAreaChecksumValid) {
    std::vector<uint8_t> area = readMapArea(*client);
    ASSERT_EQ(area.size(), 288u);
    EXPECT_TRUE(areaChecksumOk(area));
    EXPECT_EQ(area[0], 100);

    // Add 5 to rows 2..3, columns 1..3; set row 18 column 14 to +50 then add 10 (clamped).
    EXPECT_EQ(client->transact(13, {2, 1, 2, 3, 2, 5})->payload, kAccepted);
    EXPECT_EQ(client->transact(13, {18, 14, 5, 5, 1, 150})->payload, kAccepted);
    EXPECT_EQ(client->transact(13, {18, 14, 1, 1, 2, 10})->payload, kAccepted);
    EXPECT_EQ(client->transact(14, {0, 0, 70, 0})->payload, kAccepted);
    EXPECT_EQ(client->read(0x13)->payload, kAccepted);

    area = readMapArea(*client);
    ASSERT_EQ(area.size(), 288u);
    EXPECT_TRUE(areaChecksumOk(area));
    EXPECT_EQ(area[2 * 15 + 1], 105);
    EXPECT_EQ(area[3 * 15 + 3], 105);
    EXPECT_EQ(area[3 * 15 + 4], 100);
    EXPECT_EQ(area[18 * 15 + 14], 150);
    EXPECT_EQ(area[0], 70);
    EXPECT_EQ(controller([](CSimController& c) { return c.commitCount(); }), 1);

    EXPECT_EQ(client->transact(13, {0, 0, 1, 1, 9, 0})->payload[0], 0); // unknown operation
    EXPECT_EQ(client->transact(14, {19, 0, 120, 0})->payload[0], 0);    // row out of range

    client->read(0x14);
    area = readMapArea(*client);
    EXPECT_TRUE(areaChecksumOk(area));
    EXPECT_EQ(area[18 * 15 + 14], 100);
}

TEST_F(SimControllerModel, memoryWritesLandWhereTheAddressSays) {
    std::vector<uint8_t> chunk = {0x40, 0x02}; // 576: the chunk holding the map check sum
    for (int i = 0; i < 32; ++i)
        chunk.push_back(static_cast<uint8_t>(200 + i));
    EXPECT_EQ(client->transact(5, chunk)->payload, kAccepted);
    auto back = client->read(0x0B, 576);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->payload, chunk);
    EXPECT_FALSE(controller([](CSimController& c) { return c.mapChecksumValid(); }));
}

TEST_F(SimControllerModel, gasRequestReachesGasOnlyAfterTheSwitchDelayAndPetrolAtOnce) {
    SimConfig config;
    config.gasSwitchDelay = 200ms;
    startWith(config);
    client->read(0x17, 0x05); // injectors 1 and 3 allowed on gas

    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(client->read(1)->payload, kAccepted);
    auto live = client->read(6);
    ASSERT_TRUE(live);
    EXPECT_EQ(live->payload[0], 2);
    EXPECT_EQ(live->payload[1], 1); // switch under way
    EXPECT_EQ(live->payload[11], 0);

    for (int i = 0; i < 100 && live->payload[0] != 3; ++i) {
        std::this_thread::sleep_for(20ms);
        live = client->read(6);
        ASSERT_TRUE(live);
    }
    EXPECT_EQ(live->payload[0], 3);
    EXPECT_GE(std::chrono::steady_clock::now() - asked, 200ms);
    EXPECT_EQ(live->payload[11], 0x05);
    EXPECT_GT(le16(live->payload, 20), 0) << "gas correction of injector 1";

    client->read(2);
    EXPECT_EQ(client->read(6)->payload[0], 2);
    EXPECT_EQ(controller([](CSimController& c) { return c.fuelRequest(); }),
              CSimController::FuelRequest::Petrol);
}

TEST_F(SimControllerModel, restartClearsTheErrorBytesAndReturnsToPetrol) {
    controller([](CSimController& c) {
        c.setErrorBytes({0x00, 0x05, 0x01, 0x00});
        c.forceFuel(true);
    });
    auto errors = client->read(5);
    ASSERT_TRUE(errors);
    EXPECT_EQ(errors->command, 6);
    EXPECT_EQ(errors->payload, (std::vector<uint8_t>{0x00, 0x05, 0x01, 0x00}));

    EXPECT_EQ(client->read(0x0A)->payload, kAccepted);
    EXPECT_EQ(client->read(5)->payload, (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(client->read(6)->payload[0], 2);
}

TEST_F(SimControllerModel, liveRecordsVaryAndDecodeToAnIdlingEngine) {
    std::vector<std::vector<uint8_t>> records;
    for (int i = 0; i < 6; ++i) {
        auto r = client->read(6);
        ASSERT_TRUE(r);
        ASSERT_EQ(r->command, 1);
        ASSERT_EQ(r->payload.size(), 82u);
        records.push_back(r->payload);
        std::this_thread::sleep_for(30ms);
    }
    bool varied = false;
    for (const auto& r : records) {
        varied = varied || r != records.front();
        EXPECT_NEAR(rpmOf(r), 800.0, 60.0);
        const double petrolMs = le16(r, 18) * 0.025;
        EXPECT_GT(petrolMs, 2.0);
        EXPECT_LT(petrolMs, 3.0);
        const double supply = r[5] * 5.0 / 255.0 * 6.0;
        EXPECT_NEAR(supply, 13.9, 0.5);
        EXPECT_LE(r[6], 45) << "lambda 1 stays below 0.9 V";
        // 400 kPa sensor: about 32 kPa at idle.
        EXPECT_NEAR((r[10] / 255.0 + 0.00842) / 0.002421, 32.0, 4.0);
        EXPECT_EQ(r[0], 2);
        EXPECT_EQ(r[11], 0);
    }
    EXPECT_TRUE(varied);
}

TEST_F(SimControllerModel, higherLoadMeansLongerInjectionAndHigherManifoldPressure) {
    auto idle = client->read(6);
    controller([](CSimController& c) { c.engine().setLoad(0.8); });
    auto loaded = client->read(6);
    ASSERT_TRUE(idle && loaded);
    EXPECT_GT(le16(loaded->payload, 18), le16(idle->payload, 18) + 100);
    EXPECT_GT(loaded->payload[10], idle->payload[10] + 20);
    EXPECT_GT(rpmOf(loaded->payload), 2500.0);
}

TEST_F(SimControllerModel, statisticsCountersGrowWithRunningTimeOnEachFuel) {
    useManualClock();
    controller([](CSimController& c) { c.setStatistics(100, 200, 7); });
    advanceClock(10s);
    auto stats = client->read(0x11);
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->command, 12);
    EXPECT_EQ(le32(stats->payload, 0), 120u); // 10 s on petrol in 0.5 s units
    EXPECT_EQ(le32(stats->payload, 4), 200u);
    EXPECT_EQ(le16(stats->payload, 8), 7);

    controller([](CSimController& c) { c.forceFuel(true); });
    client->read(6);
    advanceClock(5s);
    stats = client->read(0x11);
    EXPECT_EQ(le32(stats->payload, 4), 210u);
}

TEST_F(SimControllerModel, loadMapsCollectPerFuelAndClearOnRequest) {
    useManualClock();
    client->read(6);
    advanceClock(10s);
    auto petrol = client->read(0x1E);
    auto gas = client->read(0x1F);
    ASSERT_TRUE(petrol && gas);
    EXPECT_EQ(petrol->command, 19);
    EXPECT_EQ(gas->command, 20);
    ASSERT_EQ(petrol->payload.size(), 188u);
    ASSERT_EQ(gas->payload.size(), 188u);
    EXPECT_EQ(le16(petrol->payload, 186), 100); // one sample per 100 ms
    EXPECT_EQ(le16(gas->payload, 186), 0);
    unsigned counted = 0;
    for (int b = 0; b < 31; ++b) {
        const unsigned count = le16(petrol->payload, 124 + 2 * b);
        counted += count;
        if (count) {
            EXPECT_NEAR(le32(petrol->payload, 4 * b) / double(count) * 0.004, 2.4, 0.05);
        }
    }
    EXPECT_EQ(counted, 100u);

    EXPECT_EQ(client->read(0x1C)->payload, kAccepted);
    EXPECT_EQ(le16(client->read(0x1E)->payload, 186), 0);
}
