#include "files/FirmwareFile.h"
#include "TempFolder.h"
#include "files/FirmwareFileBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

std::vector<std::uint8_t> patternImage(std::size_t size) {
    std::vector<std::uint8_t> image(size);
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return image;
}

// Changes header bytes of a built file and, unless told not to, makes its
// checksum right again.
void patchHeader(std::vector<std::uint8_t>& file, std::size_t offset,
                 const std::vector<std::uint8_t>& plain, bool fixChecksum = true) {
    std::vector<std::uint8_t> bytes(file.size());
    std::transform(file.begin(), file.end(), bytes.begin(), vexor::firmwarePlainByte);
    std::copy(plain.begin(), plain.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    if (fixChecksum) {
        std::uint32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16;
        length = std::min<std::uint32_t>(length, static_cast<std::uint32_t>(bytes.size() - 40));
        const std::uint16_t sum = vexor::firmwareChecksum(bytes.data(), bytes.data() + 40, length);
        bytes[38] = static_cast<std::uint8_t>(sum);
        bytes[39] = static_cast<std::uint8_t>(sum >> 8);
    }
    std::transform(bytes.begin(), bytes.end(), file.begin(), vexor::firmwareStoredByte);
}

class FirmwareFileTest : public ::testing::Test {
protected:
    bool loadBytes(const std::vector<std::uint8_t>& bytes) {
        writeWholeFile(m_path, std::string(bytes.begin(), bytes.end()));
        return m_file.load(m_path, m_version, m_maker, m_tag);
    }

    CTempFolder m_dir;
    std::string m_path = m_dir.file("fw.img");
    CFirmwareFile m_file;
    std::uint16_t m_version = 0;
    std::string m_maker;
    std::uint16_t m_tag = 0;
};

} // namespace

TEST(FirmwareBytes, StoredBytesAreRotatedLeftByTwoBits) {
    EXPECT_EQ(vexor::firmwareStoredByte(0x01), 0x04);
    EXPECT_EQ(vexor::firmwareStoredByte(0xC0), 0x03);
    EXPECT_EQ(vexor::firmwareStoredByte(0x81), 0x06);
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(vexor::firmwarePlainByte(vexor::firmwareStoredByte(byte)), byte);
    }
}

TEST_F(FirmwareFileTest, ValidFileGivesHeaderFieldsPagesAndTheImageWithoutFiller) {
    const auto image = patternImage(9000);
    auto bytes = vexor::buildFirmwareFile(image, 0x0208, "KORVANTIS", 0x0101, "V2.8");
    ASSERT_EQ(bytes.size(), 40u + 9060u);
    ASSERT_TRUE(loadBytes(bytes));

    EXPECT_TRUE(m_file.loaded());
    EXPECT_EQ(m_version, 0x0208);
    EXPECT_EQ(m_maker, "KORVANTIS");
    EXPECT_EQ(m_tag, 0x0101);
    EXPECT_EQ(m_file.imageSize(), 9000u);
    EXPECT_EQ(m_file.pageCount(), 71); // 70 full pages and a partial one
    EXPECT_EQ(std::memcmp(m_file.image(), image.data(), image.size()), 0);
    EXPECT_TRUE(std::all_of(m_file.image() + 9000, m_file.image() + CFirmwareFile::kBufferSize,
                            [](std::uint8_t b) { return b == 0; }));

    // Another format tag is reported as it is: the caller refuses it.
    patchHeader(bytes, 6, {0x00, 0x01});
    ASSERT_TRUE(loadBytes(bytes));
    EXPECT_EQ(m_tag, 0x0100);
}

TEST_F(FirmwareFileTest, ChecksumOffByOneIsRefused) {
    auto bytes = vexor::buildFirmwareFile(patternImage(9000), 0x0208, "KORVANTIS");
    const std::uint8_t low = vexor::firmwarePlainByte(bytes[38]);
    patchHeader(bytes, 38, {static_cast<std::uint8_t>(low + 1)}, false);
    EXPECT_FALSE(loadBytes(bytes));
    EXPECT_FALSE(m_file.loaded());

    // A changed payload byte breaks the checksum too.
    auto changed = vexor::buildFirmwareFile(patternImage(9000), 0x0208, "KORVANTIS");
    changed[40 + 100] ^= 0x04;
    EXPECT_FALSE(loadBytes(changed));
}

TEST_F(FirmwareFileTest, PayloadMustReachPastTheFiller) {
    EXPECT_FALSE(loadBytes(vexor::buildFirmwareFile(patternImage(8320), 1, "KORVANTIS")));
    EXPECT_FALSE(loadBytes(vexor::buildFirmwareFile(patternImage(300), 1, "KORVANTIS")));
    ASSERT_TRUE(loadBytes(vexor::buildFirmwareFile(patternImage(8321), 1, "KORVANTIS")));
    EXPECT_EQ(m_file.pageCount(), 66);
    EXPECT_EQ(m_file.image()[8320], patternImage(8321)[8320]);
}

TEST_F(FirmwareFileTest, ShortOrMissingFilesAreRefused) {
    auto bytes = vexor::buildFirmwareFile(patternImage(9000), 1, "KORVANTIS");
    bytes.pop_back();
    EXPECT_FALSE(loadBytes(bytes));
    bytes.resize(39);
    EXPECT_FALSE(loadBytes(bytes));
    EXPECT_FALSE(loadBytes({}));
    EXPECT_FALSE(m_file.load(m_dir.file("absent.img"), m_version, m_maker, m_tag));
}

TEST_F(FirmwareFileTest, LengthBeyondTheBufferIsRefusedWithoutOverrun) {
    // The largest payload the buffer holds still loads.
    ASSERT_TRUE(loadBytes(
        vexor::buildFirmwareFile(patternImage(CFirmwareFile::kBufferSize - 60), 1, "KORVANTIS")));
    EXPECT_EQ(m_file.pageCount(), 704);

    // One byte more, with every byte present and a right checksum.
    EXPECT_FALSE(loadBytes(
        vexor::buildFirmwareFile(patternImage(CFirmwareFile::kBufferSize - 59), 1, "KORVANTIS")));
    EXPECT_FALSE(m_file.loaded());
    EXPECT_EQ(m_file.pageCount(), 0);

    // A hostile length on a small file.
    auto bytes = vexor::buildFirmwareFile(patternImage(9000), 1, "KORVANTIS");
    patchHeader(bytes, 0, {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_FALSE(loadBytes(bytes));
}

TEST_F(FirmwareFileTest, MakerNameStopsAtTheEndOfItsField) {
    auto bytes = vexor::buildFirmwareFile(patternImage(9000), 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    ASSERT_TRUE(loadBytes(bytes));
    EXPECT_EQ(m_maker, "ABCDEFGHIJKLMNOPQR");

    patchHeader(bytes, 19, std::vector<std::uint8_t>(19, 'K'));
    ASSERT_TRUE(loadBytes(bytes));
    EXPECT_EQ(m_maker, std::string(19, 'K'));
}

TEST_F(FirmwareFileTest, FailedLoadAfterAGoodOneLeavesNothingLoaded) {
    ASSERT_TRUE(loadBytes(vexor::buildFirmwareFile(patternImage(9000), 1, "KORVANTIS")));
    auto bad = vexor::buildFirmwareFile(patternImage(9000), 1, "KORVANTIS");
    bad.pop_back();
    EXPECT_FALSE(loadBytes(bad));
    EXPECT_FALSE(m_file.loaded());
    EXPECT_EQ(m_file.imageSize(), 0u);
    EXPECT_EQ(m_file.image()[0], 0);
}

TEST_F(FirmwareFileTest, ChecksumMatchesAHandComputedFile) {
    // L = 8381: one image byte behind the filler.
    std::vector<std::uint8_t> plain(40 + 8381, 0);
    const std::uint8_t header[] = {0xBD, 0x20, 0x00, 0x00, 0x08, 0x02, 0x01, 0x01};
    std::copy(std::begin(header), std::end(header), plain.begin());
    const std::string maker = "KORVANTIS";
    std::copy(maker.begin(), maker.end(), plain.begin() + 19);
    plain[40 + 0] = 0x10;    // image byte 0
    plain[40 + 8330] = 0x05; // filler: summed, but not part of the image
    plain[40 + 8380] = 0x20; // image byte 8320
    // Payload 1 + 0x10 + 0x05 + 0x20 = 54; header 1 + 0xBD + 0x20 + 0x08 + 0x02
    // + 0x01 + 0x01 + 705 ("KORVANTIS") = 939; together 993 = 0x03E1.
    plain[38] = 0xE1;
    plain[39] = 0x03;

    std::vector<std::uint8_t> stored(plain.size());
    std::transform(plain.begin(), plain.end(), stored.begin(), vexor::firmwareStoredByte);
    ASSERT_TRUE(loadBytes(stored));
    EXPECT_EQ(m_version, 0x0208);
    EXPECT_EQ(m_maker, "KORVANTIS");
    EXPECT_EQ(m_file.imageSize(), 8321u);
    EXPECT_EQ(m_file.pageCount(), 66);
    EXPECT_EQ(m_file.image()[0], 0x10);
    EXPECT_EQ(m_file.image()[8320], 0x20);
    EXPECT_EQ(m_file.image()[8321], 0x00);
}

TEST_F(FirmwareFileTest, ChecksumCoversOnlyTheFirstLModulo65536PayloadBytes) {
    // L = 90112, of which the first 24576 bytes are summed: image files made
    // for the controller rely on that, so a change further on still loads.
    const auto image = patternImage(CFirmwareFile::kBufferSize - 60);
    auto bytes = vexor::buildFirmwareFile(image, 1, "KORVANTIS");
    const std::size_t uncovered = 40 + 30000;
    bytes[uncovered] = vexor::firmwareStoredByte(
        static_cast<std::uint8_t>(vexor::firmwarePlainByte(bytes[uncovered]) + 1));
    ASSERT_TRUE(loadBytes(bytes));
    EXPECT_EQ(m_file.image()[30000 - 60], static_cast<std::uint8_t>(image[30000 - 60] + 1));

    auto covered = vexor::buildFirmwareFile(image, 1, "KORVANTIS");
    covered[40 + 24575] ^= 0x04;
    EXPECT_FALSE(loadBytes(covered));
}
