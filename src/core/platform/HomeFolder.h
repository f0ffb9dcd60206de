#pragma once

#include <string>

namespace vexor {

// The user's home folder: $HOME, else the password database's entry, else ".".
std::string homeFolder();

} // namespace vexor
