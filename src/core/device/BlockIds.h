#pragma once

#include <cstddef>
#include <cstdint>

// How each settings block travels: read with command kReadCommand and the
// block's selector, answered with the reply command; written with the write
// command (the same code as the reply) and a payload of `length` bytes.
namespace vexor {

inline constexpr std::uint8_t kReadCommand = 2;
// Reply command of an acknowledge; payload byte 0 == kAckAccepted means accepted.
inline constexpr std::uint8_t kAckCommand = 2;
inline constexpr std::uint8_t kAckAccepted = 4;
// Payload length of a command-2 request (selector, 0, 16-bit parameter, 0, 0).
inline constexpr std::size_t kReadRequestLength = 6;

struct BlockId {
    std::uint8_t selector;
    std::uint8_t replyCommand;
    std::uint8_t writeCommand; // 0 for a block that cannot be written
    std::size_t length;        // payload length of the reply and of a write
};

inline constexpr BlockId kDevInfoBlock{13, 8, 0, 30};
inline constexpr BlockId kStatisticBlock{17, 12, 0, 10};
inline constexpr BlockId kBaseBlock{7, 3, 3, 28};
inline constexpr BlockId kAdvBlock{8, 4, 4, 21};
inline constexpr BlockId kMainCorrBlock{22, 15, 15, 16};
inline constexpr BlockId kSetupTimesBlock{12, 7, 7, 42};
inline constexpr BlockId kSensorsBlock{14, 9, 9, 28};
inline constexpr BlockId kAdvancedSetupBlock{34, 26, 26, 30};

// The injection map lives in controller memory and moves in 32-byte chunks
// with the memory read/write commands.
inline constexpr std::uint16_t kInjMapAddress = 320;
inline constexpr std::size_t kInjMapAreaLength = 288;
inline constexpr std::size_t kMemoryChunkLength = 32;
inline constexpr std::uint8_t kReadMemorySelector = 0x0B;
inline constexpr std::uint8_t kReadMemoryReply = 5;
inline constexpr std::uint8_t kWriteMemoryCommand = 5;
// Memory payload: 16-bit address, then one chunk.
inline constexpr std::size_t kMemoryPayloadLength = 2 + kMemoryChunkLength;

} // namespace vexor
