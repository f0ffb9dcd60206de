#pragma once

#include <cstdint>
#include <string>

namespace vexor {

// Key text under which controllers encipher their serial number. Only its first 32
// characters enter the key.
inline constexpr const char* kSerialKeyText = "A7E31B02-4C9D-4f1a-8E65-3B90C7D2E41F";

// Turns the 16 serial-number bytes of the device-info reply into the serial text. Bytes
// that look like a plain serial (three ASCII letters, an ASCII digit, a zero 16th byte)
// are taken as they are, up to the first zero byte; anything else is an enciphered block
// and is deciphered whole, zero bytes included, then cut at the first zero byte.
std::string serialFromDeviceBytes(const uint8_t bytes[16]);

} // namespace vexor
