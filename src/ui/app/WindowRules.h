#pragma once

#include <QRect>
#include <QSize>

namespace vexor {

inline constexpr int kMaxWindowWidth = 1024;
inline constexpr int kMaxWindowHeight = 746;

// The main window's place: the work area cut to at most 1024 x 746, at (0, 0).
// Without a readable work area (no screen) the largest size is used.
QRect mainWindowRect(const QSize& workArea);

} // namespace vexor
