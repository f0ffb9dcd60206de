#include "device/Conversions.h"

#include <array>
#include <cmath>

namespace vexor {

namespace {

// Sensor temperature in whole degrees for every raw reading, falling with the
// raw value. The leading 255s of the 2.2 kOhm sensor mean "beyond its range".
constexpr std::array<std::array<std::int16_t, 256>, TemprColumnCount> kTemprTable = {{
    {
        // column 0
        209, 203, 198, 192, 187, 182, 177, 173, 168, 164, 160, 156, 152, 148, 144, 141, 138, 135,
        132, 129, 126, 123, 121, 118, 116, 114, 111, 109, 107, 106, 104, 102, 100, 99,  97,  96,
        94,  93,  92,  91,  89,  88,  87,  86,  85,  84,  83,  82,  81,  80,  79,  78,  77,  77,
        76,  75,  74,  73,  73,  72,  71,  70,  70,  69,  68,  68,  67,  66,  66,  65,  64,  64,
        63,  63,  62,  61,  61,  60,  60,  59,  59,  58,  58,  57,  57,  56,  55,  55,  54,  54,
        53,  53,  53,  52,  52,  51,  51,  50,  50,  49,  49,  48,  48,  47,  47,  47,  46,  46,
        45,  45,  44,  44,  44,  43,  43,  42,  42,  41,  41,  41,  40,  40,  39,  39,  39,  38,
        38,  37,  37,  37,  36,  36,  35,  35,  35,  34,  34,  33,  33,  33,  32,  32,  31,  31,
        31,  30,  30,  30,  29,  29,  28,  28,  28,  27,  27,  26,  26,  26,  25,  25,  24,  24,
        24,  23,  23,  23,  22,  22,  21,  21,  21,  20,  20,  19,  19,  19,  18,  18,  17,  17,
        16,  16,  16,  15,  15,  14,  14,  14,  13,  13,  12,  12,  11,  11,  10,  10,  9,   9,
        9,   8,   8,   7,   7,   6,   6,   5,   5,   4,   4,   3,   2,   2,   1,   1,   0,   0,
        -1,  -2,  -2,  -3,  -3,  -4,  -5,  -5,  -6,  -7,  -7,  -8,  -9,  -10, -10, -11, -12, -13,
        -14, -15, -15, -16, -17, -18, -19, -20, -21, -22, -23, -24, -25, -26, -27, -29, -30, -31,
        -32, -33, -35, -36,
    },
    {
        // column 1
        255, 255, 255, 255, 255, 255, 255, 255, 237, 190, 157, 134, 120, 110, 102, 96,  91,  87,
        83,  80,  77,  74,  72,  69,  67,  65,  63,  62,  60,  59,  57,  56,  55,  53,  52,  51,
        50,  49,  48,  47,  46,  45,  44,  43,  42,  41,  41,  40,  39,  38,  38,  37,  36,  36,
        35,  34,  34,  33,  32,  32,  31,  31,  30,  29,  29,  28,  28,  27,  27,  26,  26,  25,
        25,  24,  24,  23,  23,  22,  22,  22,  21,  21,  20,  20,  19,  19,  19,  18,  18,  17,
        17,  17,  16,  16,  15,  15,  15,  14,  14,  13,  13,  13,  12,  12,  12,  11,  11,  11,
        10,  10,  9,   9,   9,   8,   8,   8,   7,   7,   7,   6,   6,   6,   5,   5,   5,   4,
        4,   4,   3,   3,   3,   2,   2,   2,   1,   1,   1,   1,   0,   0,   0,   -1,  -1,  -1,
        -2,  -2,  -2,  -3,  -3,  -3,  -4,  -4,  -4,  -5,  -5,  -5,  -6,  -6,  -6,  -7,  -7,  -7,
        -7,  -8,  -8,  -8,  -9,  -9,  -9,  -10, -10, -10, -11, -11, -11, -12, -12, -12, -13, -13,
        -13, -14, -14, -15, -15, -15, -16, -16, -16, -17, -17, -17, -18, -18, -18, -19, -19, -20,
        -20, -20, -21, -21, -22, -22, -22, -23, -23, -23, -24, -24, -25, -25, -26, -26, -26, -27,
        -27, -28, -28, -29, -29, -29, -30, -30, -31, -31, -32, -32, -33, -33, -34, -34, -35, -35,
        -36, -36, -37, -37, -38, -38, -39, -39, -40, -40, -41, -41, -42, -42, -43, -43, -44, -45,
        -45, -46, -46, -47,
    },
    {
        // column 2
        203, 184, 169, 156, 145, 135, 128, 121, 116, 112, 108, 104, 101, 98,  96,  93,  91,  89,
        87,  85,  83,  82,  80,  79,  77,  76,  75,  73,  72,  71,  70,  69,  68,  67,  66,  65,
        64,  63,  62,  61,  60,  60,  59,  58,  57,  57,  56,  55,  54,  54,  53,  52,  52,  51,
        50,  50,  49,  49,  48,  47,  47,  46,  46,  45,  45,  44,  44,  43,  43,  42,  42,  41,
        41,  40,  40,  39,  39,  38,  38,  37,  37,  37,  36,  36,  35,  35,  34,  34,  34,  33,
        33,  32,  32,  31,  31,  31,  30,  30,  29,  29,  29,  28,  28,  28,  27,  27,  26,  26,
        26,  25,  25,  25,  24,  24,  24,  23,  23,  22,  22,  22,  21,  21,  21,  20,  20,  20,
        19,  19,  19,  18,  18,  18,  17,  17,  17,  16,  16,  16,  15,  15,  15,  14,  14,  13,
        13,  13,  12,  12,  12,  11,  11,  11,  10,  10,  10,  9,   9,   9,   8,   8,   8,   7,
        7,   7,   6,   6,   6,   5,   5,   5,   4,   4,   3,   3,   3,   2,   2,   2,   1,   1,
        1,   0,   0,   -1,  -1,  -1,  -2,  -2,  -3,  -3,  -3,  -4,  -4,  -5,  -5,  -5,  -6,  -6,
        -7,  -7,  -7,  -8,  -8,  -9,  -9,  -10, -10, -11, -11, -12, -12, -13, -13, -14, -14, -15,
        -15, -16, -16, -17, -17, -18, -18, -19, -19, -20, -21, -21, -22, -22, -23, -24, -24, -25,
        -25, -26, -27, -27, -28, -29, -30, -30, -31, -32, -32, -33, -34, -35, -35, -36, -37, -38,
        -39, -39, -40, -41,
    },
}};

constexpr double kVoltPerCount = 0.0196078431372549; // 5 V over 255 counts

const std::array<std::int16_t, 256>& temprColumn(int column) {
    if (column < 0 || column >= TemprColumnCount)
        column = TemprColumn10k;
    return kTemprTable[static_cast<std::size_t>(column)];
}

} // namespace

double voltFromRaw(double raw) {
    return raw * kVoltPerCount;
}

double supplyFromRaw(double raw) {
    return voltFromRaw(raw) * 6.0;
}

double pressureFromRaw(double raw) {
    const double q = (voltFromRaw(raw) / 5.0 - 0.04) / 0.004;
    return q > 0.0 ? q : 0.0;
}

double manifoldFromRaw(double raw, std::uint8_t advancedFlags, std::uint8_t advancedFlags2) {
    if ((advancedFlags & kAbsManifoldFlag) != 0 || (advancedFlags2 & kAbsManifoldFlag2) != 0)
        return (raw / 255.0 + 0.00842) / 0.002421;
    return 101.0 - pressureFromRaw(raw);
}

double temprFromRaw(double raw, int column) {
    // NaN and out-of-range readings land on the table's ends rather than
    // outside it.
    int index = 0;
    if (raw >= 255.0)
        index = 255;
    else if (raw > 0.0)
        index = static_cast<int>(raw);
    return temprColumn(column)[static_cast<std::size_t>(index)];
}

double rawFromVolt(double volts) {
    return volts / (5.0 / 255.0);
}

double rawFromSupply(double volts) {
    return rawFromVolt(volts / 6.0);
}

double rawFromPressure(double pressure) {
    return rawFromVolt((pressure * 0.004 + 0.04) * 5.0);
}

double rawFromTempr(double tempr, int column) {
    const auto& entries = temprColumn(column);
    for (std::size_t raw = 0; raw < entries.size(); ++raw) {
        if (entries[raw] <= tempr)
            return static_cast<double>(raw);
    }
    return 0.0;
}

double rpmFromPeriod(double period) {
    if (period == 0.0 || std::isnan(period))
        return 0.0;
    return kPeriodRpmFactor / period;
}

double periodFromRpm(double rpm) {
    if (rpm == 0.0 || std::isnan(rpm))
        return 0.0;
    return kPeriodRpmFactor / rpm;
}

} // namespace vexor
