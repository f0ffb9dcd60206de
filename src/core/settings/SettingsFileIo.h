#pragma once

#include "device/DeviceSettings.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace vexor {

struct SettingInfo;

// Writes the whole image as a settings file: 417 lines in a fixed key order.
// False when the file cannot be created or any line cannot be written; the
// file that was at path then stays as it was, and errno says why.
bool writeSettingsFile(const std::string& path, const DeviceSettings& settings);

// Reads a settings file into target, section by section. False when the file
// cannot be read or a key is missing; missingKey (when given) then names the
// first missing key (empty when the file could not be read) and the members
// read before it are already in target, which the caller should discard.
bool readSettingsFile(const std::string& path, DeviceSettings& target,
                      std::string* missingKey = nullptr);

// The schema's rows in the order a file is read: a short file reports the
// first missing key in this order.
const std::vector<const SettingInfo*>& settingsReadOrder();

// The member's value as a settings file writes it after the TAB.
std::string settingFileValue(const SettingInfo& info, const DeviceSettings& settings);

// Stores a value as a settings file holds it (the text after the TAB) in the
// row's member, without checking it.
void storeSettingText(const SettingInfo& info, DeviceSettings& target, const std::string& text);

// The text a settings file of this image holds, line for line.
std::string formatSettingsFile(const DeviceSettings& settings);

// Stores the time of a save in m_timeStamp, "%d-%m-%Y-%H:%M:%S" local time.
void stampTime(DeviceSettings& settings, std::time_t when);
void stampNow(DeviceSettings& settings);

// The low bits of the integer part of value that fit the member type: a
// byte member read from 300 holds 44, from -1 holds 255. Not a number reads 0.
std::uint64_t settingsIntegerBits(double value);

} // namespace vexor
