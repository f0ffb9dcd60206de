#include "device/ProgramImage.h"

#include <algorithm>
#include <cstring>

namespace vexor {

namespace {
// The pages that are written: the block behind the boot loader, and the
// application from word 4096 on.
constexpr std::uint32_t kFirstRangeBegin = 128;
constexpr std::uint32_t kFirstRangeEnd = 255;
constexpr std::uint32_t kSecondRangeBegin = 4096;
} // namespace

bool isProgrammedPage(std::uint32_t wordAddress) {
    return (wordAddress >= kFirstRangeBegin && wordAddress <= kFirstRangeEnd) ||
           (wordAddress >= kSecondRangeBegin && wordAddress <= kLastProgramWord);
}

std::vector<std::uint16_t> programPagePlan(int steps) {
    std::vector<std::uint16_t> plan;
    for (std::uint32_t address = 0; address <= kLastProgramWord && steps > 0;
         address += kProgramPageWords, --steps) {
        if (isProgrammedPage(address))
            plan.push_back(static_cast<std::uint16_t>(address));
    }
    return plan;
}

void copyProgramPage(const std::uint8_t* image, std::size_t imageSize, std::uint16_t wordAddress,
                     std::uint8_t page[kProgramPageBytes]) {
    std::memset(page, 0, kProgramPageBytes);
    const std::size_t begin = 2 * static_cast<std::size_t>(wordAddress);
    if (image == nullptr || begin >= imageSize)
        return;
    const std::size_t count = std::min(kProgramPageBytes, imageSize - begin);
    std::memcpy(page, image + begin, count);
}

} // namespace vexor
