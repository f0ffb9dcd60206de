#pragma once

#include "maps/MapGeometry.h"
#include "maps/MapLayout.h"

#include <array>
#include <vector>

// Which value cells of the grid are selected, and the mouse rules that
// change it. A press picks (or unpicks) one cell; a drag with the button held
// selects the block from the pressed cell to the pointer, towards the right
// and down. The operations return the cells whose state changed, so the
// window repaints only those.
class CMapSelection {
public:
    bool isSelected(SCellIndex cell) const;
    void setSelected(SCellIndex cell, bool selected);
    void clear();
    bool any() const;
    int count() const;
    // Selected cells, column by column and top to bottom within a column.
    std::vector<SCellIndex> cells() const;

    // Left button pressed at (x, y). The point is remembered for the drag. On
    // a header nothing else happens; otherwise the cell strictly containing
    // the point toggles and every other cell is deselected.
    std::vector<SCellIndex> press(const SMapGeometry& geometry, int x, int y);
    // Pointer moved to (x, y) with the left button held. Off the headers,
    // exactly the cells reaching from the press point to the pointer are
    // selected: right >= press x, bottom >= press y, left <= x, top <= y.
    std::vector<SCellIndex> drag(const SMapGeometry& geometry, int x, int y);

    // The keyboard's cell: where the arrows start from, where typing edits
    // and where a paste lands. A press on a cell moves it there.
    SCellIndex cursor() const { return m_cursor; }
    // An arrow key: the cursor moves one cell (it stays at the map's edge).
    // Without `extend` the selection becomes that cell alone; with it (Shift)
    // the selection is the rectangle between the cell where the extension
    // started and the cursor.
    std::vector<SCellIndex> moveCursor(int rows, int columns, bool extend);

    // Counts every change of the selection, so a window can tell whether
    // what it drew is still current.
    unsigned version() const { return m_version; }

private:
    std::vector<SCellIndex> set(SCellIndex cell, bool selected);

    std::array<std::array<bool, vexor::kMapColumnCount>, vexor::kMapRowCount> m_cells{};
    // Exactly the rectangle between two cells, corners included.
    std::vector<SCellIndex> selectRectangle(SCellIndex a, SCellIndex b);

    int m_pressX = 0;
    int m_pressY = 0;
    SCellIndex m_cursor{};
    SCellIndex m_anchor{};
    unsigned m_version = 0;
};
