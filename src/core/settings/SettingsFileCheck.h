#pragma once

#include "device/DeviceSettings.h"

#include <string>

// Reads a settings file for an offline edit or a comparison, more strictly
// than a load: anything that is not a settings file the program could have
// written is refused with the problem named, so that nothing is compared
// with, or written over, values the file never held.
namespace vexor {

enum class SettingsFileProblem {
    None,
    Unreadable, // missing, or no permission
    NotAFile,   // a folder, a FIFO, a device
    TooLarge,
    Binary,     // zero bytes or other control characters
    LongLine,   // a line the reader would split (detail: its number)
    MissingKey, // detail: the key
    BadValue    // not a number, NaN or infinite, outside the member's type, text too long
};

struct SettingsFileCheck {
    SettingsFileProblem problem = SettingsFileProblem::None;
    std::string detail; // the key or the line number the problem concerns

    bool ok() const { return problem == SettingsFileProblem::None; }
};

// Longest line the settings-file reader takes whole, without its line end.
inline constexpr std::size_t kMaxSettingsLine = 510;

// Reads path into target (a default image first). On a problem the target
// is left default and the problem named.
SettingsFileCheck readCheckedSettingsFile(const std::string& path, DeviceSettings& target);

// The Polish message of a problem, translated when shown.
const char* settingsFileProblemText(SettingsFileProblem problem);

} // namespace vexor
