#pragma once

#include "maps/MapLayout.h"

#include <optional>
#include <string>

// What one map cell shows and how typed values become cell values.
namespace vexor {

// Keeps a correction inside -50..+50; NaN and infinities count as 0.
double clampMapValue(double value);

// Fill of a cell showing `value`: white to red for corrections above 0
// (RGB(255, 255 - 5v, 255 - 5v)), white to yellow below (RGB(255, 255,
// 255 + 5v)); channels truncated.
SRgb mapValueColour(double value);

// "12%", "-7%", "0%".
std::string formatMapValue(double value);

// The value a cell text stands for: its leading number ("12%" -> 12).
double mapTextValue(const std::string& text);

// What the in-place editor hands back for a typed text: the text read as a
// whole number, kept to -50..+50, as "%d%%"; an empty text stays empty.
std::string mapEditText(const std::string& typed);

// The value dialogs open with this number.
inline constexpr int kMapDialogStartValue = 5;
// "Dodaj..." / "Odejmij...": a negative amount is refused (the dialog shows
// kMsgPositiveNumber without an icon and stays open); above 50 counts as 50.
std::optional<int> acceptMapAmount(int typed);
// "Ustaw...": any value, kept to -50..+50.
int acceptMapSetValue(int typed);

} // namespace vexor
