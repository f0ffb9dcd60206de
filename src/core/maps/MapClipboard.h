#pragma once

#include "maps/MapRegion.h"
#include "maps/MapSelection.h"
#include "maps/MapValues.h"

#include <string>
#include <vector>

// A block of the map as text for a spreadsheet and back: one line per row,
// the cells of a row separated by TAB, whole numbers (a trailing "%" is
// taken too). Nothing from the clipboard reaches the map before the whole
// text was read, its shape fits and every value lies in -50..+50.
namespace vexor {

enum class ClipProblem {
    None,
    NotANumber, // some field is no whole number (or the text is empty)
    Shape,      // ragged rows, or a block that does not fit the selection / map
    Range,      // a value outside -50..+50
    Selection   // nothing (or no single rectangle) is selected
};

struct SMapClip {
    std::vector<std::vector<int>> rows;
    ClipProblem problem = ClipProblem::None;
    std::string badField; // the first field that is no whole number

    int rowCount() const { return static_cast<int>(rows.size()); }
    int columnCount() const { return rows.empty() ? 0 : static_cast<int>(rows.front().size()); }
};

// The block's values as TAB-separated lines, each line ended by a line break.
std::string mapClipboardText(const MapValues& values, const SCellBlock& block);

// Reads clipboard text: the number and range checks, and that every row has
// as many fields as the first. A line break at the end (and CR LF line ends)
// are what spreadsheets send and count for nothing.
SMapClip parseMapClipboard(const std::string& text);

// The single rectangle the selection forms, if it forms one.
std::optional<SCellBlock> selectedRectangle(const CMapSelection& selection);

// Where a clip of this shape lands: a single selected cell is the top left
// corner (the clip must fit into the map from there); a larger selected
// rectangle must have the clip's shape. ClipProblem::None with the block,
// else the reason.
ClipProblem pasteBlock(const CMapSelection& selection, int rows, int columns, SCellBlock& block);

} // namespace vexor
