#include "device/codecs/SensorsCodec.h"

#include "device/codecs/ByteFields.h"

namespace vexor {

namespace {
constexpr std::uint8_t kFallingFuelSensor = 1;
constexpr std::size_t kTableStart = 10;

std::uint8_t fuelThreshold(std::uint8_t raw, bool inverted) {
    return inverted ? static_cast<std::uint8_t>(~raw) : raw;
}
} // namespace

bool decodeSensorsSetup(const std::uint8_t* p, std::size_t length, DeviceSettings& settings) {
    if (p == nullptr || length < kSensorsBlock.length)
        return false;
    auto& s = settings.m_sensorsSetup;
    const bool inverted = p[4] == kFallingFuelSensor;
    s.m_fuelFull = fuelThreshold(p[0], inverted);
    s.m_fuelHgw = fuelThreshold(p[1], inverted);
    s.m_fuelHalf = fuelThreshold(p[2], inverted);
    s.m_fuelQuarter = fuelThreshold(p[3], inverted);
    s.m_fuelType = p[4];
    s.m_fuelRes = p[5];
    s.m_lambdaType = p[6];
    s.m_lambdaEmulatorOn = p[7];
    s.m_lambdaEmulatorDelay = round1(p[8] / 2.0);
    s.m_lambdaSecond = p[9];
    for (std::size_t i = 0; i < s.m_lambdaEmulatorTable.size(); ++i)
        s.m_lambdaEmulatorTable[i] = round2(voltFromRaw(p[kTableStart + i]));
    s.m_temprEngineSensor = p[25];
    s.m_temprLPGSensor = p[26];
    s.m_fuelSensorType = p[27];
    return true;
}

SensorsPayload encodeSensorsSetup(const DeviceSettings& settings) {
    const auto& s = settings.m_sensorsSetup;
    SensorsPayload out{};
    const bool inverted = s.m_fuelType == kFallingFuelSensor;
    out[0] = fuelThreshold(s.m_fuelFull, inverted);
    out[1] = fuelThreshold(s.m_fuelHgw, inverted);
    out[2] = fuelThreshold(s.m_fuelHalf, inverted);
    out[3] = fuelThreshold(s.m_fuelQuarter, inverted);
    out[4] = s.m_fuelType;
    out[5] = s.m_fuelRes;
    out[6] = s.m_lambdaType;
    out[7] = s.m_lambdaEmulatorOn;
    out[8] = fields::roundByte(s.m_lambdaEmulatorDelay * 2);
    out[9] = s.m_lambdaSecond;
    for (std::size_t i = 0; i < s.m_lambdaEmulatorTable.size(); ++i)
        out[kTableStart + i] = fields::roundByte(rawFromVolt(s.m_lambdaEmulatorTable[i]));
    out[25] = s.m_temprEngineSensor;
    out[26] = s.m_temprLPGSensor;
    out[27] = s.m_fuelSensorType;
    return out;
}

} // namespace vexor
