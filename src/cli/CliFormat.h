#pragma once

#include "device/DeviceSettings.h"
#include "doc/DocResult.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexor::cli {

// Exit statuses of the command line.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoController = 3;
inline constexpr int kExitPort = 4;

int exitCodeFor(DocResult result);

// The identity block, one "key: value" line each; port "demo" in demo mode.
std::string identityBlock(const DeviceSettings& settings, const std::string& port, bool demo,
                          bool liveData);

std::string statsBlock(const DeviceSettings& settings, const std::array<std::uint8_t, 4>& own);

// The map, 19 lines of 15 TAB-separated whole numbers, row "< 2" first.
std::string mapLines(const DeviceSettings& settings);

// Fault text with its CR LF line ends as plain line feeds.
std::string plainLines(const std::string& text);

// One line per row, its cells TAB-separated.
std::string tabLines(const std::vector<std::vector<std::string>>& rows);

} // namespace vexor::cli
