#include "maps/tools/NozzleSize.h"

#include "common/Rounding.h"

#include <charconv>
#include <cstdio>

namespace vexor {

namespace {

struct SNozzleRow {
    int upToPower; // highest power per cylinder of the row
    SNozzleSizes sizes;
};

constexpr SNozzleRow kRows[] = {
    {17, {1.8, 1.9, 2.0}}, {24, {2.1, 2.2, 2.3}}, {32, {2.4, 2.5, 2.6}}, {40, {2.7, 2.8, 2.9}},
    {48, {3.0, 3.1, 3.2}}, {56, {3.3, 3.4, 3.5}}, {64, {3.6, 3.7, 3.8}},
};
constexpr SNozzleSizes kLargestRow{3.9, 4.0, 4.1};

} // namespace

SNozzleSizes nozzleSizes(int powerPerCylinder) {
    for (const auto& row : kRows) {
        if (powerPerCylinder <= row.upToPower)
            return row.sizes;
    }
    return kLargestRow;
}

double nozzleDiameterMm(int powerHp, int cylinders, InjectionType type, bool cng) {
    SNozzleSizes sizes = nozzleSizes(powerHp / (cylinders < 1 ? 1 : cylinders));
    if (cng) {
        sizes.small -= kNozzleCngReductionMm;
        sizes.medium -= kNozzleCngReductionMm;
        sizes.large -= kNozzleCngReductionMm;
    }
    switch (type) {
    case InjectionType::Sequential:
        return sizes.large;
    case InjectionType::SemiSequential:
        return sizes.medium;
    case InjectionType::FullGroup:
        break;
    }
    return sizes.small;
}

std::string formatNozzleDiameter(double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%1.1f", round1(mm));
    return text;
}

int nozzlePowerFromText(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && (*first == ' ' || *first == '\t'))
        ++first;
    if (first != last && *first == '+')
        ++first;
    int power = 0;
    if (std::from_chars(first, last, power).ec != std::errc())
        return 0;
    return power;
}

std::optional<int> steppedNozzlePower(int power, int step) {
    const long next = static_cast<long>(power) + step;
    if (next < kNozzlePowerMin || next > kNozzlePowerMax)
        return std::nullopt;
    return static_cast<int>(next);
}

const char* injectionTypeName(InjectionType type) {
    switch (type) {
    case InjectionType::Sequential:
        return "Sekwencja";
    case InjectionType::SemiSequential:
        return "Półsekwencja";
    case InjectionType::FullGroup:
        break;
    }
    return "Full group";
}

} // namespace vexor
