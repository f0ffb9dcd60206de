#include "obd/ObdFreezeFrame.h"
#include "obd/ObdMessages.h"
#include "obd/ObdReadiness.h"
#include "obd/ObdValues.h"
#include "obd/ObdVehicleInfo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace vexor;

namespace {

struct Frame {
    std::uint32_t unit;
    std::vector<std::uint8_t> bytes; // control byte, then up to seven data bytes
};

ObdReply reply(std::initializer_list<Frame> frames) {
    ObdReply r;
    r.payload = {static_cast<std::uint8_t>(frames.size()), 0};
    for (const Frame& f : frames) {
        std::vector<std::uint8_t> entry = {static_cast<std::uint8_t>(f.unit),
                                           static_cast<std::uint8_t>(f.unit >> 8), 0, 0};
        entry.insert(entry.end(), f.bytes.begin(), f.bytes.end());
        entry.resize(12, 0x55); // unused frame bytes are never part of an answer
        r.payload.insert(r.payload.end(), entry.begin(), entry.end());
    }
    r.payload.insert(r.payload.end(), 4, 0);
    return r;
}

std::vector<std::string> names(const ObdReadiness& r, ObdMonitorState state) {
    std::vector<std::string> out;
    for (const ObdMonitor& m : r.monitors)
        if (m.state == state)
            out.push_back(m.name);
    return out;
}

} // namespace

TEST(ObdReadiness, sparkEngineLampCountAndEachMonitorState) {
    // 41 01 83 07 65 04: lamp on, three codes; the continuous monitors run
    // and complete; catalyst, evaporative system, oxygen sensor and heater
    // supported, the evaporative test not yet complete.
    const ObdReadiness r = decodeReadiness(0x83, 0x07, 0x65, 0x04);
    EXPECT_TRUE(r.lamp);
    EXPECT_EQ(r.storedCodes, 3);
    EXPECT_FALSE(r.compression);
    EXPECT_EQ(names(r, ObdMonitorState::NotComplete),
              (std::vector<std::string>{"Układ odparowania paliwa"}));
    EXPECT_EQ(names(r, ObdMonitorState::Complete),
              (std::vector<std::string>{"Wypadanie zapłonów", "Układ paliwowy", "Podzespoły",
                                        "Katalizator", "Czujnik tlenu", "Grzałka czujnika tlenu"}));
    EXPECT_EQ(r.count(ObdMonitorState::NotSupported), 3);

    // Lamp off, no codes, misfire supported but not complete (bit 4 of B).
    const ObdReadiness cold = decodeReadiness(0x00, 0x11, 0x00, 0x00);
    EXPECT_FALSE(cold.lamp);
    EXPECT_EQ(cold.storedCodes, 0);
    EXPECT_EQ(names(cold, ObdMonitorState::NotComplete),
              (std::vector<std::string>{"Wypadanie zapłonów"}));
}

TEST(ObdReadiness, compressionBitSwitchesToTheDieselMonitors) {
    // B bit 3: compression ignition; C bit 6 particulate filter, bit 1 NOx
    // reduction; D bit 6: the filter not yet complete.
    const ObdReadiness r = decodeReadiness(0x01, 0x0F, 0x42, 0x40);
    EXPECT_TRUE(r.compression);
    EXPECT_EQ(r.storedCodes, 1);
    EXPECT_EQ(names(r, ObdMonitorState::NotComplete),
              (std::vector<std::string>{"Filtr cząstek stałych"}));
    const auto complete = names(r, ObdMonitorState::Complete);
    EXPECT_EQ(complete.back(), "Układ redukcji NOx/SCR");
    for (const ObdMonitor& m : r.monitors)
        EXPECT_NE(std::string(m.name), "Katalizator"); // no spark-engine monitor
}

TEST(ObdValues, freezeFrameFormulasFollowTheStandardExamples) {
    EXPECT_EQ(obdValueText(kPidEngineSpeed, 0x1A, 0xF8), "1726"); // 6904 / 4
    EXPECT_EQ(obdValueText(kPidCoolant, 0x00, 0), "-40");
    EXPECT_EQ(obdValueText(kPidCoolant, 0x7B, 0), "83");
    EXPECT_EQ(obdValueText(kPidEngineLoad, 0xFF, 0), "100.0");
    EXPECT_EQ(obdValueText(kPidEngineLoad, 0x80, 0), "50.2");
    EXPECT_EQ(obdValueText(kPidVehicleSpeed, 0xFF, 0), "255");
    EXPECT_EQ(obdValueText(kPidShortTrim1, 0x80, 0), "0.00");
    EXPECT_EQ(obdValueText(kPidShortTrim1, 0x00, 0), "-100.00");

    EXPECT_EQ(obdFreezeValueText(kPidFuelSystem, {0x02, 0x00}), "Pętla zamknięta");
    EXPECT_EQ(obdFreezeValueText(kPidFuelSystem, {0x03}), "3"); // no defined meaning
    EXPECT_EQ(obdFreezeValueText(kPidEngineSpeed, {0x1A}), ""); // half a value
    EXPECT_EQ(obdFreezeValueText(kPidCoolant, {}), "");
}

TEST(ObdMessages, multiFrameVinIsReassembledPerUnitAndAnswersStayApart) {
    // The VIN of the bus standard's example, its frames interleaved with a
    // second unit's single-frame refusal and an orphan continuation frame.
    const ObdReply r = reply({
        {0x7E8, {0x10, 0x14, 0x49, 0x02, 0x01, '1', 'D', '4'}},
        {0x7E9, {0x03, 0x7F, 0x09, 0x11}},
        {0x7EA, {0x21, 'X', 'X', 'X', 'X', 'X', 'X', 'X'}},
        {0x7E8, {0x21, 'G', 'P', '0', '0', 'R', '5', '5'}},
        {0x7E8, {0x22, 'B', '1', '2', '3', '4', '5', '6'}},
    });
    const auto messages = obdMessages(r);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].unit, 0x7E8u);
    EXPECT_EQ(messages[0].bytes.size(), 20u);
    EXPECT_EQ(obdVin(messages[0]), "1D4GP00R55B123456");
    EXPECT_TRUE(obdRefuses(messages[1], kObdVehicleInfo));
    EXPECT_FALSE(obdRefuses(messages[1], kObdFreezeFrame));
    EXPECT_EQ(obdVin(messages[1]), "");

    // A VIN cut short by a lost frame is no VIN.
    const auto cut = obdMessages(reply({{0x7E8, {0x10, 0x14, 0x49, 0x02, 0x01, '1', 'D', '4'}},
                                        {0x7E8, {0x21, 'G', 'P', '0', '0', 'R', '5', '5'}}}));
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(obdVin(cut[0]), "");
}

TEST(ObdVehicleInfo, calibrationIdsDropTheirPaddingAndCountByteIsOptional) {
    ObdMessage can{0x7E8, {0x49, 0x04, 0x02}};
    const std::string first = "JMB*36761500";
    const std::string second = "ABCDEFGHIJKLMNOP";
    for (const std::string& id : {first, second}) {
        can.bytes.insert(can.bytes.end(), id.begin(), id.end());
        can.bytes.insert(can.bytes.end(), 16 - id.size(), 0);
    }
    EXPECT_EQ(obdCalibrationIds(can), (std::vector<std::string>{first, second}));

    ObdMessage kLine{0x7E8, {0x49, 0x02}};
    const std::string vin = "WVWZZZ1JZXW000001";
    kLine.bytes.insert(kLine.bytes.end(), vin.begin(), vin.end());
    EXPECT_EQ(obdVin(kLine), vin);
}

TEST(ObdFreezeFrame, dataIsTakenOnlyFromFrameZeroOfTheAskedPid) {
    std::vector<std::uint8_t> data;
    EXPECT_TRUE(obdFreezeData({0x7E8, {0x42, 0x0C, 0x00, 0x1A, 0xF8}}, 0x0C, data));
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0x1A, 0xF8}));
    EXPECT_FALSE(obdFreezeData({0x7E8, {0x42, 0x0C, 0x01, 0x1A, 0xF8}}, 0x0C, data));
    EXPECT_FALSE(obdFreezeData({0x7E8, {0x42, 0x0D, 0x00, 0x30}}, 0x0C, data));
    EXPECT_FALSE(obdFreezeData({0x7E8, {0x41, 0x0C, 0x00, 0x1A}}, 0x0C, data));
}
