#include "SimCipher.h"

#include <cstddef>

namespace simcipher {

namespace {

using Words4 = std::array<std::uint32_t, 4>;

// The eight 4-bit substitution boxes the controllers use (those of the
// Serpent design), indexed by box and input nibble.
constexpr std::uint8_t kBoxes[8][16] = {
    {3, 8, 15, 1, 10, 6, 5, 11, 14, 13, 4, 2, 7, 0, 9, 12},
    {15, 12, 2, 7, 9, 0, 5, 10, 1, 11, 14, 8, 6, 13, 3, 4},
    {8, 6, 7, 9, 3, 12, 10, 15, 13, 1, 14, 4, 0, 11, 5, 2},
    {0, 15, 11, 8, 12, 9, 6, 3, 13, 1, 2, 4, 10, 7, 5, 14},
    {1, 15, 8, 3, 12, 0, 11, 6, 2, 5, 4, 10, 9, 14, 7, 13},
    {15, 5, 2, 11, 4, 10, 9, 12, 0, 3, 14, 8, 13, 6, 7, 1},
    {7, 2, 12, 5, 8, 4, 6, 11, 14, 9, 1, 15, 13, 3, 10, 0},
    {1, 13, 15, 0, 14, 8, 2, 11, 7, 4, 12, 10, 9, 3, 5, 6},
};

std::uint32_t rotl(std::uint32_t v, int n) {
    return (v << n) | (v >> (32 - n));
}

std::uint32_t boxWord(std::uint32_t word, int box) {
    std::uint32_t out = 0;
    for (int nibble = 0; nibble < 8; ++nibble) {
        const unsigned in = (word >> (4 * nibble)) & 0xFu;
        out |= static_cast<std::uint32_t>(kBoxes[box][in]) << (4 * nibble);
    }
    return out;
}

// Bytes up to the first zero, at most `size`, zero-padded, read as
// little-endian words.
template <std::size_t N> std::array<std::uint32_t, N> wordsOf(const std::string& text) {
    std::array<std::uint8_t, N * 4> bytes{};
    for (std::size_t i = 0; i < bytes.size() && i < text.size() && text[i] != '\0'; ++i)
        bytes[i] = static_cast<std::uint8_t>(text[i]);
    std::array<std::uint32_t, N> words{};
    for (std::size_t w = 0; w < N; ++w) {
        for (std::size_t b = 0; b < 4; ++b)
            words[w] |= static_cast<std::uint32_t>(bytes[4 * w + b]) << (8 * b);
    }
    return words;
}

std::array<Words4, 33> roundKeys(const std::string& key) {
    std::array<std::uint32_t, 140> w{};
    const auto keyWords = wordsOf<8>(key);
    for (std::size_t i = 0; i < 8; ++i)
        w[i] = keyWords[i];
    for (std::size_t i = 8; i < w.size(); ++i)
        w[i] = w[i - 8] ^ w[i - 5] ^ w[i - 3] ^ w[i - 1] ^ 0x9E3779B9u ^
               static_cast<std::uint32_t>(i - 8);
    // Box 3 for the first word, then one box lower for each following word.
    int box = 3;
    for (std::size_t i = 8; i < w.size(); ++i) {
        w[i] = boxWord(w[i], box);
        box = (box + 7) % 8;
    }
    std::array<Words4, 33> keys{};
    for (std::size_t j = 0; j < keys.size(); ++j) {
        for (std::size_t k = 0; k < 4; ++k)
            keys[j][k] = w[8 + 4 * j + k];
    }
    return keys;
}

void mix(Words4& x, const Words4& key) {
    for (std::size_t i = 0; i < 4; ++i)
        x[i] ^= key[i];
}

void substitute(Words4& x, int box) {
    for (std::uint32_t& word : x)
        word = boxWord(word, box);
}

void spread(Words4& x) {
    x[0] = rotl(x[0], 13);
    x[2] = rotl(x[2], 3);
    x[1] ^= x[0] ^ x[2];
    x[3] ^= x[2] ^ (x[0] << 3);
    x[1] = rotl(x[1], 1);
    x[3] = rotl(x[3], 7);
    x[0] ^= x[1] ^ x[3];
    x[2] ^= x[3] ^ (x[1] << 7);
    x[0] = rotl(x[0], 5);
    x[2] = rotl(x[2], 22);
}

} // namespace

std::array<std::uint8_t, 16> encipher(const std::string& plain, const std::string& key) {
    const auto keys = roundKeys(key);
    Words4 x = wordsOf<4>(plain);
    for (int r = 0; r < 31; ++r) {
        mix(x, keys[static_cast<std::size_t>(r)]);
        substitute(x, r % 8);
        spread(x);
    }
    mix(x, keys[31]);
    substitute(x, 7);
    mix(x, keys[32]);

    std::array<std::uint8_t, 16> out{};
    for (std::size_t w = 0; w < 4; ++w) {
        for (std::size_t b = 0; b < 4; ++b)
            out[4 * w + b] = static_cast<std::uint8_t>(x[w] >> (8 * b));
    }
    return out;
}

} // namespace simcipher
