#include "obd/TroubleCodes.h"
#include "obd/OBDCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace vexor;

namespace {

using Frame = std::vector<std::uint8_t>; // control byte, then entry bytes 5..11

ObdReply framesReply(std::initializer_list<Frame> frames) {
    ObdReply reply;
    reply.payload = {static_cast<std::uint8_t>(frames.size()), 0};
    for (const Frame& f : frames) {
        Frame entry = {0xE8, 0x07, 0, 0};
        entry.insert(entry.end(), f.begin(), f.end());
        entry.resize(12, 0);
        reply.payload.insert(reply.payload.end(), entry.begin(), entry.end());
    }
    // What follows the last entry must never be read as a code.
    reply.payload.insert(reply.payload.end(), {0xAB, 0xCD, 0xEF, 0x12});
    return reply;
}

} // namespace

TEST(TroubleCodes, storedCountIsTheLowSevenBitsOfAOfAStatusAnswer) {
    const std::uint8_t lampAndThree[12] = {0xE8, 7, 0, 0, 6, 0x41, 0x01, 0x83, 7, 0x65, 0, 0};
    EXPECT_EQ(storedCodeCount(lampAndThree), 3);
    const std::uint8_t otherPid[12] = {0xE8, 7, 0, 0, 6, 0x41, 0x02, 0x83, 0, 0, 0, 0};
    EXPECT_EQ(storedCodeCount(otherPid), 0);
}

TEST(TroubleCodes, firstAndContinuationFramesYieldTheAnnouncedCodesInOrder) {
    // Seven codes: first frame (length, 0x43, count, two codes), then 3 + 2.
    const ObdReply reply = framesReply({{0x10, 16, 0x43, 7, 0x01, 0x71, 0x03, 0x00},
                                        {0x21, 0x03, 0x01, 0x03, 0x02, 0x03, 0x03},
                                        {0x22, 0x03, 0x04, 0x04, 0x20, 0x55, 0x55}});
    EXPECT_EQ(troubleCodesFromAnswer(reply, 7),
              (std::vector<std::uint16_t>{0x171, 0x300, 0x301, 0x302, 0x303, 0x304, 0x420}));
    // Fewer announced: reading stops when they are in.
    EXPECT_EQ(troubleCodesFromAnswer(reply, 3), (std::vector<std::uint16_t>{0x171, 0x300, 0x301}));
}

TEST(TroubleCodes, singleFrameCodesStopAtTheirCountAZeroCodeOrTheEntryEnd) {
    EXPECT_EQ(troubleCodesFromAnswer(framesReply({{6, 0x43, 2, 0x01, 0x71, 0x04, 0x20}}), 2),
              (std::vector<std::uint16_t>{0x171, 0x420}));
    EXPECT_EQ(troubleCodesFromAnswer(framesReply({{6, 0x43, 2, 0x01, 0x71, 0, 0}}), 2),
              (std::vector<std::uint16_t>{0x171}));
    // A frame claiming three codes holds room for two; the bytes after the
    // entry are not a third.
    EXPECT_EQ(troubleCodesFromAnswer(framesReply({{6, 0x43, 3, 0x01, 0x71, 0x04, 0x20, 0x99}}), 3),
              (std::vector<std::uint16_t>{0x171, 0x420}));
    EXPECT_TRUE(troubleCodesFromAnswer(framesReply({{6, 0x43, 2, 0x01, 0x71}}), 0).empty());
}

TEST(OBDCodes, knownCodesCarryTheirDescriptionOthersTheUnknownText) {
    const COBDCodes codes;
    EXPECT_EQ(codes.text(0x0171), "P0171   System too Lean (Bank 1)");
    EXPECT_EQ(codes.text(0x0300), "P0300   Random/Multiple Cylinder Misfire Detected");
    EXPECT_EQ(codes.text(0x0100), "P0100   Mass or Volume Air Flow Circuit Malfunction");
    EXPECT_EQ(codes.text(0x0110), "0110  UNKNOWN "); // inside the ranges, yet not listed
    EXPECT_EQ(codes.text(0x4123), "4123  UNKNOWN ");
    // Second digit 0: the default text and the related code's text.
    EXPECT_EQ(codes.text(0x0030),
              "0030  UNKNOWN  P0130   O2 Sensor Circuit Malfunction (Bank 1 Sensor 1)");
    EXPECT_EQ(codes.text(0x0010), "0010  UNKNOWN "); // P0110 is not listed
}

TEST(OBDCodes, tableCoversTheGenericRangesWithDecimalDigitCodesOnly) {
    const COBDCodes codes;
    EXPECT_EQ(codes.size(), COBDCodes::entries().size());
    EXPECT_EQ(codes.size(), 382u);
    std::set<std::uint16_t> seen;
    for (const auto& e : COBDCodes::entries()) {
        EXPECT_TRUE(seen.insert(e.code).second) << std::hex << e.code;
        for (int shift = 0; shift < 16; shift += 4)
            EXPECT_LE((e.code >> shift) & 0xF, 9) << std::hex << e.code;
        EXPECT_GE(e.code, 0x0100);
        EXPECT_LE(e.code, 0x0656);
    }
    for (std::uint16_t code : {0x0109, 0x0147, 0x0167, 0x0296, 0x0312, 0x0389, 0x0485, 0x0580,
                               0x0609, 0x0622, 0x0650, 0x0656})
        EXPECT_TRUE(codes.contains(code)) << std::hex << code;
    for (std::uint16_t code : {0x0110, 0x0127, 0x0148, 0x0310, 0x0324, 0x0409, 0x0504, 0x0577})
        EXPECT_FALSE(codes.contains(code)) << std::hex << code;
}
