#include "obd/ObdIdentifiers.h"
#include "obd/ObdRequests.h"
#include "obd/ObdSetupFields.h"
#include "obd/ObdValues.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace vexor;

namespace {

std::uint32_t u32At(const std::uint8_t* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

} // namespace

TEST(ObdIdentifiers, eachBusDerivesItsRequestResponseAndUnitIdentifiers) {
    // K-line
    EXPECT_EQ(obdRequestId(0x7A0), 0x7A0u);
    EXPECT_EQ(obdResponseId(0x7A0), 0x7A8u);
    EXPECT_EQ(obdThirdId(0x7A0), 0x7A8u);
    EXPECT_EQ(obdUnitRequestId(0x7A0, 0x7A8), 0x7A0u);
    // 29-bit CAN: the answering unit's address moves into bits 8..15
    EXPECT_EQ(obdRequestId(0x18DB33F1), 0x18DA00F1u);
    EXPECT_EQ(obdResponseId(0x18DB33F1), 0x18DAF100u);
    EXPECT_EQ(obdThirdId(0x18DB33F1), 0x18DAF100u);
    EXPECT_EQ(obdUnitRequestId(0x18DB33F1, 0x18DAF110), 0x18DA10F1u);
    // 11-bit CAN: a unit listens eight below its answer
    EXPECT_EQ(obdRequestId(0x7DF), 0x7E0u);
    EXPECT_EQ(obdResponseId(0x7DF), 0x7E0u);
    EXPECT_EQ(obdUnitRequestId(0x7DF, 0x7E9), 0x7E1u);
    // A unit identifier that cannot be an 11-bit answer does not wrap round.
    EXPECT_EQ(obdUnitRequestId(0x7DF, 3), 0x7E0u);
}

TEST(ObdIdentifiers, everyIdentifierFrom2048OnIsTwentyNineBitAndOnly0x7A0IsKLine) {
    EXPECT_EQ(obdBus(2047), ObdBus::Can11Bit);
    EXPECT_EQ(obdBus(2048), ObdBus::Can29Bit);
    EXPECT_EQ(obdBus(0x7A0), ObdBus::KLine);
    EXPECT_EQ(obdBus(0x7A1), ObdBus::Can11Bit);
}

TEST(ObdSetupFields, storingAProtocolSetsItsAnswerIdentifierSpeedAndRaisesTheCount) {
    ObdSetup setup = defaultObdSetup();
    EXPECT_EQ(obdSetupProtocol(setup), 2015u);
    EXPECT_EQ(u32At(setup.data() + 4), 2016u);
    EXPECT_EQ(setup[8], 0);
    EXPECT_EQ(setup[9], 1);
    EXPECT_EQ(setup[10], 8);

    setup[10] = 3;
    setup[11] = 0x5A;
    storeObdProtocol(setup, 0x18DB33F1, 2);
    EXPECT_EQ(obdSetupProtocol(setup), 0x18DB33F1u);
    EXPECT_EQ(u32At(setup.data() + 4), 0x18DAF100u);
    EXPECT_EQ(setup[9], 2);
    EXPECT_EQ(setup[10], 8);
    EXPECT_EQ(setup[11], 0x5A); // not ours: written back as read
    setup[10] = 20;
    raiseObdCount(setup);
    EXPECT_EQ(setup[10], 20);

    const ObdCorr corr = defaultObdCorr();
    EXPECT_EQ(corr[0], 0);
    EXPECT_EQ(corr[1], 10);
    EXPECT_EQ(corr[2], 15);
    EXPECT_EQ(corr[3], 0);
}

TEST(ObdRequests, recordsCarryTheThreeIdentifiersTheCountAndTheData) {
    const ObdRequest pid = obdPidRequest(0x7DF, 0x1C);
    EXPECT_EQ(u32At(pid.data()), 0x7E0u);
    EXPECT_EQ(u32At(pid.data() + 4), 0x7E0u);
    EXPECT_EQ(u32At(pid.data() + 8), 0x7E0u);
    EXPECT_EQ(pid[12], 2);
    EXPECT_EQ(pid[13], 1);
    EXPECT_EQ(pid[14], 0x1C);

    const ObdRequest clear = obdServiceRequest(0x7A0, 4);
    EXPECT_EQ(u32At(clear.data()), 0x7A0u);
    EXPECT_EQ(clear[12], 1);
    EXPECT_EQ(clear[13], 4);
    EXPECT_EQ(clear[14], 0);
}

TEST(ObdValues, decodingFollowsEachPidsFormulaAndFormat) {
    EXPECT_EQ(obdValueText(kPidShortTrim1, 128, 0), "0.00");
    EXPECT_EQ(obdValueText(kPidLongTrim2, 0, 0), "-100.00");
    EXPECT_EQ(obdValueText(kPidLongTrim1, 255, 0), "99.22");
    EXPECT_EQ(obdValueText(kPidOxygenB2S2, 200, 0xFF), "1.00");
    EXPECT_EQ(obdValueText(kPidManifold, 37, 99), "37");
    EXPECT_EQ(obdValueText(kPidAirFlow, 0x01, 0x2C), "3.00"); // 300 / 100 g/s
    EXPECT_EQ(obdPidBit(0x10), 0x00010000u);
    EXPECT_EQ(obdPidBit(0x01), 0x80000000u);
    EXPECT_EQ(obdPidBit(0), 0u);
}

TEST(ObdValues, standardAndProtocolNames) {
    EXPECT_EQ(obdStandardName(1), "OBD II (California ARB)");
    EXPECT_EQ(obdStandardName(6), "OBD Europe (EOBD)");
    EXPECT_EQ(obdStandardName(0), "");
    // Every value the standard defines has a name of its own; the values it
    // keeps in reserve and anything past the list show nothing.
    std::set<std::string> names;
    for (int a = 1; a <= 33; ++a) {
        const std::string name = obdStandardName(static_cast<std::uint8_t>(a));
        const bool reserved = a == 14 || a == 15 || a == 16 || a == 22 || a == 27;
        EXPECT_EQ(name.empty(), reserved) << a;
        if (!reserved) {
            EXPECT_TRUE(names.insert(name).second) << a << " repeats " << name;
        }
    }
    EXPECT_EQ(obdStandardName(34), "");
    EXPECT_EQ(obdStandardName(255), "");
    EXPECT_EQ(obdProtocolText(1952, 2), "ISO9141/KWP2000");
    EXPECT_EQ(obdProtocolText(0x7DF, 2), "CAN 11-bit 500kb/s");
    EXPECT_EQ(obdProtocolText(0x18DB33F1, 1), "CAN 29-bit 250kb/s");
    EXPECT_EQ(obdProtocolText(0x18DB33F1, 7), "CAN 29-bit 250kb/s");
}
