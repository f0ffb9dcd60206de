#pragma once

#include <string>

namespace vexor {

// A unit as the user reads it, in the current language. The settings name
// degrees Celsius "C" for the files' sake; people read "°C".
std::string unitText(const std::string& unit);

} // namespace vexor
