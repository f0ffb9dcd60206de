#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <string>

namespace vexor {

// "VEXOR v <major>.<minor>" from bits 8..15 and 0..7 of the firmware version,
// then " CNG" or " LPG", then "     DEMO" in demonstration mode or fifteen
// blanks otherwise.
std::string windowTitle(std::int32_t version, bool cng, bool demo);

inline constexpr int kMaxWindowWidth = 1024;
inline constexpr int kMaxWindowHeight = 746;

// The main window's place: the work area cut to at most 1024 x 746, at (0, 0).
// Without a readable work area (no screen) the largest size is used.
QRect mainWindowRect(const QSize& workArea);

} // namespace vexor
