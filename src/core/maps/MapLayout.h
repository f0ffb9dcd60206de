#pragma once

#include "device/DeviceSettings.h"

#include <cstdint>
#include <string>

// A colour of the map grid.
struct SRgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const SRgb&) const = default;
};

// The shape of the injection map as the grid shows it: 19 rows of 1 ms
// petrol-time bands, 15 columns of 500 rpm bands, their labels, and the
// colours and sizes the grid is drawn with.
namespace vexor {

inline constexpr int kMapRowCount = DeviceSettings::kMapRows;
inline constexpr int kMapColumnCount = DeviceSettings::kMapCols;
inline constexpr double kMapMinValue = -50.0;
inline constexpr double kMapMaxValue = 50.0;

// "< 2", "3" .. "20" top to bottom; empty outside 0..18.
std::string mapRowLabel(int row);
// "500" .. "7500" left to right; empty outside 0..14.
std::string mapColumnLabel(int column);
inline constexpr const char* kMapCornerLabel = "ms\\RPM";

inline constexpr SRgb kMapHeaderBackground{190, 180, 180};
inline constexpr SRgb kMapText{0, 0, 0};
// Fill of a cell that has not been given a value yet.
inline constexpr SRgb kMapCellBackground{200, 190, 190};
inline constexpr SRgb kMapBorder{170, 170, 170};
inline constexpr SRgb kMapSelection{0, 120, 200};
// The live point: a frame of this colour and width round its cell, inside
// the grid lines, so the cell's value stays readable.
inline constexpr SRgb kMapMarker{180, 0, 0};
inline constexpr int kMapMarkerFrameWidth = 3;

} // namespace vexor
