#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// How a firmware image is walked when the controller is programmed. The
// controller addresses its program memory in 16-bit words: word address a is
// image byte 2a, and one page is 64 words (128 bytes). Only the pages at word
// addresses 128..255 and 4096..0xAFFF are written; the others hold the boot
// loader and data the controller keeps, and are never sent.
namespace vexor {

inline constexpr std::uint16_t kProgramPageWords = 64;
inline constexpr std::size_t kProgramPageBytes = 2 * kProgramPageWords;
inline constexpr std::uint32_t kLastProgramWord = 0xAFFF;

// Whether the page at word address a is written.
bool isProgrammedPage(std::uint32_t wordAddress);

// The word addresses sent for a step budget of `steps`: the walk goes from 0
// upwards in pages while the address is at most kLastProgramWord and the
// budget lasts; every page, skipped or not, uses one step.
std::vector<std::uint16_t> programPagePlan(int steps);

// The 128 bytes of the page at word address a from an image of imageSize
// bytes; bytes beyond the image are 0.
void copyProgramPage(const std::uint8_t* image, std::size_t imageSize, std::uint16_t wordAddress,
                     std::uint8_t page[kProgramPageBytes]);

} // namespace vexor
