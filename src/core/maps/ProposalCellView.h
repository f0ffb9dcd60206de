#pragma once

#include "maps/MapLayout.h"
#include "maps/MapProposal.h"

#include <string>

// How a proposed cell is shown on the preview grid: its text, its fill by
// the change, and the tool tip with what the proposal rests on.
namespace vexor {

// "old → new" for a changed cell, the value alone otherwise.
std::string proposalCellText(const SProposalCellInfo& cell);
// White for no change; warmer red the more it rises, deeper blue the more
// it falls (full at 15 per cent either way).
SRgb proposalChangeColour(int change);
// Records on each fuel, the difference and its spread, and why a cell keeps
// its value, in the current language; lines separated by "\n".
std::string proposalCellTip(const SProposalCellInfo& cell);

} // namespace vexor
