#include "device/Cipher.h"

#include <bit>

namespace {

constexpr uint8_t kSBox[8][16] = {
    {3, 8, 15, 1, 10, 6, 5, 11, 14, 13, 4, 2, 7, 0, 9, 12},
    {15, 12, 2, 7, 9, 0, 5, 10, 1, 11, 14, 8, 6, 13, 3, 4},
    {8, 6, 7, 9, 3, 12, 10, 15, 13, 1, 14, 4, 0, 11, 5, 2},
    {0, 15, 11, 8, 12, 9, 6, 3, 13, 1, 2, 4, 10, 7, 5, 14},
    {1, 15, 8, 3, 12, 0, 11, 6, 2, 5, 4, 10, 9, 14, 7, 13},
    {15, 5, 2, 11, 4, 10, 9, 12, 0, 3, 14, 8, 13, 6, 7, 1},
    {7, 2, 12, 5, 8, 4, 6, 11, 14, 9, 1, 15, 13, 3, 10, 0},
    {1, 13, 15, 0, 14, 8, 2, 11, 7, 4, 12, 10, 9, 3, 5, 6},
};

struct InverseTable {
    uint8_t box[8][16];
};

constexpr InverseTable makeInverse() {
    InverseTable t{};
    for (int s = 0; s < 8; ++s)
        for (int v = 0; v < 16; ++v)
            t.box[s][kSBox[s][v]] = static_cast<uint8_t>(v);
    return t;
}

constexpr InverseTable kInverse = makeInverse();

constexpr uint32_t kGoldenRatio = 0x9E3779B9u;

uint32_t substitute(uint32_t word, const uint8_t (&box)[16]) {
    uint32_t out = 0;
    for (int k = 0; k < 8; ++k)
        out |= static_cast<uint32_t>(box[(word >> (4 * k)) & 0xF]) << (4 * k);
    return out;
}

void substitute(CCipher::Block& x, const uint8_t (&box)[16]) {
    for (uint32_t& w : x)
        w = substitute(w, box);
}

void mix(CCipher::Block& x, const CCipher::Block& key) {
    for (int i = 0; i < 4; ++i)
        x[i] ^= key[i];
}

void linear(CCipher::Block& x) {
    x[0] = std::rotl(x[0], 13);
    x[2] = std::rotl(x[2], 3);
    x[1] ^= x[0] ^ x[2];
    x[3] ^= x[2] ^ (x[0] << 3);
    x[1] = std::rotl(x[1], 1);
    x[3] = std::rotl(x[3], 7);
    x[0] ^= x[1] ^ x[3];
    x[2] ^= x[3] ^ (x[1] << 7);
    x[0] = std::rotl(x[0], 5);
    x[2] = std::rotl(x[2], 22);
}

void inverseLinear(CCipher::Block& x) {
    x[2] = std::rotr(x[2], 22);
    x[0] = std::rotr(x[0], 5);
    x[2] ^= x[3] ^ (x[1] << 7);
    x[0] ^= x[1] ^ x[3];
    x[3] = std::rotr(x[3], 7);
    x[1] = std::rotr(x[1], 1);
    x[3] ^= x[2] ^ (x[0] << 3);
    x[1] ^= x[0] ^ x[2];
    x[2] = std::rotr(x[2], 3);
    x[0] = std::rotr(x[0], 13);
}

// Reads bytes into little-endian words; bytes beyond the text stay zero.
template <size_t N> void readWords(std::array<uint32_t, N>& words, const std::string& bytes) {
    words.fill(0);
    for (size_t i = 0; i < bytes.size() && i < 4 * N; ++i)
        words[i / 4] |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << (8 * (i % 4));
}

// A key or plain text ends at its first zero byte.
std::string upToZero(const std::string& text, size_t limit) {
    std::string out = text.substr(0, text.find('\0'));
    if (out.size() > limit)
        out.resize(limit);
    return out;
}

std::string writeWords(const CCipher::Block& words) {
    std::string out(16, '\0');
    for (size_t i = 0; i < 16; ++i)
        out[i] = static_cast<char>((words[i / 4] >> (8 * (i % 4))) & 0xFF);
    return out;
}

} // namespace

void CCipher::setKey(const std::string& key) {
    readWords(m_key, upToZero(key, 32));

    uint32_t w[140];
    for (int i = 0; i < 8; ++i)
        w[i] = m_key[i];
    for (int i = 8; i < 140; ++i)
        w[i] =
            w[i - 8] ^ w[i - 5] ^ w[i - 3] ^ w[i - 1] ^ kGoldenRatio ^ static_cast<uint32_t>(i - 8);
    // The S-box steps down with every word (3, 2, 1, 0, 7, 6, ...), not with every round key.
    for (int i = 8; i < 140; ++i)
        w[i] = substitute(w[i], kSBox[(3 - (i - 8) % 8 + 8) % 8]);
    for (int j = 0; j < 33; ++j)
        for (int k = 0; k < 4; ++k)
            m_roundKeys[j][k] = w[8 + 4 * j + k];
}

void CCipher::encipherBlock() {
    m_state = m_plain;
    for (int r = 0; r < 31; ++r) {
        mix(m_state, m_roundKeys[r]);
        substitute(m_state, kSBox[r % 8]);
        linear(m_state);
    }
    mix(m_state, m_roundKeys[31]);
    substitute(m_state, kSBox[7]);
    mix(m_state, m_roundKeys[32]);
    m_cipher = m_state;
}

void CCipher::decipherBlock() {
    m_state = m_cipher;
    mix(m_state, m_roundKeys[32]);
    substitute(m_state, kInverse.box[7]);
    mix(m_state, m_roundKeys[31]);
    for (int r = 30; r >= 0; --r) {
        inverseLinear(m_state);
        substitute(m_state, kInverse.box[r % 8]);
        mix(m_state, m_roundKeys[r]);
    }
    m_plain = m_state;
}

std::string CCipher::encipher(const std::string& plain, const std::string& key) {
    setKey(key);
    readWords(m_plain, upToZero(plain, 16));
    encipherBlock();
    return writeWords(m_cipher);
}

std::string CCipher::decipher(const std::string& cipher, const std::string& key) {
    if (cipher.size() != 16)
        return {};
    setKey(key);
    readWords(m_cipher, cipher);
    decipherBlock();
    return writeWords(m_plain);
}
