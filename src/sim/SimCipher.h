#pragma once

#include <array>
#include <cstdint>
#include <string>

// The controller's side of the serial-number cipher: a controller that keeps
// its serial number secret sends it enciphered under the fixed key text, and
// the program deciphers it. The simulator carries its own enciphering so it
// shares nothing with the program but the bytes on the wire.
namespace simcipher {

// The key text the controllers use; only its first 32 characters count.
inline constexpr const char* kSerialKey = "A7E31B02-4C9D-4f1a-8E65-3B90C7D2E41F";

// Enciphers a plain block: the text up to its first zero character, at most
// 16 characters, padded with zero bytes. key: its first 32 characters.
std::array<std::uint8_t, 16> encipher(const std::string& plain, const std::string& key);

// The serial field a controller sends for `serial` (at most 15 characters).
inline std::array<std::uint8_t, 16> serialField(const std::string& serial) {
    return encipher(serial, kSerialKey);
}

} // namespace simcipher
