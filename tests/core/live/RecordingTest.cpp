#include "core/files/TempFolder.h"
#include "device/Conversions.h"
#include "device/LPGDevice.h"
#include "live/DiagFile.h"
#include "live/DiagRSThread.h"
#include "live/PollControl.h"
#include "platform/FileKind.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using vexor::test::FakeSerialPort;

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

// A live record payload with the work mode and a few values set.
std::vector<std::uint8_t> livePayload(std::uint8_t workMode, std::uint16_t period) {
    CDiag d;
    d.setWorkMode(workMode);
    d.setIgnitionPeriod(period);
    d.setPetrolWord(0, 100);     // 2.50 ms on channel 0
    d.setPetrolWord(1, 80);      // shorter: channel 0 wins
    d.setGasCorrWord(0, 4);      // +0.1 ms
    d.setPetrolWord(14, 200);    // injector 8 from channel 14
    d.setGasCorrWord(14, 65530); // -0.125 ms
    d.setByte(CDiag::OffGasPressure, 120);
    d.setByte(CDiag::OffManifold, 60);
    d.setByte(CDiag::OffGasTempr, 100);
    d.setByte(CDiag::OffReducerTempr, 50);
    d.setByte(CDiag::OffLambda1, 51);
    d.setByte(CDiag::OffLambda2, 153);
    return {d.bytes().begin(), d.bytes().end()};
}

class CountingTimers : public IFrameTimers {
public:
    void armReconnect() override { ++reconnects; }
    void startDisplay() override {}
    int reconnects = 0;
};

} // namespace

TEST(RecordLine, hasTwentyFourTabSeparatedFieldsInTheRecordingFormat) {
    CDiag record;
    record.fromPayload(livePayload(3, 6000).data(), CDiag::kRecordSize);
    vexor::SRecordUnits units;
    units.gasTemprColumn = 1;
    units.reducerTemprColumn = 0;

    const std::string line = vexor::recordLine(record, units);
    const auto fields = split(line, '\t');
    ASSERT_EQ(fields.size(), 24u) << line;
    EXPECT_EQ(fields[0], "3");
    EXPECT_EQ(fields[1], " 800"); // %4.0f of 4 800 000 / 6000
    EXPECT_EQ(fields[2], "2.50");
    EXPECT_EQ(fields[3], "2.60");
    EXPECT_EQ(fields[4], "0.00"); // injectors without pulses still have their columns
    EXPECT_EQ(fields[16], "5.00");
    EXPECT_EQ(fields[17], "4.88"); // 5.00 - 0.125, rounded half away from zero
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.0f", vexor::pressureFromRaw(120));
    EXPECT_EQ(fields[18], expected);
    std::snprintf(expected, sizeof expected, "%.0f", vexor::temprFromRaw(100, 1));
    EXPECT_EQ(fields[20], expected);
    std::snprintf(expected, sizeof expected, "%.0f", vexor::temprFromRaw(50, 0));
    EXPECT_EQ(fields[21], expected);
    EXPECT_EQ(fields[22], "1.0");
    EXPECT_EQ(fields[23], "3.0");
    EXPECT_EQ(line.find('\n'), std::string::npos);
}

TEST(DiagFile, anEmptyOrUnreachablePathOpensNothingAndForgetsThePath) {
    CDiagFile file;
    EXPECT_FALSE(file.open("", true));
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.open("/nonexistent-folder-for-vexor/rec.osc", true));
    EXPECT_TRUE(file.path().empty());
    EXPECT_FALSE(file.writeLine("1\t2"));
}

TEST(DiagFile, linesEndInALineFeedOnly) {
    CTempFolder folder;
    const std::string path = folder.file("rec.osc");
    {
        CDiagFile file;
        ASSERT_TRUE(file.open(path, true));
        EXPECT_EQ(file.path(), path);
        EXPECT_TRUE(file.writeLine("a\tb"));
        EXPECT_TRUE(file.writeLine("c"));
    }
    EXPECT_EQ(readWholeFile(path), "a\tb\nc\n");
}

TEST(DiagRSThread, numbersRecordsMapsSwitchingModesToGasAndRecordsOneLineEach) {
    CTempFolder folder;
    const std::string path = folder.file("run.osc");
    FakeSerialPort port;
    for (std::uint8_t mode : {4, 5, 2}) {
        port.reply(FakeSerialPort::frame(1, livePayload(mode, 6000))).stall();
    }
    CLPGDevice device(&port);
    CPollControl control;
    CountingTimers timers;
    control.running = true;

    std::vector<CDiag> seen;
    std::vector<std::string> lines;
    CDiagRSThread thread(device, path, control, &timers, vexor::SRecordUnits{},
                         [&](const CDiag& record, const std::string& line) {
                             seen.push_back(record);
                             lines.push_back(line);
                         });
    // Nothing is made before the controller has sent a record.
    EXPECT_FALSE(thread.logOpen());
    EXPECT_EQ(vexor::fileKind(path), vexor::FileKind::Missing);
    // Three records, then silence: six failed reads end the run.
    thread.run();

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].workMode(), 3);
    EXPECT_EQ(seen[1].workMode(), 3);
    EXPECT_EQ(seen[2].workMode(), 2);
    EXPECT_EQ(seen[0].sample(), 1);
    EXPECT_EQ(seen[2].sample(), 3);
    EXPECT_EQ(timers.reconnects, 1);
    EXPECT_EQ(device.diagData().count(), 0);
    EXPECT_EQ(control.activeThreads(), 0);
    EXPECT_FALSE(thread.logOpen());

    const auto fileLines = split(readWholeFile(path), '\n');
    ASSERT_EQ(fileLines.size(), 3u);
    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        EXPECT_EQ(fileLines[i], lines[i]);
        EXPECT_EQ(split(fileLines[i], '\t').size(), 24u);
    }
    EXPECT_EQ(fileLines[0].substr(0, 2), "3\t");
    // The first thing the run did was to drop stale input.
    EXPECT_EQ(port.calls.front(), "purgeIn");
}

// A run that gets no record (the controller went away) leaves an earlier
// recording at its path untouched, fresh or resumed; the first record of a
// recording empties it, and a resumed run goes on after the lines written.
TEST(DiagRSThread, theRecordingIsMadeAtTheFirstRecordAndGoesOnWhenResumed) {
    CTempFolder folder;
    const std::string path = folder.file("run.osc");
    writeWholeFile(path, "an earlier recording\n");
    CPollControl control;
    for (bool resumed : {false, true}) {
        FakeSerialPort silent;
        silent.stall();
        CLPGDevice device(&silent);
        control.running = true;
        CDiagRSThread thread(device, path, control, nullptr, vexor::SRecordUnits{}, {}, resumed);
        thread.run();
        EXPECT_EQ(readWholeFile(path), "an earlier recording\n") << resumed;
    }
    EXPECT_EQ(control.recordError.load(), 0);

    std::vector<std::string> lines;
    for (bool resumed : {true, true}) {
        FakeSerialPort port;
        port.reply(FakeSerialPort::frame(
                       1, livePayload(2, static_cast<std::uint16_t>(6000 + lines.size()))))
            .stall();
        CLPGDevice device(&port);
        control.running = true;
        control.failures = 0;
        CDiagRSThread thread(
            device, path, control, nullptr, vexor::SRecordUnits{},
            [&](const CDiag&, const std::string& line) { lines.push_back(line); }, resumed);
        thread.run();
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(readWholeFile(path), lines[0] + "\n" + lines[1] + "\n");
    EXPECT_EQ(control.recordedLines.load(), 2);
}

TEST(DiagRSThread, anOrdinaryRunWithAnEmptyPathRecordsNothing) {
    FakeSerialPort port;
    port.reply(FakeSerialPort::frame(1, livePayload(2, 6000))).stall();
    CLPGDevice device(&port);
    CPollControl control;
    control.running = true;
    CDiagRSThread thread(device, "", control, nullptr, vexor::SRecordUnits{});
    EXPECT_FALSE(thread.logOpen());
    thread.run();
    EXPECT_EQ(thread.sampleCount(), 1);
}
