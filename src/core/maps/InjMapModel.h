#pragma once

#include "device/DeviceSettings.h"
#include "maps/MapGeometry.h"
#include "maps/MapLayout.h"
#include "maps/MapRegion.h"
#include "maps/MapSelection.h"
#include "maps/MapTrail.h"
#include "maps/MapValues.h"

#include <array>
#include <cstdint>
#include <string>

// The injection map grid as the fitter sees it: the text and fill of each
// value cell, the selection, the live-point marker and the modified flag.
// It knows nothing of the controller; CMapEditor sends its edits there.
//
// A cell holds the text it shows ("12%"); its value is the number the text
// starts with, so what the grid shows is what the document receives.
class CInjMapModel {
public:
    CInjMapModel();

    const SMapGeometry& geometry() const { return m_geometry; }
    void setGeometry(const SMapGeometry& geometry) { m_geometry = geometry; }

    // Text "%.0f%%" of the value and the value's colour as the fill.
    void setCellValue(SCellIndex cell, double value);
    // The number the cell's text starts with (0 for an empty text).
    double cellValue(SCellIndex cell) const;
    const std::string& cellText(SCellIndex cell) const;
    // The text alone; the fill stays.
    void setCellText(SCellIndex cell, const std::string& text);
    // The fill when not selected.
    SRgb cellBackground(SCellIndex cell) const;
    // What the cell is painted with: the selection colour when selected.
    SRgb cellFill(SCellIndex cell) const;
    // Every cell to 0.
    void clearAll();
    // What the cells show, as whole numbers.
    vexor::MapValues values() const;
    void setValues(const vexor::MapValues& values);

    // Every cell from the document's map.
    void loadFrom(const DeviceSettings& settings);
    // Every cell into the document's map, kept to -50..+50.
    void storeInto(DeviceSettings& settings) const;

    CMapSelection& selection() { return m_selection; }
    const CMapSelection& selection() const { return m_selection; }

    // Changes every selected cell in the grid: add or subtract `value` (a
    // negative amount to add subtracts), set it, or clear the cell; results
    // are kept to -50..+50. The old value is the cell text read as a whole
    // number. Nothing else (no flag, nothing sent).
    void applyToSelection(vexor::MapOp op, int value);

    // Set by every edit; cleared by the page once it has loaded the map.
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // Moves the live-point marker to the cell of (rpm, petrol time); the cell
    // it leaves gets its value colour back. Returns whether the marker moved
    // (or appeared): the window repaints both cells then.
    bool trackPoint(double rpm, double petrolMs, std::uint8_t corrMapFlags);
    // Takes the marker off (no live point to show); true when it was shown,
    // and the cell has its value colour back.
    bool hideMarker();
    // The marked cell (column 0, row 0 until the first track).
    SCellIndex livePoint() const { return m_livePoint; }
    bool markerShown() const { return m_markerShown; }
    bool isMarked(SCellIndex cell) const { return m_markerShown && cell == m_livePoint; }

    // Counts every change of what the cells show (texts, fills, selection),
    // so a window can keep a drawing of them until it changes.
    unsigned version() const { return m_version + m_selection.version(); }

    // Where the engine has been (trail and visits), fed by the page.
    CMapTrail& trail() { return m_trail; }
    const CMapTrail& trail() const { return m_trail; }

private:
    struct SCell {
        std::string text;
        SRgb background = vexor::kMapCellBackground;
    };
    SCell& at(SCellIndex cell);
    const SCell& at(SCellIndex cell) const;

    SMapGeometry m_geometry;
    std::array<std::array<SCell, vexor::kMapColumnCount>, vexor::kMapRowCount> m_cells;
    CMapSelection m_selection;
    bool m_modified = false;
    SCellIndex m_livePoint{};
    bool m_markerShown = false;
    CMapTrail m_trail;
    unsigned m_version = 0;
};
