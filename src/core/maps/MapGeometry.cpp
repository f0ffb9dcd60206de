#include "maps/MapGeometry.h"

#include "maps/MapLayout.h"

SRect SMapGeometry::cornerRect() const {
    return {0, 0, firstColumnWidth, headerHeight};
}

SRect SMapGeometry::columnHeaderRect(int column) const {
    const int left = firstColumnWidth + column * columnWidth;
    return {left, 0, left + columnWidth, headerHeight};
}

SRect SMapGeometry::rowHeaderRect(int row) const {
    const int top = headerHeight + row * rowHeight;
    return {0, top, firstColumnWidth, top + rowHeight};
}

SRect SMapGeometry::cellRect(SCellIndex cell) const {
    const int left = firstColumnWidth + cell.column * columnWidth;
    const int top = headerHeight + cell.row * rowHeight;
    return {left, top, left + columnWidth, top + rowHeight};
}

bool SMapGeometry::onHeader(int x, int y) const {
    for (int c = 0; c < vexor::kMapColumnCount; ++c)
        if (columnHeaderRect(c).containsInclusive(x, y))
            return true;
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        if (rowHeaderRect(r).containsInclusive(x, y))
            return true;
    return false;
}

std::optional<SCellIndex> SMapGeometry::cellAt(int x, int y) const {
    for (int r = 0; r < vexor::kMapRowCount; ++r)
        for (int c = 0; c < vexor::kMapColumnCount; ++c)
            if (cellRect({r, c}).containsStrictly(x, y))
                return SCellIndex{r, c};
    return std::nullopt;
}

int SMapGeometry::width() const {
    return firstColumnWidth + vexor::kMapColumnCount * columnWidth;
}

int SMapGeometry::height() const {
    return headerHeight + vexor::kMapRowCount * rowHeight;
}
