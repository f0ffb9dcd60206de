#pragma once

#include <array>
#include <cstdint>
#include <string>

// 128-bit block cipher that some controllers use for their serial number: 32 rounds of
// nibble-wise 4-bit S-boxes and a word-mixing linear transformation, 33 round keys from a
// 256-bit key. Texts are byte strings; every 4 bytes form one little-endian word.
class CCipher {
public:
    using Block = std::array<uint32_t, 4>;

    CCipher() = default;

    // Enciphers the plain text (read up to its first zero byte, at most 16 bytes, zero
    // padded) under the key text (up to its first zero byte, at most 32 bytes, zero padded).
    // Returns the 16-byte cipher text.
    std::string encipher(const std::string& plain, const std::string& key);
    // Deciphers a cipher text of exactly 16 bytes (zero bytes are data like any other);
    // returns the 16-byte plain text, or an empty text when the length is not 16.
    std::string decipher(const std::string& cipher, const std::string& key);

private:
    void setKey(const std::string& key);
    void encipherBlock();
    void decipherBlock();

    std::array<uint32_t, 8> m_key{};
    std::array<Block, 33> m_roundKeys{};
    Block m_plain{};
    Block m_cipher{};
    Block m_state{};
};
