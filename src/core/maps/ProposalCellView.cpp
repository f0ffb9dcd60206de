#include "maps/ProposalCellView.h"

#include "lang/Translate.h"
#include "maps/MapFormat.h"

#include <algorithm>
#include <cmath>

namespace vexor {

namespace {
constexpr const char* kTipPetrol = "Zapisy na benzynie:";
constexpr const char* kTipGas = "Zapisy na gazie:";
constexpr const char* kTipDifference = "Różnica gaz - benzyna:";
constexpr const char* kTipSpread = "Rozrzut:";
constexpr const char* kTipTooFew = "Za mało zapisów: wartość bez zmian";
constexpr const char* kTipLocked = "Komórka zablokowana";
constexpr const char* kTipLeftOut = "Komórka pominięta";
constexpr const char* kTipSettled = "Komórka ustalona";
constexpr int kFullChange = 15;
} // namespace

std::string proposalCellText(const SProposalCellInfo& cell) {
    if (cell.proposed == cell.current)
        return std::to_string(cell.current);
    return std::to_string(cell.current) + "\u2192" + std::to_string(cell.proposed);
}

SRgb proposalChangeColour(int change) {
    const int step = std::min(std::abs(change), kFullChange) * 150 / kFullChange;
    const auto fade = static_cast<std::uint8_t>(255 - step);
    if (change > 0)
        return {255, fade, fade};
    if (change < 0)
        return {fade, fade, 255};
    return {255, 255, 255};
}

std::string proposalCellTip(const SProposalCellInfo& cell) {
    std::string tip = translate(kTipPetrol) + " " + formatMapNumber("%.0f", cell.petrolRecords) +
                      "\n" + translate(kTipGas) + " " + formatMapNumber("%.0f", cell.gasRecords);
    if (cell.gasRecords > 0.0 && cell.petrolRecords > 0.0)
        tip += "\n" + translate(kTipDifference) + " " +
               formatMapNumber("%+.1f", cell.differencePercent) + " %\n" + translate(kTipSpread) +
               " " + formatMapNumber("%.1f", cell.spreadPercent) + " %";
    switch (cell.state) {
    case ProposalCell::TooFew:
        tip += "\n" + translate(kTipTooFew);
        break;
    case ProposalCell::Locked:
        tip += "\n" + translate(kTipLocked);
        break;
    case ProposalCell::LeftOut:
        tip += "\n" + translate(kTipLeftOut);
        break;
    case ProposalCell::Settled:
        tip += "\n" + translate(kTipSettled);
        break;
    default:
        break;
    }
    return tip;
}

} // namespace vexor
