#include "device/codecs/BlockCodecs.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace vexor;

namespace {

using Bytes = std::vector<std::uint8_t>;

template <std::size_t N> Bytes bytesOf(const std::array<std::uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

// Every block payload of one image, in reading order (sensors first: the
// other blocks convert temperatures with its sensor types).
struct Payloads {
    Bytes sensors, base, adv, mainCorr, setupTimes, advancedSetup, injMap;
    bool operator==(const Payloads&) const = default;
};

Payloads encodeAll(const DeviceSettings& s) {
    return {bytesOf(encodeSensorsSetup(s)), bytesOf(encodeBase(s)),
            bytesOf(encodeAdv(s)),          bytesOf(encodeMainCorr(s)),
            bytesOf(encodeSetupTimes(s)),   bytesOf(encodeAdvancedSetup(s)),
            bytesOf(encodeInjMap(s))};
}

void decodeAll(const Payloads& p, DeviceSettings& s) {
    ASSERT_TRUE(decodeSensorsSetup(p.sensors.data(), p.sensors.size(), s));
    ASSERT_TRUE(decodeBase(p.base.data(), p.base.size(), s));
    ASSERT_TRUE(decodeAdv(p.adv.data(), p.adv.size(), s));
    ASSERT_TRUE(decodeMainCorr(p.mainCorr.data(), p.mainCorr.size(), s));
    ASSERT_TRUE(decodeSetupTimes(p.setupTimes.data(), p.setupTimes.size(), s));
    ASSERT_TRUE(decodeAdvancedSetup(p.advancedSetup.data(), p.advancedSetup.size(), s));
    ASSERT_TRUE(decodeInjMap(p.injMap.data(), p.injMap.size(), s));
}

Bytes randomBytes(std::mt19937& rng, std::size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(byte(rng));
    return out;
}

// A random image anywhere in the range the controller can report: every block
// decoded from random bytes, map cells and sensor types drawn separately so
// that the map's check sum holds and every temperature column is exercised.
DeviceSettings randomImage(std::mt19937& rng) {
    DeviceSettings s;
    Bytes sensors = randomBytes(rng, kSensorsBlock.length);
    std::uniform_int_distribution<int> column(0, 3); // 3: an unknown sensor type
    sensors[25] = static_cast<std::uint8_t>(column(rng));
    sensors[26] = static_cast<std::uint8_t>(column(rng));
    sensors[4] = static_cast<std::uint8_t>(column(rng) % 2); // falling sensor half the time
    EXPECT_TRUE(decodeSensorsSetup(sensors.data(), sensors.size(), s));
    const Bytes base = randomBytes(rng, kBaseBlock.length);
    EXPECT_TRUE(decodeBase(base.data(), base.size(), s));
    const Bytes adv = randomBytes(rng, kAdvBlock.length);
    EXPECT_TRUE(decodeAdv(adv.data(), adv.size(), s));
    const Bytes corr = randomBytes(rng, kMainCorrBlock.length);
    EXPECT_TRUE(decodeMainCorr(corr.data(), corr.size(), s));
    const Bytes times = randomBytes(rng, kSetupTimesBlock.length);
    EXPECT_TRUE(decodeSetupTimes(times.data(), times.size(), s));
    const Bytes setup = randomBytes(rng, kAdvancedSetupBlock.length);
    EXPECT_TRUE(decodeAdvancedSetup(setup.data(), setup.size(), s));
    // Map cells come in range: the codec keeps anything else to -50..+50.
    std::uniform_int_distribution<int> cell(-50, 50);
    for (auto& row : s.m_injMapTable)
        for (auto& value : row)
            value = cell(rng);
    s.m_corrMap.m_flags = randomBytes(rng, 1)[0];
    return s;
}

} // namespace

TEST(BlockRoundTrip, encodeDecodeEncodeGivesTheSameBytesForRandomImages) {
    std::mt19937 rng(20240601u);
    for (int round = 0; round < 500; ++round) {
        const DeviceSettings image = randomImage(rng);
        const Payloads first = encodeAll(image);
        DeviceSettings reread;
        decodeAll(first, reread);
        const Payloads second = encodeAll(reread);
        ASSERT_EQ(second, first) << "round " << round;
        // Re-reading what was written changes nothing that a page shows, but
        // for the base flags bit that every write sets.
        DeviceSettings::Base expectedBase = image.m_base;
        expectedBase.m_flags |= kBaseFlagAlwaysOn;
        EXPECT_TRUE(reread.m_base == expectedBase) << "round " << round;
        EXPECT_TRUE(reread.m_sensorsSetup == image.m_sensorsSetup) << "round " << round;
        EXPECT_EQ(reread.m_injMapTable, image.m_injMapTable) << "round " << round;
    }
}
