// Firmware image files are picked by the user from anywhere. The input is the
// file in plain (unrotated) form; the target stores it rotated as such files
// are. Most random headers fail the check sum at once, so unless the free-text
// byte at 8 is 0xFF the target puts the right check sum in first, which lets
// the fuzzer reach what the loader does with a header it believes.
#include "support/MemFile.h"

#include "device/ProgramImage.h"
#include "files/FirmwareFile.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vexor::fuzz::CMemFile file;

    std::vector<std::uint8_t> plain(data, data + size);
    constexpr std::size_t header = CFirmwareFile::kHeaderSize;
    if (size >= header && plain[8] != 0xFF) {
        const std::uint32_t announced = static_cast<std::uint32_t>(
            plain[0] | plain[1] << 8 | plain[2] << 16 | static_cast<std::uint32_t>(plain[3]) << 24);
        const std::uint32_t covered =
            std::min<std::uint32_t>(announced % 65536u, static_cast<std::uint32_t>(size - header));
        const std::uint16_t sum =
            vexor::firmwareChecksum(plain.data(), plain.data() + header, covered);
        plain[38] = static_cast<std::uint8_t>(sum);
        plain[39] = static_cast<std::uint8_t>(sum >> 8);
    }
    std::vector<std::uint8_t> stored(plain.size());
    std::transform(plain.begin(), plain.end(), stored.begin(), vexor::firmwareStoredByte);
    file.assign(stored.data(), stored.size());

    CFirmwareFile firmware;
    std::uint16_t version = 0;
    std::uint16_t tag = 0;
    std::string maker;
    if (!firmware.load(file.path(), version, maker, tag)) {
        if (firmware.loaded() || firmware.imageSize() != 0 || firmware.pageCount() != 0)
            std::abort();
        return 0;
    }
    if (firmware.imageSize() > CFirmwareFile::kBufferSize ||
        maker.size() > CFirmwareFile::kMakerFieldSize)
        std::abort();

    // Walk the image the way programming does, every page of the plan.
    for (std::uint16_t address : vexor::programPagePlan(1 << 12)) {
        std::uint8_t page[vexor::kProgramPageBytes];
        vexor::copyProgramPage(firmware.image(), firmware.imageSize(), address, page);
    }
    return 0;
}
