#pragma once

#include "device/DeviceSettings.h"

#include <string>

namespace vexor {

// Why a settings file was refused, with what the user needs to mend it.
struct SSettingsFileProblem {
    enum class Kind { None, Unreadable, NotRegular, MissingKey, BadValue };
    Kind kind = Kind::None;
    std::string key;   // the missing or refused key
    int line = 0;      // line of a refused value, from 1
    std::string value; // a refused value as the file has it
    std::string holds; // what the member can hold, "0..255"

    // One line in the current language naming what was refused; empty when
    // there is nothing to add to the load's own message.
    std::string describe() const;
};

// Reads a settings file for a load that will go to the controller. Besides
// the plain read's refusals (no such file, a missing key) it refuses, before
// anything is sent, a value that the member it lands in cannot hold: a
// number outside a byte or integer member, not a number or infinite, or
// outside what the controller's field holds after scaling (a speed of 0, a
// switching time of hours). Map cells are pinned to -50..+50 instead
// (not-a-number cells to 0). Members the load does not send (identity,
// vehicle, time stamp) are read as they are. False with problem filled.
bool readSettingsFileChecked(const std::string& path, DeviceSettings& target,
                             SSettingsFileProblem& problem);

// The first member a load sends (in file order) whose value its controller
// field cannot hold, with that field's range. False when every one fits.
bool findUnholdable(const DeviceSettings& image, std::string& key, std::string& holds);

} // namespace vexor
