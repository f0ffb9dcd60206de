#include "device/DiagData.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

CDiag recordNumber(int sample) {
    CDiag record;
    record.setSample(sample);
    // Every byte tells the sample, so a torn copy would show.
    for (std::size_t i = 0; i < CDiag::kRecordSize; ++i)
        record.setByte(i, static_cast<std::uint8_t>(sample));
    return record;
}

void fill(CDiagData& data, int from, int to) {
    for (int sample = from; sample <= to; ++sample)
        data.append(recordNumber(sample));
}

} // namespace

TEST(DiagData, The502ndRecordDropsTheOldest250First) {
    CDiagData data;
    fill(data, 1, 501);
    EXPECT_EQ(data.count(), 501);
    data.append(recordNumber(502));
    EXPECT_EQ(data.count(), 252);

    std::vector<CDiag> all;
    data.copyRange(all, 0, data.count());
    ASSERT_EQ(all.size(), 252u);
    EXPECT_EQ(all.front().sample(), 251);
    EXPECT_EQ(all.back().sample(), 502);

    fill(data, 503, 2000);
    EXPECT_LE(data.count(), 501);
}

TEST(DiagData, LatestCopiesTheNewestAndLeavesOutAloneWhenEmpty) {
    CDiagData data;
    CDiag out = recordNumber(99);
    EXPECT_FALSE(data.latest(out));
    EXPECT_EQ(out, recordNumber(99));

    fill(data, 1, 3);
    EXPECT_TRUE(data.latest(out));
    EXPECT_EQ(out, recordNumber(3));

    data.clear();
    EXPECT_EQ(data.count(), 0);
    EXPECT_FALSE(data.latest(out));
}

TEST(DiagData, CopyRangeAppendsOnlyRecordsThatExist) {
    CDiagData data;
    fill(data, 1, 10);
    std::vector<CDiag> out{recordNumber(0)};

    data.copyRange(out, 8, 100); // to beyond the end stops at the end
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].sample(), 0); // appended, not replaced
    EXPECT_EQ(out[1].sample(), 9);
    EXPECT_EQ(out[2].sample(), 10);

    out.clear();
    data.copyRange(out, 10, 20);
    data.copyRange(out, 5, 5);
    data.copyRange(out, 6, 2);
    EXPECT_TRUE(out.empty());

    data.copyRange(out, -3, 2); // a negative start begins at the oldest
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].sample(), 1);
}

TEST(DiagData, ConcurrentAppendAndReadsSeeOnlyWholeRecords) {
    CDiagData data;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int sample = 1; sample <= 5000; ++sample)
            data.append(recordNumber(sample));
        done = true;
    });

    int torn = 0;
    int lastSeen = 0;
    bool backwards = false;
    while (!done) {
        CDiag newest;
        if (data.latest(newest)) {
            for (std::size_t i = 0; i < CDiag::kRecordSize; ++i)
                torn += newest.byteAt(i) != static_cast<std::uint8_t>(newest.sample());
            backwards = backwards || newest.sample() < lastSeen;
            lastSeen = newest.sample();
        }
        std::vector<CDiag> range;
        data.copyRange(range, 0, 600);
        EXPECT_LE(range.size(), 501u);
        for (std::size_t i = 1; i < range.size(); ++i)
            torn += range[i].sample() != range[i - 1].sample() + 1;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_FALSE(backwards);
    CDiag newest;
    ASSERT_TRUE(data.latest(newest));
    EXPECT_EQ(newest.sample(), 5000);
}
