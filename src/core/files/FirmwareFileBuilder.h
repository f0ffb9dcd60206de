#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexor {

// The bytes of an image file that holds image: header with the right length
// and checksum, the 60 filler bytes in their place, every byte rotated as
// stored. maker is cut to 18 characters, text to 10. An image shorter than
// 8320 bytes gets its filler at its end, which makes a file the loader refuses.
std::vector<std::uint8_t> buildFirmwareFile(const std::vector<std::uint8_t>& image,
                                            std::uint16_t version, const std::string& maker,
                                            std::uint16_t formatTag = 0x0101,
                                            const std::string& text = {});

} // namespace vexor
