#include "device/SerialNumber.h"

#include "device/Cipher.h"

namespace vexor {

namespace {

// Plain ASCII only: the locale must not decide what a controller's serial looks like.
bool isAsciiLetter(uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isAsciiDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

std::string upToZero(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

std::string serialFromDeviceBytes(const uint8_t bytes[16]) {
    const std::string block(reinterpret_cast<const char*>(bytes), 16);
    const bool plain = isAsciiLetter(bytes[0]) && isAsciiLetter(bytes[1]) &&
                       isAsciiLetter(bytes[2]) && isAsciiDigit(bytes[3]) && bytes[15] == 0;
    if (plain)
        return upToZero(block);
    CCipher cipher;
    return upToZero(cipher.decipher(block, kSerialKeyText));
}

} // namespace vexor
