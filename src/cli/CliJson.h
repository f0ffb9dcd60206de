#pragma once

#include "device/DeviceSettings.h"
#include "settings/SettingsDiff.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The --json forms of what the reading commands print. Every function gives
// one JSON document and its line end; values are the ones the text prints,
// a JSON number where the text prints a number. Texts that come from the
// controller or from files may hold any bytes: what is not UTF-8 comes out as
// U+FFFD, so the document always parses.
namespace vexor::cli {

// A column of a list of objects: its name and whether a value that reads as
// a number is printed as one.
struct SJsonField {
    const char* name;
    bool number = false;
};

// An array of objects, one per row, the row's cells under the fields' names.
std::string jsonObjects(const std::vector<SJsonField>& fields,
                        const std::vector<std::vector<std::string>>& rows);

std::string identityJson(const DeviceSettings& settings, const std::string& port, bool demo,
                         bool liveData);
std::string statsJson(const DeviceSettings& settings, const std::array<std::uint8_t, 4>& own);
// Every settings-file key in the file's order with its value.
std::string settingsJson(const DeviceSettings& settings);
std::string differencesJson(const std::vector<SettingDifference>& differences);
// The non-empty lines of the decoded fault text.
std::string faultsJson(const std::string& text);
// One live record from its recording line (24 tab-separated fields).
std::string liveJson(const std::string& line);
std::string mapJson(const DeviceSettings& settings);
// `obd readiness`: the lamp, the stored-code count and each monitor's name
// and state as the text words them.
std::string readinessJson(bool lamp, int storedCodes,
                          const std::vector<std::vector<std::string>>& monitors);
// `obd freeze`: the code that stored the frame and its values (name, value,
// unit), a value that reads as a number printed as one.
std::string freezeFrameJson(const std::string& code,
                            const std::vector<std::vector<std::string>>& values);
// `obd vin`: the VIN and the calibration IDs.
std::string vehicleInfoJson(const std::string& vin, const std::vector<std::string>& ids);
// `history`: its TAB-separated lines (TIME, SERIAL, KIND, FIELD...) as
// objects, oldest first.
std::string historyJson(const std::string& lines);

} // namespace vexor::cli
