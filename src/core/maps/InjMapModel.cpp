#include "maps/InjMapModel.h"

#include "maps/LivePoint.h"
#include "maps/MapCellText.h"
#include "maps/MapFormat.h"
#include "maps/MapValues.h"

#include <algorithm>
#include <utility>

namespace {

SCellIndex valid(SCellIndex cell) {
    return {std::clamp(cell.row, 0, vexor::kMapRowCount - 1),
            std::clamp(cell.column, 0, vexor::kMapColumnCount - 1)};
}

} // namespace

CInjMapModel::CInjMapModel() = default;

CInjMapModel::SCell& CInjMapModel::at(SCellIndex cell) {
    const SCellIndex c = valid(cell);
    return m_cells[c.row][c.column];
}

const CInjMapModel::SCell& CInjMapModel::at(SCellIndex cell) const {
    const SCellIndex c = valid(cell);
    return m_cells[c.row][c.column];
}

void CInjMapModel::setCellValue(SCellIndex cell, double value) {
    // Whatever the source, the grid shows only what the controller could hold.
    const int v = vexor::mapCellInt(value);
    SCell& c = at(cell);
    std::string text = vexor::formatMapValue(v);
    const SRgb background = vexor::mapValueColour(v);
    if (text != c.text || !(background == c.background)) {
        c.text = std::move(text);
        c.background = background;
        ++m_version;
    }
}

double CInjMapModel::cellValue(SCellIndex cell) const {
    return vexor::mapTextValue(at(cell).text);
}

const std::string& CInjMapModel::cellText(SCellIndex cell) const {
    return at(cell).text;
}

void CInjMapModel::setCellText(SCellIndex cell, const std::string& text) {
    at(cell).text = text;
    ++m_version;
}

SRgb CInjMapModel::cellBackground(SCellIndex cell) const {
    return at(cell).background;
}

SRgb CInjMapModel::cellFill(SCellIndex cell) const {
    return m_selection.isSelected(cell) ? vexor::kMapSelection : cellBackground(cell);
}

void CInjMapModel::clearAll() {
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        for (int c = 0; c < vexor::kMapColumnCount; ++c)
            setCellValue({r, c}, 0.0);
}

vexor::MapValues CInjMapModel::values() const {
    vexor::MapValues out{};
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        for (int c = 0; c < vexor::kMapColumnCount; ++c)
            out[r][c] = vexor::mapCellInt(vexor::leadingInt(at({r, c}).text));
    return out;
}

void CInjMapModel::setValues(const vexor::MapValues& values) {
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        for (int c = 0; c < vexor::kMapColumnCount; ++c)
            setCellValue({r, c}, values[r][c]);
}

void CInjMapModel::loadFrom(const DeviceSettings& settings) {
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        for (int c = 0; c < vexor::kMapColumnCount; ++c)
            setCellValue({r, c}, settings.m_injMapTable[r][c]);
}

void CInjMapModel::storeInto(DeviceSettings& settings) const {
    vexor::storeMapValues(settings, values());
}

void CInjMapModel::applyToSelection(vexor::MapOp op, int value) {
    for (SCellIndex cell : m_selection.cells()) {
        const double old = vexor::leadingInt(at(cell).text);
        double result = 0.0;
        switch (op) {
        case vexor::MapOp::Add:
            result = old + value;
            break;
        case vexor::MapOp::Subtract:
            result = old - value;
            break;
        case vexor::MapOp::Set:
            result = value;
            break;
        case vexor::MapOp::Clear:
            result = 0.0;
            break;
        }
        setCellValue(cell, vexor::clampMapValue(result));
    }
}

bool CInjMapModel::hideMarker() {
    if (!m_markerShown)
        return false;
    SRgb& background = at(m_livePoint).background;
    background = vexor::mapValueColour(cellValue(m_livePoint));
    m_markerShown = false;
    ++m_version;
    return true;
}

bool CInjMapModel::trackPoint(double rpm, double petrolMs, std::uint8_t corrMapFlags) {
    const SCellIndex next = vexor::mapCellFor(rpm, petrolMs, corrMapFlags);
    if (m_markerShown && next == m_livePoint)
        return false;
    if (m_markerShown) {
        SRgb& background = at(m_livePoint).background;
        const SRgb own = vexor::mapValueColour(cellValue(m_livePoint));
        if (!(background == own)) {
            background = own;
            ++m_version;
        }
    }
    m_livePoint = next;
    m_markerShown = true;
    return true;
}
