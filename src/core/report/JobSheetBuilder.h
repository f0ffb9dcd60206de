#pragma once

#include "device/AutoCalResult.h"
#include "device/Diag.h"
#include "report/JobSheet.h"
#include "report/Workshop.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// Everything a job sheet is made from. The settings image is the one the
// controller holds now; the baseline is the image saved before the first
// change (none: the changes are unknown, not empty).
struct SJobSheetInputs {
    const DeviceSettings* settings = nullptr;
    const DeviceSettings* baseline = nullptr;
    SJobSheetFindings atConnection;
    SJobSheetFindings now;
    std::optional<CDiag> liveRecord;
    std::optional<LoadMap> petrolLoadMap;
    std::optional<LoadMap> gasLoadMap;
    // The last automatic calibration of the program run; shown only when it
    // was made on this controller.
    std::optional<SAutoCalResult> calibration;
    // What the fitter entered about the car and the customer.
    SVehicleRecord vehicle;
    std::string workshopName;
    std::string workshopAddress;
    std::time_t when = 0;
    std::array<std::uint8_t, 4> thisStation{};
    bool demo = false;
};

namespace vexor {

CJobSheet buildJobSheet(const SJobSheetInputs& inputs);

// Fixed decimals with a decimal point whatever the user's locale says.
std::string jobSheetNumber(double value, int decimals);
// What a calibration run did, as the sheet's fields.
std::vector<SJobSheetField> jobSheetCalibration(const SAutoCalResult& result);

} // namespace vexor
