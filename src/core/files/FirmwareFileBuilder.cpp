#include "files/FirmwareFileBuilder.h"

#include "files/FirmwareFile.h"

#include <algorithm>

std::vector<std::uint8_t> vexor::buildFirmwareFile(const std::vector<std::uint8_t>& image,
                                                   std::uint16_t version, const std::string& maker,
                                                   std::uint16_t formatTag,
                                                   const std::string& text) {
    const std::size_t split = std::min(image.size(), CFirmwareFile::kFillerOffset);
    std::vector<std::uint8_t> payload(image.begin(), image.begin() + split);
    // The filler carries nothing; a recognisable pattern shows up in tests if
    // it ever leaks into the image.
    payload.insert(payload.end(), CFirmwareFile::kFillerSize, 0xA5);
    payload.insert(payload.end(), image.begin() + split, image.end());
    const auto length = static_cast<std::uint32_t>(payload.size());

    std::uint8_t header[CFirmwareFile::kHeaderSize] = {};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    header[4] = static_cast<std::uint8_t>(version);
    header[5] = static_cast<std::uint8_t>(version >> 8);
    header[6] = static_cast<std::uint8_t>(formatTag);
    header[7] = static_cast<std::uint8_t>(formatTag >> 8);
    std::copy_n(text.begin(), std::min(text.size(), CFirmwareFile::kTextFieldSize),
                header + CFirmwareFile::kTextOffset);
    std::copy_n(maker.begin(), std::min(maker.size(), CFirmwareFile::kMakerFieldSize - 1),
                header + CFirmwareFile::kMakerOffset);
    const std::uint16_t checksum = firmwareChecksum(header, payload.data(), length);
    header[38] = static_cast<std::uint8_t>(checksum);
    header[39] = static_cast<std::uint8_t>(checksum >> 8);

    std::vector<std::uint8_t> file(CFirmwareFile::kHeaderSize + payload.size());
    std::copy_n(header, CFirmwareFile::kHeaderSize, file.begin());
    std::copy(payload.begin(), payload.end(), file.begin() + CFirmwareFile::kHeaderSize);
    for (std::uint8_t& b : file) {
        b = firmwareStoredByte(b);
    }
    return file;
}
