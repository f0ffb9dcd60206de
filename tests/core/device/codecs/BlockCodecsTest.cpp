#include "device/codecs/BlockCodecs.h"
#include "device/Conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

using namespace vexor;

namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t N> Bytes bytesOf(const std::array<std::uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

// An image whose every settings block differs from the factory settings.
DeviceSettings scrambledImage() {
    DeviceSettings s;
    const Bytes ff(300, 0xFF);
    decodeBase(ff.data(), ff.size(), s);
    decodeAdv(ff.data(), ff.size(), s);
    decodeMainCorr(ff.data(), ff.size(), s);
    decodeSetupTimes(ff.data(), ff.size(), s);
    decodeAdvancedSetup(ff.data(), ff.size(), s);
    s.m_sensorsSetup.m_fuelFull = 1;
    s.m_sensorsSetup.m_lambdaEmulatorTable[14] = 4.0;
    return s;
}

} // namespace

// The factory settings, worked out by hand from the field layouts, the
// temperature table (default sensor type 2.2 kOhm) and the pressure and
// voltage scales. Decoding them must give the factory settings back.
TEST(BlockCodecs, factorySettingsEncodeToKnownPayloadsAndReadBackUnchanged) {
    const DeviceSettings defaults;

    const Bytes base{0xA0, 0x0F, 0,   0, 1,   71, 54, 60, 0x58, 0x02, 0xAE, 0x02, 0x90, 112,
                     10,   4,    138, 3, 138, 28, 20, 32, 85,   0,    0,    0,    0,    0};
    const Bytes adv{1,    160,  40,   80,   60,   36, 0, 0,   0x01, 0x02, 0x04,
                    0x08, 0x10, 0x20, 0x40, 0x80, 0,  3, 163, 0,    0};
    Bytes sensors{130, 126, 117, 114, 0, 0, 1, 0, 0, 0};
    sensors.insert(sensors.end(), 15, 26);
    sensors.insert(sensors.end(), {1, 1, 1});
    Bytes advancedSetup(30, 0);
    advancedSetup[8] = 0x80; // 500 rpm = period 9600
    advancedSetup[9] = 0x25;
    advancedSetup[11] = 40;
    advancedSetup[12] = 0x10;
    Bytes mainCorr;
    for (int i = 0; i < 8; ++i)
        mainCorr.insert(mainCorr.end(), {250, 0});
    Bytes setupTimes(40, 100);
    setupTimes.insert(setupTimes.end(), {0, 0});

    EXPECT_EQ(bytesOf(encodeBase(defaults)), base);
    EXPECT_EQ(bytesOf(encodeAdv(defaults)), adv);
    EXPECT_EQ(bytesOf(encodeSensorsSetup(defaults)), sensors);
    EXPECT_EQ(bytesOf(encodeAdvancedSetup(defaults)), advancedSetup);
    EXPECT_EQ(bytesOf(encodeMainCorr(defaults)), mainCorr);
    EXPECT_EQ(bytesOf(encodeSetupTimes(defaults)), setupTimes);

    DeviceSettings s = scrambledImage();
    ASSERT_NE(s, defaults);
    ASSERT_TRUE(decodeSensorsSetup(sensors.data(), sensors.size(), s));
    ASSERT_TRUE(decodeBase(base.data(), base.size(), s));
    ASSERT_TRUE(decodeAdv(adv.data(), adv.size(), s));
    ASSERT_TRUE(decodeAdvancedSetup(advancedSetup.data(), advancedSetup.size(), s));
    ASSERT_TRUE(decodeMainCorr(mainCorr.data(), mainCorr.size(), s));
    ASSERT_TRUE(decodeSetupTimes(setupTimes.data(), setupTimes.size(), s));
    EXPECT_EQ(s.m_sensorsSetup, defaults.m_sensorsSetup);
    EXPECT_EQ(s.m_base, defaults.m_base);
    EXPECT_EQ(s.m_adv, defaults.m_adv);
    EXPECT_EQ(s.m_advancedSetup, defaults.m_advancedSetup);
    EXPECT_EQ(s.m_mainCorr, defaults.m_mainCorr);
    EXPECT_EQ(s.m_setupTimes1, defaults.m_setupTimes1);
    EXPECT_EQ(s.m_tableMask, defaults.m_tableMask);
}

TEST(BlockCodecs, baseSpeedsFlagsAndStationCodeFollowTheirWireRules) {
    Bytes p = bytesOf(encodeBase(DeviceSettings{}));
    p[0] = 0xA0; // period 4000
    p[1] = 0x0F;
    p[12] = 0x80;
    p[24] = 144, p[25] = 60, p[26] = 29, p[27] = 96;
    DeviceSettings s;
    ASSERT_TRUE(decodeBase(p.data(), p.size(), s));
    EXPECT_DOUBLE_EQ(s.m_base.m_switchRPM, 1200);
    EXPECT_EQ(s.m_base.m_flags, 0x80); // read as received
    EXPECT_EQ(s.m_base.m_stationCode, (std::array<std::uint8_t, 4>{144, 60, 29, 96}));

    s.m_base.m_stationCode = {1, 2, 3, 4};
    const auto out = encodeBase(s);
    EXPECT_EQ(out[0], 0xA0);
    EXPECT_EQ(out[1], 0x0F);
    EXPECT_EQ(out[12], 0x90); // always-on bit added on the way out only
    EXPECT_EQ(s.m_base.m_flags, 0x80);
    EXPECT_EQ(out[24], 1);
    EXPECT_EQ(out[27], 4);

    // A period of 0 (never set) reads as 0 rpm and goes back as 0 instead of
    // dividing by zero.
    p[0] = p[1] = 0;
    ASSERT_TRUE(decodeBase(p.data(), p.size(), s));
    EXPECT_DOUBLE_EQ(s.m_base.m_switchRPM, 0);
    EXPECT_EQ(encodeBase(s)[0], 0);
}

TEST(BlockCodecs, baseTemperaturesUseTheSensorTypesOfTheImage) {
    Bytes p = bytesOf(encodeBase(DeviceSettings{}));
    p[6] = 127;  // switch temperature: reducer sensor
    p[16] = 127; // reference temperature: gas sensor
    p[21] = 127; // controller-internal: always the 10 kOhm column
    DeviceSettings s;
    s.m_sensorsSetup.m_temprEngineSensor = TemprColumn4k7;
    s.m_sensorsSetup.m_temprLPGSensor = TemprColumn2k2;
    ASSERT_TRUE(decodeBase(p.data(), p.size(), s));
    EXPECT_DOUBLE_EQ(s.m_base.m_switchTempr, 19);
    EXPECT_DOUBLE_EQ(s.m_base.m_temprRef, 4);
    EXPECT_DOUBLE_EQ(s.m_base.m_maxTemprInside, 37);

    // Writing searches the same columns: the first raw at or below the value.
    s.m_base.m_switchTempr = 20;
    s.m_base.m_maxTemprInside = 37;
    const auto out = encodeBase(s);
    EXPECT_EQ(out[6], 123);
    EXPECT_EQ(out[21], 127);
}

TEST(BlockCodecs, signedFieldsTravelInTwosComplement) {
    DeviceSettings s;
    s.m_base.m_pressureGain = -1.0;
    EXPECT_EQ(encodeBase(s)[14], 0xF6);
    Bytes p = bytesOf(encodeBase(s));
    s.m_base.m_pressureGain = 0;
    ASSERT_TRUE(decodeBase(p.data(), p.size(), s));
    EXPECT_DOUBLE_EQ(s.m_base.m_pressureGain, -1.0);

    // Main correction counts 0.004 ms and shows two decimals, halves away from
    // zero for both signs.
    Bytes corr(16, 0);
    corr[0] = 0xFD, corr[1] = 0xFF; // -3
    corr[2] = 3;
    ASSERT_TRUE(decodeMainCorr(corr.data(), corr.size(), s));
    EXPECT_DOUBLE_EQ(s.m_mainCorr.m_mainCorr[0], -0.01);
    EXPECT_DOUBLE_EQ(s.m_mainCorr.m_mainCorr[1], 0.01);
    EXPECT_DOUBLE_EQ(s.m_mainCorr.m_mainCorr[2], 0.0);
    const auto out = encodeMainCorr(s);
    EXPECT_EQ(out[0], 0xFD);
    EXPECT_EQ(out[1], 0xFF);
    EXPECT_EQ(out[2], 3);
}

TEST(BlockCodecs, pwmTravelsTenBelowItsValueExceptAtTenAndBelow) {
    DeviceSettings s;
    s.m_adv.m_pwm = 50;
    Bytes p = bytesOf(encodeAdv(s));
    EXPECT_EQ(p[2], 40);
    ASSERT_TRUE(decodeAdv(p.data(), p.size(), s));
    EXPECT_DOUBLE_EQ(s.m_adv.m_pwm, 50);

    s.m_adv.m_pwm = 8;
    p = bytesOf(encodeAdv(s));
    EXPECT_EQ(p[2], 8);
    ASSERT_TRUE(decodeAdv(p.data(), p.size(), s));
    EXPECT_DOUBLE_EQ(s.m_adv.m_pwm, 18);
}

TEST(BlockCodecs, advancedDelaysAndWarmingTimeKeepTheirHalfSecondSteps) {
    Bytes p = bytesOf(encodeAdv(DeviceSettings{}));
    p[4] = 0xFF; // warming time: 127 s at most
    p[19] = 3;   // 75 ms
    p[20] = 3;   // cut-off exit delay 1.5 s
    DeviceSettings s;
    ASSERT_TRUE(decodeAdv(p.data(), p.size(), s));
    EXPECT_DOUBLE_EQ(s.m_adv.m_warmingTime, 127);
    EXPECT_DOUBLE_EQ(s.m_adv.m_cutOffExitEmulatorDelay, 0.08);
    EXPECT_DOUBLE_EQ(s.m_adv.m_cutOffExitDelay, 1.5);
    const auto out = encodeAdv(s);
    EXPECT_EQ(out[4], 254);
    EXPECT_EQ(out[19], 3);
    EXPECT_EQ(out[20], 3);
}

TEST(BlockCodecs, fuelThresholdsTravelInvertedForAFallingSensorOnly) {
    DeviceSettings s;
    s.m_sensorsSetup.m_fuelType = 1;
    s.m_sensorsSetup.m_fuelFull = 130;
    Bytes p = bytesOf(encodeSensorsSetup(s));
    EXPECT_EQ(p[0], 0x7D);
    EXPECT_EQ(p[3], static_cast<std::uint8_t>(~114));
    EXPECT_EQ(s.m_sensorsSetup.m_fuelFull, 130); // the image keeps its value

    DeviceSettings read;
    ASSERT_TRUE(decodeSensorsSetup(p.data(), p.size(), read));
    EXPECT_EQ(read.m_sensorsSetup.m_fuelFull, 130);
    EXPECT_EQ(read.m_sensorsSetup.m_fuelQuarter, 114);

    p[4] = 0; // rising sensor: the same byte is taken as is
    ASSERT_TRUE(decodeSensorsSetup(p.data(), p.size(), read));
    EXPECT_EQ(read.m_sensorsSetup.m_fuelFull, 0x7D);
    p[4] = 2;
    ASSERT_TRUE(decodeSensorsSetup(p.data(), p.size(), read));
    EXPECT_EQ(read.m_sensorsSetup.m_fuelFull, 0x7D);
}

TEST(BlockCodecs, advancedSetupCarriesServiceLimitSpeedAndLoad) {
    Bytes p(30, 0);
    p[0] = 0x78, p[1] = 0x56, p[2] = 0x34, p[3] = 0x12;
    p[8] = 0xA0, p[9] = 0x0F; // 1200 rpm
    p[11] = 41;               // 20 s: the half step is dropped
    p[13] = 1;
    p[14] = 0xE8, p[15] = 0x03; // 1000 x 0.004 ms
    DeviceSettings s;
    ASSERT_TRUE(decodeAdvancedSetup(p.data(), p.size(), s));
    EXPECT_EQ(s.m_advancedSetup.m_serviceLimit, 0x12345678u);
    EXPECT_DOUBLE_EQ(s.m_advancedSetup.m_minimalLPGRPM, 1200);
    EXPECT_DOUBLE_EQ(s.m_advancedSetup.m_switchCorrTime, 20);
    EXPECT_EQ(s.m_advancedSetup.m_advancedFlags2, 1);
    EXPECT_DOUBLE_EQ(s.m_advancedSetup.m_maxLoad, 4.0);
    const auto out = encodeAdvancedSetup(s);
    p[11] = 40;
    EXPECT_EQ(bytesOf(out), p);
}

TEST(BlockCodecs, deviceInfoFillsIdentityAndHandsBackTheSerialBytes) {
    Bytes p(30, 0);
    p[0] = 5;                 // flags1
    p[7] = 0x80;              // flags2 top bit
    p[8] = 0x73, p[9] = 0x07; // 1907 days after 1 April 2004
    p[10] = 0x08, p[11] = 0x02;
    for (int i = 0; i < 16; ++i)
        p[12 + i] = static_cast<std::uint8_t>('A' + i);
    p[28] = 6;
    p[29] = 0xC3;
    DeviceSettings s;
    s.m_devInfo.m_serial = "kept";
    SerialBytes serial{};
    ASSERT_TRUE(decodeDevInfo(p.data(), p.size(), s, serial));
    EXPECT_EQ(s.m_devInfo.m_flags1, 5u);
    EXPECT_EQ(s.m_devInfo.m_flags2, 0x80000000u);
    EXPECT_EQ(s.m_devInfo.m_prodDate, "21/06/2009");
    EXPECT_EQ(s.m_devInfo.m_version, 0x208);
    EXPECT_EQ(s.m_devInfo.m_injCount, 6);
    EXPECT_EQ(s.m_devInfo.m_deviceID, 0xC3);
    EXPECT_EQ(serial[0], 'A');
    EXPECT_EQ(serial[15], 'P');
    EXPECT_EQ(s.m_devInfo.m_serial, "kept");

    EXPECT_EQ(prodDateFromDayCount(0), "01/04/2004");
    EXPECT_EQ(prodDateFromDayCount(334), "01/03/2005"); // across the end of February
    EXPECT_EQ(prodDateFromDayCount(65535), "05/09/2183");

    const Bytes stat{30, 0, 0, 0, 0x2D, 0x01, 0, 0, 1, 0};
    ASSERT_TRUE(decodeStatistic(stat.data(), stat.size(), s));
    EXPECT_EQ(s.m_devInfo.m_statistic.gas, 30u);
    EXPECT_EQ(s.m_devInfo.m_statistic.lpg, 301u);
    EXPECT_EQ(s.m_devInfo.m_statistic.modify, 1);
}

// Values no field can hold (a hand-edited settings file, say) are pinned to
// the nearest value the field holds instead of wrapping around.
TEST(BlockCodecs, outOfRangeValuesSaturateInsteadOfWrapping) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    DeviceSettings s;
    s.m_base.m_switchDelay = 200;  // 400 half-seconds
    s.m_base.m_pressureGain = -20; // -200
    s.m_base.m_switchRPM = 10;     // period 480000
    s.m_base.m_maxRPMHigh = -100;
    s.m_base.m_minVCC = nan;
    s.m_mainCorr.m_mainCorr[0] = 200;
    s.m_mainCorr.m_mainCorr[1] = -200;
    s.m_setupTimes1[0] = 300;
    s.m_setupTimes1[1] = -150;
    s.m_injMapTable[0][0] = 170;
    s.m_advancedSetup.m_maxLoad = 1000;

    const auto base = encodeBase(s);
    EXPECT_EQ(base[7], 255);
    EXPECT_EQ(base[14], 0x80);
    EXPECT_EQ(base[0], 0xFF);
    EXPECT_EQ(base[1], 0xFF);
    EXPECT_EQ(base[8], 0);
    EXPECT_EQ(base[9], 0);
    EXPECT_EQ(base[22], 0);
    const auto corr = encodeMainCorr(s);
    EXPECT_EQ(corr[1], 0x7F);
    EXPECT_EQ(corr[3], 0x80);
    const auto times = encodeSetupTimes(s);
    EXPECT_EQ(times[0], 255);
    EXPECT_EQ(times[1], 0);
    EXPECT_EQ(encodeInjMap(s)[0], 150); // a map cell goes out as +50 at most
    const auto adv = encodeAdvancedSetup(s);
    EXPECT_EQ(adv[14], 0xFF);
    EXPECT_EQ(adv[15], 0xFF);
}

TEST(BlockCodecs, shortPayloadIsRejectedWithoutReadingPastItOrChangingTheImage) {
    SerialBytes serial{};
    const std::vector<std::pair<
        std::size_t, std::function<bool(const std::uint8_t*, std::size_t, DeviceSettings&)>>>
        decoders{
            {kDevInfoBlock.length,
             [&](const std::uint8_t* p, std::size_t n, DeviceSettings& s) {
                 return decodeDevInfo(p, n, s, serial);
             }},
            {kStatisticBlock.length, decodeStatistic},
            {kBaseBlock.length, decodeBase},
            {kAdvBlock.length, decodeAdv},
            {kMainCorrBlock.length, decodeMainCorr},
            {kSetupTimesBlock.length, decodeSetupTimes},
            {kSensorsBlock.length, decodeSensorsSetup},
            {kAdvancedSetupBlock.length, decodeAdvancedSetup},
            {kInjMapAreaLength, decodeInjMap},
        };
    const DeviceSettings before;
    for (const auto& [length, decode] : decoders) {
        // Exactly one byte short, on the heap so that an over-read is caught.
        const auto buffer = std::make_unique<std::uint8_t[]>(length - 1);
        std::fill_n(buffer.get(), length - 1, std::uint8_t{0x33});
        DeviceSettings s;
        EXPECT_FALSE(decode(buffer.get(), length - 1, s)) << "length " << length;
        EXPECT_FALSE(decode(nullptr, length, s)) << "length " << length;
        EXPECT_EQ(s, before) << "length " << length;
    }
}

// Page values built by adding up steps carry rounding errors (0.1 added eight
// times is 0.7999999999999999); the truncated fields must still send the step
// the page shows, while real fractions are still dropped.
TEST(BlockCodecs, truncatedFieldsSendTheShownStepDespiteRoundingErrors) {
    auto addedUp = [](double step, int times) {
        double v = 0;
        for (int i = 0; i < times; ++i)
            v += step;
        return v;
    };
    DeviceSettings s;
    s.m_base.m_pressureGain = addedUp(0.1, 8);      // 0.8
    s.m_base.m_switchDelay = addedUp(0.1, 10) * 30; // 30 s, a hair short
    s.m_adv.m_cutOffExitDelay = addedUp(0.1, 10) * 3.5;
    s.m_adv.m_warmingTime = addedUp(0.1, 10) * 45;
    s.m_advancedSetup.m_switchCorrTime = addedUp(0.1, 10) * 21;
    ASSERT_LT(s.m_base.m_pressureGain * 10, 8.0) << "the sample must carry the error";

    const auto base = encodeBase(s);
    EXPECT_EQ(base[14], 8);
    EXPECT_EQ(base[7], 60);
    const auto adv = encodeAdv(s);
    EXPECT_EQ(adv[20], 7);
    EXPECT_EQ(adv[4], 90);
    EXPECT_EQ(encodeAdvancedSetup(s)[11], 42);

    s.m_base.m_pressureGain = -addedUp(0.1, 8);
    EXPECT_EQ(encodeBase(s)[14], static_cast<std::uint8_t>(-8));

    // Genuine fractions still go toward zero.
    s.m_base.m_pressureGain = 0.79;
    s.m_base.m_switchDelay = 2.75;
    s.m_setupTimes1[0] = -0.5;
    EXPECT_EQ(encodeBase(s)[14], 7);
    EXPECT_EQ(encodeBase(s)[7], 5);
    EXPECT_EQ(encodeSetupTimes(s)[0], 99);
}
