#pragma once

#include "live/LiveValues.h"

#include <array>
#include <cstdint>

class CColorStatic;
class QWidget;

namespace vexor {

// The right half of the live display: the nine value fields with their labels
// and frames, the two lambda displays and the petrol-time column. The main
// view and the full-window display build the same panel.
struct SValuePanel {
    CColorStatic* gasPressure = nullptr;
    CColorStatic* manifold = nullptr;
    CColorStatic* gasTempr = nullptr;
    CColorStatic* reducerTempr = nullptr;
    CColorStatic* supply = nullptr;
    CColorStatic* lambda1 = nullptr;
    CColorStatic* lambda2 = nullptr;
    CColorStatic* rpm = nullptr;
    CColorStatic* gasTime1 = nullptr;
    std::array<CColorStatic*, 8> cylinders{};
    std::array<QWidget*, 2> lambdaDisplays{};

    // The nine value fields in the order of their colours.
    std::array<CColorStatic*, 9> valueFields() const;
};

// Size of the panel as designed, before any scaling.
inline constexpr int kValuePanelWidth = 250;
inline constexpr int kValuePanelHeight = 610;
// Height of a lambda display: the bar in its upper two thirds, the words for
// lean and rich in the lower third.
inline constexpr int kLambdaDisplayHeight = 33;

// Builds the panel's controls as children of parent, with the panel's top-left
// corner at (x, y).
SValuePanel buildValuePanel(QWidget* parent, int x, int y);

// Puts one record's texts into the panel; only changed fields repaint.
void showLiveTexts(const SValuePanel& panel, const SLiveTexts& texts);
// Greys every value and darkens the lambda displays while nothing live
// stands behind them (the link lost, a file open, polling stopped); false
// gives them their colours back.
void showPanelStale(const SValuePanel& panel, bool stale);
// Empties every value text of the panel.
void blankLiveTexts(const SValuePanel& panel);

// Text colours of the nine value fields (0x00BBGGRR), in valueFields() order.
inline constexpr std::array<std::uint32_t, 9> kValueColors = {
    0xFF80FF, 0x008080, 0xFF0000, 0x808040, 0x000040, 0x008000, 0xFF0080, 0x606060, 0x4080FF};

} // namespace vexor
