#pragma once

#include <cstdint>

namespace vexor {

// The code of this computer that the controller keeps with its base block:
// the 32-bit id of the file system that holds path ("/" by default), most
// significant byte first. When the id cannot be read the bytes keep the value
// they had.
void stationCode(std::uint8_t bytes[4], const char* path = "/");

} // namespace vexor
