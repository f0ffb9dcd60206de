#include "core/files/TempFolder.h"
#include "diag/RecordingLoader.h"
#include "live/DiagFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <sys/stat.h>

using namespace vexor;

namespace {

using Status = SRecordingLoad::Status;

// A record as the controller sends it: speed from the ignition period,
// injector 1's petrol time, lambda 1 and the gas pressure all varying.
CDiag record(int i) {
    CDiag d;
    d.setIgnitionPeriod(static_cast<std::uint16_t>(2000 + i % 700));
    d.setByte(CDiag::OffLambda1, static_cast<std::uint8_t>(i * 7));
    d.setByte(CDiag::OffGasPressure, static_cast<std::uint8_t>(i % 200));
    d.setByte(CDiag::OffChannels, static_cast<std::uint8_t>(40 + i % 90));
    return d;
}

// What the polling thread writes for `count` records.
std::string recorded(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += recordLine(record(i), SRecordUnits{}) + "\r\n";
    return text;
}

float fieldOfLine(const std::string& text, int line, int field) {
    std::size_t at = 0;
    for (int l = 0; l < line; ++l)
        at = text.find('\n', at) + 1;
    for (int f = 0; f < field; ++f)
        at = text.find('\t', at) + 1;
    return std::stof(text.substr(at));
}

} // namespace

TEST(Recording, aRecordedFileReadsBackEveryChannelOfEveryLine) {
    const std::string text = recorded(40);
    CRecording rec;
    const SRecordingLoad load = parseRecording(text, rec);
    EXPECT_EQ(load.status, Status::Complete);
    ASSERT_EQ(rec.size(), 40u);
    for (int line : {0, 17, 39})
        for (int c = 0; c < kOscChannels; ++c)
            EXPECT_FLOAT_EQ(rec.value(line, c), fieldOfLine(text, line, CRecording::fieldOf(c)))
                << line << " " << c;
    EXPECT_DOUBLE_EQ(rec.seconds(10), 10 * CRecording::kLineSeconds);
}

TEST(Recording, aDamagedLineEndsTheReadingThereAndSaysWhichLine) {
    const std::string good = recorded(3);
    struct Case {
        const char* what;
        std::string tail;
    };
    const Case cases[] = {
        {"cut off", good.substr(0, good.find('\n') - 9)},
        {"not numbers", "3\tabc" + std::string(22, '\t') + "\n"},
        {"binary", std::string("\x01\x02\xff\x00\x7f", 5) + "\n"},
        {"too many fields", good.substr(0, good.find('\r')) + "\t5\n"},
        {"not finite", "nan" + good.substr(good.find('\t'), good.find('\n') - good.find('\t'))},
    };
    for (const Case& c : cases) {
        CRecording rec;
        const SRecordingLoad load = parseRecording(good + c.tail + good, rec);
        EXPECT_EQ(load.status, Status::Damaged) << c.what;
        EXPECT_EQ(load.damagedLine, 4u) << c.what;
        EXPECT_EQ(load.lines, 3u) << c.what;
        EXPECT_EQ(rec.size(), 3u) << c.what;
    }
    // Empty lines and a missing last line end are no damage.
    CRecording rec;
    EXPECT_EQ(parseRecording("\n" + good + "\r\n" + good.substr(0, good.size() - 2), rec).status,
              Status::Complete);
    EXPECT_EQ(rec.size(), 6u);
}

TEST(Recording, aFileLargerThanOneReadIsReadWholeWithProgressAndCanBeCancelled) {
    CTempFolder folder;
    const std::string path = folder.file("long.osc");
    const std::string text = recorded(30000);
    writeWholeFile(path, text);

    CRecording rec;
    std::vector<double> seen;
    SRecordingLoad load = loadRecording(path, rec, [&](double f) {
        seen.push_back(f);
        return true;
    });
    EXPECT_EQ(load.status, Status::Complete);
    ASSERT_EQ(rec.size(), 30000u);
    EXPECT_GT(seen.size(), 1u);
    EXPECT_DOUBLE_EQ(seen.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    CRecording whole;
    parseRecording(text, whole);
    for (std::size_t i = 0; i < whole.size(); i += 997)
        EXPECT_EQ(rec.value(i, 0), whole.value(i, 0)) << i;

    load = loadRecording(path, rec, [](double) { return false; });
    EXPECT_EQ(load.status, Status::Cancelled);
    EXPECT_TRUE(rec.empty());
    EXPECT_EQ(loadRecording(folder.file("missing.osc"), rec).status, Status::Unreadable);
    EXPECT_EQ(loadRecording(folder.path(), rec).status, Status::Unreadable);

    // A FIFO is refused at once rather than waited on for a writer, and
    // every refusal names the file and why.
    const std::string fifo = folder.file("fifo.osc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const SRecordingLoad pipe = loadRecording(fifo, rec);
    EXPECT_EQ(pipe.status, Status::Unreadable);
    EXPECT_NE(recordingLoadMessage(pipe, fifo).find(fifo), std::string::npos);
    const std::string missing = folder.file("missing.osc");
    EXPECT_NE(recordingLoadMessage(loadRecording(missing, rec), missing)
                  .find(missing + ": " + std::strerror(ENOENT)),
              std::string::npos);
}

TEST(Recording, aSpanOverAnyRangeIsTheSmallestAndLargestValueInIt) {
    CRecording rec;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-50, 9000);
    OscLine line{};
    for (int i = 0; i < 3000; ++i) {
        for (double& f : line)
            f = value(random);
        rec.append(line);
    }
    std::uniform_int_distribution<std::size_t> at(0, rec.size() - 1);
    for (int trial = 0; trial < 300; ++trial) {
        std::size_t first = at(random);
        std::size_t last = at(random);
        if (first > last)
            std::swap(first, last);
        ++last;
        const int c = trial % kOscChannels;
        float lo = rec.value(first, c);
        float hi = lo;
        for (std::size_t i = first; i < last; ++i) {
            lo = std::min(lo, rec.value(i, c));
            hi = std::max(hi, rec.value(i, c));
        }
        const CRecording::SSpan s = rec.span(c, first, last);
        EXPECT_EQ(s.min, lo) << first << ".." << last;
        EXPECT_EQ(s.max, hi) << first << ".." << last;
    }
}
