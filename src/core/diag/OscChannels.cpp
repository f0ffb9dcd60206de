#include "diag/OscChannels.h"

#include "common/Rounding.h"
#include "device/Conversions.h"
#include "device/Diag.h"
#include "diag/FixedText.h"
#include "lang/Translate.h"
#include "live/DiagFile.h"

namespace vexor {

namespace {

constexpr SOscChannel kChannels[kOscChannels] = {
    {1494, "RPM", 10000.0, 0x000040},         {1486, "Wtrysk benz.", 40.0, 0x0000FF},
    {1487, "Wtrysk gazu", 40.0, 0xFF0000},    {1488, "Ciśnienie", 250.0, 0x808040},
    {1489, "Podciśnienie", 250.0, 0x606060},  {1490, "Temp. gazu", 100.0, 0x008000},
    {1491, "Temp. redukt.", 100.0, 0xFF0080}, {1492, "Lambda 1", 5.0, 0xFF80FF},
    {1493, "Lambda 2", 5.0, 0x008080},
};

OscSample percentages(const std::array<double, kOscChannels>& values) {
    OscSample sample{};
    for (int i = 0; i < kOscChannels; ++i)
        sample[i] = static_cast<float>(values[i] / kChannels[i].fullScale * 100.0);
    return sample;
}

} // namespace

std::span<const SOscChannel> oscChannels() {
    return kChannels;
}

OscSample oscSampleFromRecord(const CDiag& record, const SRecordUnits& units) {
    // The oscilloscope follows injector channel 0 alone, whatever channel 1
    // says.
    const double petrol = round2(record.petrolWord(0) * CDiag::kTimeStepMs);
    const double gas =
        round2(petrol + decodeGasCorrection(record.gasCorrWord(0)) * CDiag::kTimeStepMs);
    return percentages(
        {record.rpm(), petrol, gas, pressureFromRaw(record.gasPressureRaw()),
         manifoldFromRaw(record.manifoldRaw(), units.advancedFlags, units.advancedFlags2),
         temprFromRaw(record.gasTemprRaw(), units.gasTemprColumn),
         temprFromRaw(record.reducerTemprRaw(), units.reducerTemprColumn),
         voltFromRaw(record.lambda1Raw()), voltFromRaw(record.lambda2Raw())});
}

OscSample oscSampleFromLine(const OscLine& line) {
    return percentages(
        {line[1], line[2], line[3], line[18], line[19], line[20], line[21], line[22], line[23]});
}

std::vector<CChoiceList::Item> oscScaleItems() {
    return {{translate("RPM"), OscScaleRpm},
            {translate("ms"), OscScaleMs},
            {translate("kPa"), OscScaleKpa},
            {translate("°C"), OscScaleC},
            {translate("V"), OscScaleV}};
}

std::array<std::string, kOscScaleLabels> oscScaleLabels(int scale) {
    std::array<std::string, kOscScaleLabels> labels;
    for (int k = 0; k < kOscScaleLabels; ++k) {
        switch (scale) {
        case OscScaleMs:
            labels[k] = std::to_string(4 * k);
            break;
        case OscScaleRpm:
            labels[k] = std::to_string(1000 * k);
            break;
        case OscScaleKpa:
            labels[k] = std::to_string(25 * k);
            break;
        case OscScaleC:
            labels[k] = std::to_string(10 * k);
            break;
        case OscScaleV:
            labels[k] = fixedText(0.5 * k, 1);
            break;
        default:
            break;
        }
    }
    return labels;
}

} // namespace vexor
