#pragma once

#include "device/RawImage.h"

#include <cstdint>
#include <string>

// The raw blocks kept beside a backup's settings file (same name, extension
// ".xraw"), so that a restore can give the controller back exactly the bytes
// it held. Plain text, one item a line:
//
//   vexor-raw 1
//   version 520                       controller version (m_devInfo.m_version)
//   serial 4741533130                 controller serial, as hex bytes
//   block base 7 3 28 C0120A...       NAME READ-SELECTOR WRITE-COMMAND LENGTH HEX
//   memory map 320 5 288 0A0B...      NAME ADDRESS WRITE-COMMAND LENGTH HEX
//   crc32 1C291CA3                    CRC-32 of every byte above this line
//
// Reading refuses the whole file for any fault (a bad line, a length or an
// address this program does not know, a block missing or given twice, a
// wrong check sum): a restore never writes a part of a damaged file.
namespace vexor {

struct SRawBackup {
    std::int32_t version = 0;
    std::string serial;
    CRawImage image;
};

// ".../NAME.xset" -> ".../NAME.xraw".
std::string rawBackupPath(const std::string& settingsPath);

std::string formatRawBackup(const SRawBackup& backup);
// False with a one-line reason (naming the line) for anything but a complete,
// intact file.
bool parseRawBackup(const std::string& text, SRawBackup& backup, std::string& problem);

// Written through a temporary file and a rename. False with errno set when
// it could not be written.
bool writeRawBackup(const std::string& path, const SRawBackup& backup);
// False with the reason for a file that is missing, unreadable or refused.
bool readRawBackup(const std::string& path, SRawBackup& backup, std::string& problem);

std::uint32_t crc32(const std::string& bytes);

} // namespace vexor
