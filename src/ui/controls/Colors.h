#pragma once

#include <QColor>

#include <cstdint>

// Colours are kept as 0x00BBGGRR values, the form in which the form's design
// lists them, and turned into QColor only when painting.
namespace vexor {

inline QColor colorFromRef(std::uint32_t ref) {
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF),
                  static_cast<int>((ref >> 16) & 0xFF));
}

inline std::uint32_t refFromColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

inline constexpr std::uint32_t kRefWhite = 0xFFFFFF;
inline constexpr std::uint32_t kRefBlack = 0x000000;
// Values that are not live any more are drawn in this grey.
inline constexpr std::uint32_t kRefStaleGrey = 0xA0A0A0;
inline constexpr std::uint32_t kRefRed = 0x0000FF;
inline constexpr std::uint32_t kRefBlue = 0xFF0000;
inline constexpr std::uint32_t kRefLabelGrey = 0xC0C0C0;
inline constexpr std::uint32_t kRefFormGrey = 0xDCDCDC;

} // namespace vexor
