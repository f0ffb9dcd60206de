#include "maps/MapPatch.h"

#include <array>

namespace vexor {

namespace {

using CellFlags = std::array<std::array<bool, kMapColumnCount>, kMapRowCount>;

struct SPatchState {
    const MapValues& from;
    const MapValues& to;
    CellFlags covered{};

    bool pending(int r, int c) const { return to[r][c] != from[r][c] && !covered[r][c]; }
    // A cell a block of `value` may take in without changing it wrongly.
    bool allowed(int r, int c, int value) const {
        return r >= 0 && r < kMapRowCount && c >= 0 && c < kMapColumnCount && to[r][c] == value;
    }
    bool rowAllowed(int r, int c0, int c1, int value) const {
        for (int c = c0; c <= c1; ++c)
            if (!allowed(r, c, value))
                return false;
        return true;
    }
    bool columnAllowed(int c, int r0, int r1, int value) const {
        for (int r = r0; r <= r1; ++r)
            if (!allowed(r, c, value))
                return false;
        return true;
    }
    int pendingIn(const SCellBlock& b) const {
        int n = 0;
        for (int r = b.row; r < b.row + b.rows; ++r)
            for (int c = b.column; c < b.column + b.columns; ++c)
                n += pending(r, c) ? 1 : 0;
        return n;
    }
};

// Grows the block around (r, c) one side at a time for as long as the side
// can move: first along the row (right, left) then down and up, or first
// down and up then along the row.
SCellBlock grow(const SPatchState& s, int r, int c, bool rowFirst) {
    const int v = s.to[r][c];
    int top = r, bottom = r, left = c, right = c;
    auto horizontal = [&] {
        while (s.columnAllowed(right + 1, top, bottom, v))
            ++right;
        while (s.columnAllowed(left - 1, top, bottom, v))
            --left;
    };
    auto vertical = [&] {
        while (s.rowAllowed(bottom + 1, left, right, v))
            ++bottom;
        while (s.rowAllowed(top - 1, left, right, v))
            --top;
    };
    if (rowFirst) {
        horizontal();
        vertical();
    } else {
        vertical();
        horizontal();
    }
    return {top, left, bottom - top + 1, right - left + 1};
}

} // namespace

std::vector<SMapSet> mapPatch(const MapValues& from, const MapValues& to) {
    SPatchState state{from, to};
    std::vector<SMapSet> sets;
    for (int r = 0; r < kMapRowCount; ++r) {
        for (int c = 0; c < kMapColumnCount; ++c) {
            if (!state.pending(r, c))
                continue;
            const SCellBlock a = grow(state, r, c, true);
            const SCellBlock b = grow(state, r, c, false);
            const SCellBlock block = state.pendingIn(b) > state.pendingIn(a) ? b : a;
            for (int y = block.row; y < block.row + block.rows; ++y)
                for (int x = block.column; x < block.column + block.columns; ++x)
                    state.covered[y][x] = true;
            sets.push_back({block, to[r][c]});
        }
    }
    return sets;
}

int changedCellCount(const MapValues& from, const MapValues& to) {
    int n = 0;
    for (int r = 0; r < kMapRowCount; ++r)
        for (int c = 0; c < kMapColumnCount; ++c)
            n += from[r][c] != to[r][c] ? 1 : 0;
    return n;
}

} // namespace vexor
