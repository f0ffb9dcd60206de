#pragma once

#include <optional>

// Where the grid's header and value cells lie in its client area, in pixels.
// The corner cell sits at the top left, the column headers to its right, the
// row headers below it, and the value cells fill the rest.

struct SRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Inside, the edges excluded.
    bool containsStrictly(int x, int y) const {
        return x > left && x < right && y > top && y < bottom;
    }
    // Inside or on an edge.
    bool containsInclusive(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    bool operator==(const SRect&) const = default;
};

// Row and column of a value cell of the map.
struct SCellIndex {
    int row = 0;
    int column = 0;

    bool operator==(const SCellIndex&) const = default;
};

struct SMapGeometry {
    int headerHeight = 22;
    int rowHeight = 22;
    int firstColumnWidth = 50;
    int columnWidth = 41;

    SRect cornerRect() const;
    SRect columnHeaderRect(int column) const;
    SRect rowHeaderRect(int row) const;
    SRect cellRect(SCellIndex cell) const;
    // Whether (x, y) lies on a column or row header, edges included.
    bool onHeader(int x, int y) const;
    // The value cell strictly containing (x, y), if any.
    std::optional<SCellIndex> cellAt(int x, int y) const;
    // Width and height of the whole grid.
    int width() const;
    int height() const;
};
