#include "obd/TroubleCodes.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "obd/OBDCodes.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <set>
#include <string>
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

TEST(OBDCodes, everyCodeIsWrittenWithItsLetterAndItsFourDigits) {
    EXPECT_EQ(COBDCodes::codeName(0x0171), "P0171");
    EXPECT_EQ(COBDCodes::codeName(0x2096), "P2096");
    EXPECT_EQ(COBDCodes::codeName(0x4035), "C0035");
    EXPECT_EQ(COBDCodes::codeName(0x9234), "B1234");
    EXPECT_EQ(COBDCodes::codeName(0xC100), "U0100");
    EXPECT_EQ(COBDCodes::codeName(0xFA8F), "U3A8F");

    const COBDCodes codes;
    EXPECT_EQ(codes.text(0x0171), "P0171   System too Lean (Bank 1)");
    ASSERT_TRUE(setCurrentLanguage(kLangEnglish));
    EXPECT_EQ(codes.text(0x9234), "B1234  UNKNOWN");
    ASSERT_TRUE(setCurrentLanguage(kLangGerman));
    EXPECT_EQ(codes.text(0x9234), "B1234  UNBEKANNT");
    ASSERT_TRUE(setCurrentLanguage(kLangPolish));
}

TEST(OBDCodes, aCodeIsDescribedByItsOwnEntryOrNotAtAll) {
    const COBDCodes codes;
    // Codes whose second digit is 0 once borrowed the text of the code with
    // that digit 1 (P0011 read as an intake-air code).
    EXPECT_NE(std::string(codes.description(0x0011)).find("Camshaft"), std::string::npos);
    EXPECT_NE(std::string(codes.description(0x0128)).find("thermostat"), std::string::npos);
    std::vector<std::uint16_t> probe;
    for (unsigned code = 0; code <= 0x0FFF; ++code) // every P0 code, where the fault lived
        probe.push_back(static_cast<std::uint16_t>(code));
    for (std::uint16_t code : {0x4035, 0x8035, 0xC035, 0x2096, 0x6096, 0xA096, 0xE096})
        probe.push_back(code);
    for (std::uint16_t c : probe) {
        const std::string text = codes.text(c);
        ASSERT_EQ(text.rfind(COBDCodes::codeName(c), 0), 0u) << text;
        const char* own = codes.description(c);
        if (own)
            EXPECT_EQ(text, COBDCodes::codeName(c) + "   " + own);
        else
            EXPECT_EQ(text, COBDCodes::codeName(c) + "  " + translate(COBDCodes::kUnknown));
    }
    // Powertrain, chassis, body and network codes with the same digits are
    // different codes.
    EXPECT_EQ(codes.description(0x9100), nullptr); // B1100, a maker's own code
    EXPECT_NE(codes.description(0xC100), codes.description(0x0100));
}

TEST(OBDCodes, theFirstTableStaysWordForWordAndTheGenericTableAddsOnlyNewCodes) {
    // Digest of the first table's codes and texts: any edit of a text shows.
    std::uint64_t digest = 0xcbf29ce484222325ull;
    auto feed = [&](unsigned char byte) { digest = (digest ^ byte) * 0x100000001b3ull; };
    std::set<std::uint16_t> first;
    for (const auto& e : COBDCodes::entries()) {
        EXPECT_TRUE(first.insert(e.code).second) << std::hex << e.code;
        feed(static_cast<unsigned char>(e.code >> 8));
        feed(static_cast<unsigned char>(e.code));
        for (const char* p = e.description; *p; ++p)
            feed(static_cast<unsigned char>(*p));
        feed(0);
    }
    EXPECT_EQ(first.size(), 382u);
    EXPECT_EQ(digest, 0xd5af164c4bc562d6ull);

    const COBDCodes codes;
    for (const auto& e : COBDCodes::entries())
        EXPECT_STREQ(codes.description(e.code), e.description) << std::hex << e.code;

    int previous = -1;
    for (const auto& e : COBDCodes::genericEntries()) {
        EXPECT_GT(static_cast<int>(e.code), previous) << std::hex << e.code << " out of order";
        previous = e.code;
        EXPECT_EQ(first.count(e.code), 0u) << std::hex << e.code;
        const std::string text = e.description;
        EXPECT_FALSE(text.empty() || text.front() == ' ' || text.back() == ' ')
            << std::hex << e.code;
    }
    EXPECT_EQ(codes.size(), first.size() + COBDCodes::genericEntries().size());

    // Codes a workshop meets every week, once missing.
    for (std::uint16_t code :
         {0x0011, 0x0110, 0x0128, 0x0299, 0x0310, 0x0456, 0x0457, 0x2096, 0x4035, 0xC100, 0xC001})
        EXPECT_TRUE(codes.contains(code)) << COBDCodes::codeName(code);
}

TEST(OBDCodes, everyGenericEntryIsAGenericCodeWithAPlainEnglishText) {
    for (const auto& e : COBDCodes::genericEntries()) {
        const std::string name = COBDCodes::codeName(e.code);
        // Generic codes: P0, P2, P3 and B0, C0, U0, U3; P1 and the other
        // letters' 1 and 2 belong to the makers.
        const char second = name[1];
        const bool generic = name[0] == 'P' ? second != '1' : second == '0' || second == '3';
        EXPECT_TRUE(generic) << name;
        const std::string text = e.description;
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(text.front())) ||
                    std::isdigit(static_cast<unsigned char>(text.front())))
            << name << " " << text;
        EXPECT_NE(text.back(), '.') << name;
        for (char c : text)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << name << " " << text;
    }
}

TEST(OBDCodes, wheelAndBrakeCodesSendTheMechanicToTheRightPart) {
    const COBDCodes codes;
    // One wheel's tone wheel, sensor and sensor supply after the other.
    EXPECT_STREQ(codes.description(0x4033), "Tone wheel fault, right front");
    EXPECT_STREQ(codes.description(0x4035), "Wheel speed sensor supply fault, right front");
    EXPECT_STREQ(codes.description(0x4036), "Tone wheel fault, left rear");
    EXPECT_STREQ(codes.description(0x403A), "Wheel speed sensor fault, right rear");
    EXPECT_STREQ(codes.description(0x4040), "Brake pedal switch A fault");
    EXPECT_STREQ(codes.description(0x4051), "Steering wheel position sensor fault");
    // Letter digits and the network codes workshops meet most.
    EXPECT_NE(codes.description(0x0A80), nullptr); // P0A80
    EXPECT_NE(codes.description(0x242F), nullptr); // P242F
    EXPECT_STREQ(codes.description(0xC401),
                 "Invalid data received from the engine control module A");
}
