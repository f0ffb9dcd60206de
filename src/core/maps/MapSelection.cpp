#include "maps/MapSelection.h"

#include <algorithm>

namespace {

bool valid(SCellIndex cell) {
    return cell.row >= 0 && cell.row < vexor::kMapRowCount && cell.column >= 0 &&
           cell.column < vexor::kMapColumnCount;
}

} // namespace

bool CMapSelection::isSelected(SCellIndex cell) const {
    return valid(cell) && m_cells[cell.row][cell.column];
}

void CMapSelection::setSelected(SCellIndex cell, bool selected) {
    if (valid(cell) && m_cells[cell.row][cell.column] != selected) {
        m_cells[cell.row][cell.column] = selected;
        ++m_version;
    }
}

void CMapSelection::clear() {
    m_cells = {};
    ++m_version;
}

bool CMapSelection::any() const {
    return count() > 0;
}

int CMapSelection::count() const {
    int n = 0;
    for (const auto& row : m_cells)
        for (bool selected : row)
            n += selected ? 1 : 0;
    return n;
}

std::vector<SCellIndex> CMapSelection::cells() const {
    std::vector<SCellIndex> out;
    for (int c = 0; c < vexor::kMapColumnCount; ++c)
        for (int r = 0; r < vexor::kMapRowCount; ++r)
            if (m_cells[r][c])
                out.push_back({r, c});
    return out;
}

std::vector<SCellIndex> CMapSelection::set(SCellIndex cell, bool selected) {
    if (m_cells[cell.row][cell.column] == selected)
        return {};
    m_cells[cell.row][cell.column] = selected;
    ++m_version;
    return {cell};
}

std::vector<SCellIndex> CMapSelection::press(const SMapGeometry& geometry, int x, int y) {
    m_pressX = x;
    m_pressY = y;
    std::vector<SCellIndex> changed;
    if (geometry.onHeader(x, y))
        return changed;
    for (int r = 0; r < vexor::kMapRowCount; ++r) {
        for (int c = 0; c < vexor::kMapColumnCount; ++c) {
            const SCellIndex cell{r, c};
            const bool hit = geometry.cellRect(cell).containsStrictly(x, y);
            if (hit)
                m_cursor = m_anchor = cell;
            const bool selected = hit ? !m_cells[r][c] : false;
            for (SCellIndex done : set(cell, selected))
                changed.push_back(done);
        }
    }
    return changed;
}

std::vector<SCellIndex> CMapSelection::drag(const SMapGeometry& geometry, int x, int y) {
    std::vector<SCellIndex> changed;
    if (geometry.onHeader(x, y))
        return changed;
    for (int r = 0; r < vexor::kMapRowCount; ++r) {
        for (int c = 0; c < vexor::kMapColumnCount; ++c) {
            const SCellIndex cell{r, c};
            const SRect rect = geometry.cellRect(cell);
            const bool inside = rect.right >= m_pressX && rect.bottom >= m_pressY &&
                                rect.left <= x && rect.top <= y;
            for (SCellIndex done : set(cell, inside))
                changed.push_back(done);
        }
    }
    return changed;
}

std::vector<SCellIndex> CMapSelection::selectRectangle(SCellIndex a, SCellIndex b) {
    const int top = std::min(a.row, b.row), bottom = std::max(a.row, b.row);
    const int left = std::min(a.column, b.column), right = std::max(a.column, b.column);
    std::vector<SCellIndex> changed;
    for (int r = 0; r < vexor::kMapRowCount; ++r) {
        for (int c = 0; c < vexor::kMapColumnCount; ++c) {
            const bool inside = r >= top && r <= bottom && c >= left && c <= right;
            for (SCellIndex done : set({r, c}, inside))
                changed.push_back(done);
        }
    }
    return changed;
}

std::vector<SCellIndex> CMapSelection::moveCursor(int rows, int columns, bool extend) {
    m_cursor = {std::clamp(m_cursor.row + rows, 0, vexor::kMapRowCount - 1),
                std::clamp(m_cursor.column + columns, 0, vexor::kMapColumnCount - 1)};
    if (!extend)
        m_anchor = m_cursor;
    return selectRectangle(m_anchor, m_cursor);
}
