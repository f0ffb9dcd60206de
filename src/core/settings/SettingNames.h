#pragma once

#include <string>

namespace vexor {

// The name of a setting in a list of settings (a comparison, a job sheet),
// Polish, translated when shown: for the values one control sets together
// (the gas injector's type brings its drive values), the label of that
// control would name four rows alike, so each gets its own; null for the
// others, which are named by their control.
const char* settingOwnName(const std::string& key);

} // namespace vexor
