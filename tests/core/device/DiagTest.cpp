#include "device/Diag.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vexor;

TEST(Diag, PayloadFillsTheRecordAndAShortOneLeavesTheRestZero) {
    std::vector<std::uint8_t> payload(100);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(i + 1);

    CDiag full;
    full.setSample(7);
    full.fromPayload(payload.data(), payload.size());
    EXPECT_EQ(full.byteAt(81), 82); // the 83rd byte and later are ignored
    EXPECT_EQ(full.sample(), 7);

    CDiag shorter = full;
    shorter.fromPayload(payload.data(), 10);
    EXPECT_EQ(shorter.byteAt(9), 10);
    for (std::size_t i = 10; i < CDiag::kRecordSize; ++i)
        ASSERT_EQ(shorter.byteAt(i), 0) << i;

    shorter.fromPayload(nullptr, 50);
    EXPECT_EQ(shorter.bytes(), CDiag{}.bytes());
    EXPECT_EQ(shorter.sample(), 7);
}

TEST(Diag, FieldsReadTheirOffsetsWithWordsLowByteFirst) {
    std::vector<std::uint8_t> payload(CDiag::kRecordSize);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(i);
    payload[16] = 0x88; // ignition period 5000 = 0x1388
    payload[17] = 0x13;
    CDiag record;
    record.fromPayload(payload.data(), payload.size());

    EXPECT_EQ(record.workMode(), 0);
    EXPECT_EQ(record.modeFlag(), 1);
    EXPECT_EQ(record.reducerTemprRaw(), 2);
    EXPECT_EQ(record.gasTemprRaw(), 3);
    EXPECT_EQ(record.obdCorrBank2(), 4 - 100);
    EXPECT_EQ(record.supplyRaw(), 5);
    EXPECT_EQ(record.lambda1Raw(), 6);
    EXPECT_EQ(record.lambda2Raw(), 7);
    EXPECT_EQ(record.gasPressureRaw(), 8);
    EXPECT_EQ(record.manifoldRaw(), 10);
    EXPECT_EQ(record.injectorsOnGas(), 11);
    EXPECT_EQ(record.fuelLevel(), 14);
    EXPECT_EQ(record.obdCorrBank1(), 15 - 100);
    EXPECT_EQ(record.ignitionPeriod(), 5000);
    EXPECT_DOUBLE_EQ(record.rpm(), 960.0);
    EXPECT_EQ(record.petrolWord(0), 18 | (19 << 8));
    EXPECT_EQ(record.gasCorrWord(0), 20 | (21 << 8));
    EXPECT_EQ(record.petrolWord(15), 78 | (79 << 8));
    EXPECT_EQ(record.gasCorrWord(15), 80 | (81 << 8));
}

TEST(Diag, ChannelsOutsideTheRecordReadZeroAndIgnoreWrites) {
    CDiag record;
    record.setPetrolWord(16, 1234);
    record.setGasCorrWord(-1, 1234);
    record.setByte(CDiag::kRecordSize, 1);
    record.setWord(CDiag::kRecordSize - 1, 0xFFFF);
    EXPECT_EQ(record, CDiag{});
    EXPECT_EQ(record.petrolWord(16), 0);
    EXPECT_EQ(record.gasCorrWord(-1), 0);
    EXPECT_EQ(record.injectorTimes(8).petrolMs, 0.0);
    EXPECT_EQ(record.injectorTimes(-1).gasMs, 0.0);
}

TEST(Diag, GasCorrectionWordsAboveSixtyThousandAreNegative) {
    EXPECT_EQ(decodeGasCorrection(65535), 0);
    EXPECT_EQ(decodeGasCorrection(65534), -1);
    EXPECT_EQ(decodeGasCorrection(65500), -35);
    EXPECT_EQ(decodeGasCorrection(60001), -5534);
    EXPECT_EQ(decodeGasCorrection(60000), 60000);
    EXPECT_EQ(decodeGasCorrection(0), 0);

    for (int steps : {-5534, -35, -1, 0, 80, 60000})
        EXPECT_EQ(decodeGasCorrection(encodeGasCorrection(steps)), steps) << steps;
    EXPECT_EQ(encodeGasCorrection(-1), 65534);
    EXPECT_EQ(encodeGasCorrection(70000), 60000);
    EXPECT_EQ(encodeGasCorrection(-9000), 60001);
}

TEST(Diag, InjectorTakesTheLongerChannelAndItsCorrection) {
    CDiag record;
    // Injector 1: the second channel is longer, so its correction applies.
    record.setPetrolWord(0, 400);
    record.setGasCorrWord(0, 80);
    record.setPetrolWord(1, 440);
    record.setGasCorrWord(1, 65500);
    SInjectorTimes times = record.injectorTimes(0);
    EXPECT_EQ(times.channel, 1);
    EXPECT_DOUBLE_EQ(times.petrolMs, 11.0);
    EXPECT_DOUBLE_EQ(times.gasMs, 10.13); // 11.00 - 35 x 0.025

    // Injector 2: equal times go to the even channel.
    record.setPetrolWord(2, 200);
    record.setGasCorrWord(2, 60000);
    record.setPetrolWord(3, 200);
    record.setGasCorrWord(3, 65535);
    times = record.injectorTimes(1);
    EXPECT_EQ(times.channel, 2);
    EXPECT_DOUBLE_EQ(times.petrolMs, 5.0);
    EXPECT_DOUBLE_EQ(times.gasMs, 1505.0);

    // Injector 8 uses the last channel pair.
    record.setPetrolWord(14, 1);
    record.setPetrolWord(15, 0);
    record.setGasCorrWord(14, 65535);
    times = record.injectorTimes(7);
    EXPECT_EQ(times.channel, 14);
    EXPECT_DOUBLE_EQ(times.gasMs, times.petrolMs);
}
