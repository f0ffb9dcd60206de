#include "device/DemoDiag.h"
#include "device/Conversions.h"
#include "device/Diag.h"
#include "device/DiagData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace std::chrono_literals;

namespace {

std::vector<CDiag> readMany(CDemoDiag& demo, int count, int gasColumn = 0, int reducerColumn = 0) {
    CDiagData history;
    std::vector<CDiag> records(static_cast<std::size_t>(count));
    for (auto& record : records)
        demo.read(record, history, gasColumn, reducerColumn);
    return records;
}

} // namespace

TEST(DemoDiag, OnlyTheFirstRecordEmptiesTheHistoryAndSamplesCountUp) {
    CDemoDiag demo(0ms);
    CDiagData history;
    history.append(CDiag{});
    CDiag record;

    EXPECT_EQ(demo.nextSample(), 1);
    demo.read(record, history, 0, 0);
    EXPECT_EQ(record.sample(), 1);
    EXPECT_EQ(history.count(), 0);

    history.append(record);
    demo.read(record, history, 0, 0);
    EXPECT_EQ(record.sample(), 2);
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(demo.nextSample(), 3);
}

TEST(DemoDiag, FirstRecordCarriesTheStartingValues) {
    CDemoDiag demo(0ms);
    const CDiag record = readMany(demo, 1, 2, 1).front();

    EXPECT_EQ(record.workMode(), 2);
    EXPECT_EQ(record.injectorsOnGas(), 0);
    EXPECT_EQ(record.byteAt(12), 0);
    EXPECT_EQ(record.gasPressureRaw(), 110);
    EXPECT_EQ(record.manifoldRaw(), 50);
    EXPECT_EQ(record.byteAt(9), 110);
    EXPECT_EQ(record.gasTemprRaw(), vexor::rawFromTempr(50, 2));
    EXPECT_EQ(record.reducerTemprRaw(), vexor::rawFromTempr(70, 1));
    EXPECT_LE(vexor::temprFromRaw(record.gasTemprRaw(), 2), 50);
    EXPECT_EQ(record.supplyRaw(), 122);
    EXPECT_EQ(record.lambda1Raw(), 1);
    EXPECT_EQ(record.lambda2Raw(), 49);
    EXPECT_EQ(record.fuelLevel(), 12);
    EXPECT_EQ(record.obdCorrBank1(), 1);
    EXPECT_EQ(record.obdCorrBank2(), 1);
    EXPECT_EQ(record.ignitionPeriod(), 5000);

    const int petrol[8] = {124, 121, 122, 124, 125, 126, 125, 124};
    for (int injector = 0; injector < 8; ++injector) {
        EXPECT_EQ(record.petrolWord(2 * injector), petrol[injector]) << injector;
        EXPECT_EQ(record.gasCorrWord(2 * injector), 80) << injector;
        EXPECT_EQ(record.petrolWord(2 * injector + 1), 0) << injector;
        EXPECT_EQ(record.gasCorrWord(2 * injector + 1), 0) << injector;
    }
    EXPECT_DOUBLE_EQ(record.injectorTimes(0).gasMs, 5.1); // 3.10 ms petrol + 2 ms
}

TEST(DemoDiag, PetrolTimesFollowTheManifoldAndShrinkOnGas) {
    CDemoDiag petrol(0ms);
    // (113.22 - 50) x 6 = 379.32, plus the first channel's offset of 1.
    EXPECT_EQ(readMany(petrol, 2)[1].petrolWord(0), 380);

    CDemoDiag gas(0ms);
    gas.setFuelState(CDemoDiag::kGas);
    const auto records = readMany(gas, 2);
    EXPECT_EQ(records[0].workMode(), 3);
    EXPECT_EQ(records[0].injectorsOnGas(), 0xFF);
    EXPECT_EQ(records[0].byteAt(12), 0xFF);
    EXPECT_EQ(records[1].petrolWord(0), 342); // round(0.9 x 379.32) + 1

    gas.setFuelState(CDemoDiag::kPetrol);
    EXPECT_EQ(readMany(gas, 1)[0].workMode(), 2);
}

TEST(DemoDiag, SweepsTurnAtTheirLimits) {
    CDemoDiag demo(0ms);
    const auto records = readMany(demo, 1500);

    EXPECT_EQ(records[49].lambda1Raw(), 50);
    EXPECT_EQ(records[50].lambda1Raw(), 49);
    EXPECT_EQ(records[99].lambda1Raw(), 0);
    EXPECT_EQ(records[100].lambda1Raw(), 1);
    EXPECT_EQ(records[100].ignitionPeriod(), 5100);
    EXPECT_EQ(records[101].ignitionPeriod(), 5099);
    EXPECT_EQ(records[200].ignitionPeriod(), 5000);
    EXPECT_EQ(records[201].ignitionPeriod(), 5001);
    EXPECT_EQ(records[10].gasPressureRaw(), 120);
    EXPECT_EQ(records[11].gasPressureRaw(), 119);
    EXPECT_EQ(records[40].gasPressureRaw(), 90);
    EXPECT_EQ(records[41].gasPressureRaw(), 91);

    int lowManifold = 255;
    int highManifold = 0;
    for (const auto& record : records) {
        ASSERT_EQ(record.lambda1Raw() + record.lambda2Raw(), 50);
        ASSERT_GE(record.ignitionPeriod(), 5000);
        ASSERT_LE(record.ignitionPeriod(), 5100);
        ASSERT_GE(record.gasPressureRaw(), 90);
        ASSERT_LE(record.gasPressureRaw(), 120);
        lowManifold = std::min<int>(lowManifold, record.manifoldRaw());
        highManifold = std::max<int>(highManifold, record.manifoldRaw());
    }
    EXPECT_GE(lowManifold, 19);
    EXPECT_LE(lowManifold, 20);
    EXPECT_GE(highManifold, 99);
    EXPECT_LE(highManifold, 100);
}

TEST(DemoDiag, EachReadTakesAtLeastThePause) {
    CDemoDiag demo(20ms);
    const auto start = std::chrono::steady_clock::now();
    readMany(demo, 2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 40ms);
}
