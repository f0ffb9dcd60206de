#pragma once

#include "settings/SettingsCheck.h"

// The strict half of the checked reader, for an offline edit or a
// comparison: anything that is not a settings file the program could have
// written is refused with the problem named, so that nothing is compared
// with, or written over, values the file never held.
namespace vexor {

// Longest line the settings-file reader takes whole, without its line end.
inline constexpr std::size_t kMaxSettingsLine = 510;

// Reads path into target (a default image first). On a problem the target
// is left default and the problem named.
bool readEditableSettingsFile(const std::string& path, DeviceSettings& target,
                              SSettingsFileProblem& problem);

} // namespace vexor
