#include "obd/ObdVehicleInfo.h"

namespace vexor {

namespace {

constexpr std::size_t kVinLength = 17;
constexpr std::size_t kCalibrationIdLength = 16;

// The data of a service-9 answer for `pid`. On CAN a count of the data items
// follows the PID; the older buses leave it out, which the length tells.
bool infoData(const ObdMessage& message, std::uint8_t pid, std::size_t itemLength,
              std::vector<std::uint8_t>& data) {
    const auto& b = message.bytes;
    if (b.size() < 2 || !obdAnswers(message, kObdVehicleInfo) || b[1] != pid)
        return false;
    std::size_t from = 2;
    if ((b.size() - 2) % itemLength != 0)
        from = 3; // the item count
    if (b.size() < from)
        return false;
    data.assign(b.begin() + static_cast<std::ptrdiff_t>(from), b.end());
    return true;
}

// Printable characters only: the padding (zeros) and anything a damaged
// answer carries must not reach a report or a terminal.
std::string printable(const std::uint8_t* from, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        if (from[i] >= 0x20 && from[i] < 0x7F)
            text += static_cast<char>(from[i]);
    return text;
}

} // namespace

std::string obdVin(const ObdMessage& message) {
    std::vector<std::uint8_t> data;
    if (!infoData(message, kInfoVin, kVinLength, data) || data.size() < kVinLength)
        return {};
    // Some cars pad a short VIN at the front; the last 17 bytes are the VIN.
    const std::string vin = printable(data.data() + data.size() - kVinLength, kVinLength);
    return vin.size() == kVinLength ? vin : std::string();
}

std::vector<std::string> obdCalibrationIds(const ObdMessage& message) {
    std::vector<std::uint8_t> data;
    std::vector<std::string> ids;
    if (!infoData(message, kInfoCalibrationId, kCalibrationIdLength, data))
        return ids;
    for (std::size_t at = 0; at + kCalibrationIdLength <= data.size(); at += kCalibrationIdLength) {
        std::string id = printable(data.data() + at, kCalibrationIdLength);
        if (!id.empty())
            ids.push_back(std::move(id));
    }
    return ids;
}

} // namespace vexor
