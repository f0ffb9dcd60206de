#include "platform/StationCode.h"

#include <sys/statvfs.h>

void vexor::stationCode(std::uint8_t bytes[4], const char* path) {
    struct statvfs info {};
    if (path == nullptr || ::statvfs(path, &info) != 0) {
        return;
    }
    auto id = static_cast<std::uint32_t>(info.f_fsid);
    bytes[0] = static_cast<std::uint8_t>(id >> 24);
    bytes[1] = static_cast<std::uint8_t>(id >> 16);
    bytes[2] = static_cast<std::uint8_t>(id >> 8);
    bytes[3] = static_cast<std::uint8_t>(id);
}
