#include "maps/MapPatch.h"

#include <gtest/gtest.h>

#include <random>

namespace vexor {
namespace {

MapValues applied(MapValues map, const std::vector<SMapSet>& sets) {
    for (const SMapSet& s : sets)
        for (int r = s.block.row; r < s.block.row + s.block.rows; ++r)
            for (int c = s.block.column; c < s.block.column + s.block.columns; ++c)
                map[r][c] = s.value;
    return map;
}

// Whatever the two maps, the set blocks turn one exactly into the other and
// never write a cell with a value it should not end up with.
TEST(MapPatch, turnsAnyMapIntoAnyOtherAndNeverWritesAWrongValue) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(-3, 3), coin(0, 4);
    for (int round = 0; round < 200; ++round) {
        MapValues from{}, to{};
        for (int r = 0; r < kMapRowCount; ++r)
            for (int c = 0; c < kMapColumnCount; ++c) {
                from[r][c] = value(random);
                to[r][c] = coin(random) == 0 ? value(random) : from[r][c];
            }
        const std::vector<SMapSet> sets = mapPatch(from, to);
        ASSERT_EQ(applied(from, sets), to) << "round " << round;
        for (const SMapSet& s : sets)
            for (int r = s.block.row; r < s.block.row + s.block.rows; ++r)
                for (int c = s.block.column; c < s.block.column + s.block.columns; ++c)
                    ASSERT_EQ(to[r][c], s.value);
    }
    EXPECT_TRUE(mapPatch(MapValues{}, MapValues{}).empty());
}

TEST(MapPatch, joinsPiecesThroughCellsThatAlreadyHoldTheValue) {
    MapValues from{}, to{};
    // A plus sign of 5 whose centre already holds 5: one row and one column.
    from[5][5] = 5;
    for (int i = 3; i <= 7; ++i)
        to[5][i] = to[i][5] = 5;
    EXPECT_EQ(mapPatch(from, to).size(), 2u);
    // A whole map set to one value is one block, however ragged the start.
    MapValues ragged{}, flat{};
    for (auto& row : flat)
        row.fill(-7);
    for (int r = 0; r < kMapRowCount; ++r)
        ragged[r][r % kMapColumnCount] = -7;
    EXPECT_EQ(mapPatch(ragged, flat),
              (std::vector<SMapSet>{{{0, 0, kMapRowCount, kMapColumnCount}, -7}}));
}

} // namespace
} // namespace vexor
