#pragma once

#include <string>

namespace vexor {

// Text that came from the controller (a serial number) may hold anything: a
// line break would forge another output line, bytes that are not UTF-8 would
// spoil a UTF-8 page. This keeps valid UTF-8 as it is and writes control
// characters and invalid bytes as \xNN, so that what the controller holds is
// still readable and nothing else is.
std::string printableText(const std::string& text);

} // namespace vexor
