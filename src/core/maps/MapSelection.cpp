#include "maps/MapSelection.h"

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
    if (valid(cell))
        m_cells[cell.row][cell.column] = selected;
}

void CMapSelection::clear() {
    m_cells = {};
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
