#include "device/Cipher.h"
#include "device/SerialNumber.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kDeviceKey = "A7E31B02-4C9D-4f1a-8E65-3B90C7D2E41F";

std::string fromHex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

struct Vector {
    std::string key;
    std::string plainHex;
    std::string cipherHex;
};

// Computed by a separate implementation from the same description of the cipher.
const Vector kVectors[] = {
    {kDeviceKey, "78713030310000000000000000000000", "6e21ddb196390bc4447508dada9d2073"},
    {kDeviceKey, "41423132434433344546353647483738", "819fddf84bf06013fa0e21d49089b69c"},
    {kDeviceKey, "00000000000000000000000000000000", "f43cd6e3f0b2dc422af4524de3ad6b5b"},
    {"0123456789abcdef0123456789abcdef", "68656c6c6f0000000000000000000000",
     "99f346fcb9e96897d211f6e381491eab"},
    {"short", "30303030313131313232323233333333", "48b98447c4103c8273311cfe4debedb7"},
};

std::string serialOf(const std::string& block) {
    return vexor::serialFromDeviceBytes(reinterpret_cast<const uint8_t*>(block.data()));
}

} // namespace

TEST(Cipher, agreesWithTheReferenceVectorsInBothDirections) {
    for (const Vector& v : kVectors) {
        CCipher cipher;
        EXPECT_EQ(cipher.encipher(fromHex(v.plainHex), v.key), fromHex(v.cipherHex)) << v.key;
        EXPECT_EQ(cipher.decipher(fromHex(v.cipherHex), v.key), fromHex(v.plainHex)) << v.key;
    }
}

TEST(Cipher, decipheringTheCipherTextGivesThePlainBlockBack) {
    const std::string blocks[] = {"ABCDEFGHIJKLMNOP", "\x01\xff\x80\x7f zz 0123456789", "short"};
    CCipher cipher;
    for (const std::string& plain : blocks) {
        const std::string sealed = cipher.encipher(plain, "some key");
        ASSERT_EQ(sealed.size(), 16u);
        std::string padded = plain;
        padded.resize(16, '\0');
        EXPECT_EQ(cipher.decipher(sealed, "some key"), padded);
        EXPECT_NE(cipher.decipher(sealed, "other key"), padded);
    }
}

TEST(Cipher, keyIsItsFirst32CharactersUpToAZeroAndZeroPadded) {
    CCipher cipher;
    const std::string plain = "0123456789ABCDEF";
    EXPECT_EQ(cipher.encipher(plain, kDeviceKey), cipher.encipher(plain, kDeviceKey.substr(0, 32)));
    EXPECT_NE(cipher.encipher(plain, kDeviceKey), cipher.encipher(plain, kDeviceKey.substr(0, 31)));
    EXPECT_EQ(cipher.encipher(plain, "short"),
              cipher.encipher(plain, std::string("short\0xyz", 9)));
    EXPECT_EQ(cipher.encipher(plain, "short"),
              cipher.encipher(plain, "short" + std::string(27, '\0')));
}

TEST(Cipher, plainTextEndsAtItsSixteenthCharacterOrFirstZero) {
    CCipher cipher;
    EXPECT_EQ(cipher.encipher("0123456789ABCDEFtail", "k"),
              cipher.encipher("0123456789ABCDEF", "k"));
    EXPECT_EQ(cipher.encipher(std::string("abc\0def", 7), "k"), cipher.encipher("abc", "k"));
}

TEST(Cipher, cipherTextMustBeExactlySixteenBytes) {
    CCipher cipher;
    EXPECT_EQ(cipher.decipher(std::string(15, 'A'), kDeviceKey), "");
    EXPECT_EQ(cipher.decipher(std::string(17, 'A'), kDeviceKey), "");
    EXPECT_EQ(cipher.decipher("", kDeviceKey), "");
    EXPECT_EQ(cipher.decipher(std::string(16, 'A'), kDeviceKey).size(), 16u);
}

TEST(Cipher, zeroBytesInsideTheCipherTextAreDecipheredLikeAnyOther) {
    CCipher cipher;
    const std::string a = std::string(1, '\0') + std::string(15, 'A');
    const std::string b = std::string(1, '\0') + std::string(15, 'B');
    EXPECT_NE(cipher.decipher(a, kDeviceKey), cipher.decipher(b, kDeviceKey));
    EXPECT_EQ(cipher.decipher(std::string(16, '\0'), kDeviceKey).size(), 16u);
}

TEST(SerialNumber, plainLookingBytesAreTakenUpToTheFirstZero) {
    EXPECT_EQ(serialOf(std::string("ABC1234", 7) + std::string(9, '\0')), "ABC1234");
    EXPECT_EQ(serialOf(std::string("xyz0\0junk", 9) + std::string(7, '\0')), "xyz0");
}

TEST(SerialNumber, anythingElseIsDecipheredWholeUnderTheDeviceKey) {
    // "xq001": the third byte is a digit, so the controller sends it enciphered.
    EXPECT_EQ(serialOf(fromHex("6e21ddb196390bc4447508dada9d2073")), "xq001");
    EXPECT_EQ(serialOf(fromHex("819fddf84bf06013fa0e21d49089b69c")), "AB12CD34EF56GH78");
    EXPECT_EQ(serialOf(fromHex("f43cd6e3f0b2dc422af4524de3ad6b5b")), "");

    // Starts "QYE7" like a plain serial, but the last byte is not zero: still a cipher block.
    EXPECT_EQ(serialOf(fromHex("51594537fe4182ab5a5dcdad4f6da9ff")), "SN007743");
}

TEST(SerialNumber, cipherBlockWithZeroBytesIsNotCutBeforeDeciphering) {
    CCipher cipher;
    const std::string sealed = cipher.encipher("xq014", kDeviceKey);
    ASSERT_LT(sealed.find('\0'), 15u) << "the sample block should hold an inner zero byte";
    EXPECT_EQ(serialOf(sealed), "xq014");
}
