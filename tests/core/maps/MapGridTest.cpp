#include "maps/InjMapModel.h"
#include "maps/MapCellText.h"
#include "maps/MapMenu.h"
#include "maps/MapRegion.h"

#include "lang/Language.h"

#include <gtest/gtest.h>

namespace vexor {
namespace {

using Bytes = std::array<std::uint8_t, 6>;

TEST(MapCellText, valueColourRunsFromYellowThroughWhiteToRed) {
    EXPECT_EQ(mapValueColour(-10), (SRgb{255, 255, 205}));
    EXPECT_EQ(mapValueColour(10), (SRgb{255, 205, 205}));
    EXPECT_EQ(mapValueColour(0), (SRgb{255, 255, 255}));
    EXPECT_EQ(mapValueColour(50), (SRgb{255, 5, 5}));
    EXPECT_EQ(mapValueColour(-50), (SRgb{255, 255, 5}));
    // Out-of-range values never wrap around into a light colour.
    EXPECT_EQ(mapValueColour(80), (SRgb{255, 5, 5}));
}

TEST(MapCellText, cellTextsFormatAndReadBackAsTheirLeadingNumber) {
    EXPECT_EQ(formatMapValue(12), "12%");
    EXPECT_EQ(formatMapValue(-7), "-7%");
    EXPECT_EQ(formatMapValue(-0.2), "0%");
    EXPECT_DOUBLE_EQ(mapTextValue("12%"), 12.0);
    EXPECT_DOUBLE_EQ(mapTextValue("-35%"), -35.0);
    EXPECT_DOUBLE_EQ(mapTextValue(""), 0.0);
    EXPECT_DOUBLE_EQ(mapTextValue("%"), 0.0);
}

TEST(MapCellText, inPlaceEditorClampsToWholePercentsAndKeepsAnEmptyText) {
    EXPECT_EQ(mapEditText("17"), "17%");
    EXPECT_EQ(mapEditText("80"), "50%");
    EXPECT_EQ(mapEditText("-99"), "-50%");
    EXPECT_EQ(mapEditText("12.9"), "12%");
    EXPECT_EQ(mapEditText("99999999999999999999"), "50%");
    EXPECT_EQ(mapEditText(""), "");
}

TEST(MapCellText, valueDialogsRefuseNegativeAmountsAndLimitTheRest) {
    EXPECT_FALSE(acceptMapAmount(-3).has_value());
    EXPECT_EQ(acceptMapAmount(70), 50);
    EXPECT_EQ(acceptMapAmount(0), 0);
    EXPECT_EQ(acceptMapSetValue(80), 50);
    EXPECT_EQ(acceptMapSetValue(-80), -50);
    EXPECT_EQ(acceptMapSetValue(-12), -12);
}

TEST(MapMenu, eachLanguageFindsItsMenuAndOthersTheEnglishOne) {
    EXPECT_EQ(mapMenuId(kLangPolish), 133);
    EXPECT_EQ(mapMenuId(kLangSpanish), 139);
    EXPECT_EQ(mapMenuId(kLangCzech), 135);
    EXPECT_STREQ(mapMenuTexts(mapMenuId(kLangGerman)).set, "Wert einstellen");
    EXPECT_STREQ(mapMenuTexts(999).subtract, "Subtract...");
}

// Pixel centre of a value cell with the default geometry.
std::pair<int, int> centre(int row, int column) {
    const SRect r = SMapGeometry{}.cellRect({row, column});
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(MapSelection, pressTogglesOneCellAndDropsTheRest) {
    CMapSelection sel;
    const SMapGeometry g;
    auto [x, y] = centre(2, 3);
    EXPECT_EQ(sel.press(g, x, y).size(), 1u);
    EXPECT_TRUE(sel.isSelected({2, 3}));
    // Pressing it again unselects it.
    sel.press(g, x, y);
    EXPECT_FALSE(sel.any());

    sel.setSelected({0, 0}, true);
    sel.setSelected({5, 5}, true);
    auto [x2, y2] = centre(1, 1);
    sel.press(g, x2, y2);
    EXPECT_EQ(sel.cells(), (std::vector<SCellIndex>{{1, 1}}));

    // A press on a header (its edge included) changes nothing.
    EXPECT_TRUE(sel.press(g, 60, 22).empty());
    EXPECT_TRUE(sel.press(g, 50, 100).empty());
    EXPECT_TRUE(sel.isSelected({1, 1}));
    // On a cell border no cell strictly contains the point: all deselected.
    const SRect r = g.cellRect({4, 4});
    sel.press(g, r.left, r.top + 5);
    EXPECT_FALSE(sel.any());
}

TEST(MapSelection, dragSelectsTheBlockFromThePressedCellRightAndDown) {
    CMapSelection sel;
    const SMapGeometry g;
    auto [px, py] = centre(2, 3);
    sel.press(g, px, py);
    auto [x, y] = centre(4, 6);
    sel.drag(g, x, y);
    EXPECT_EQ(sel.count(), 3 * 4);
    EXPECT_TRUE(sel.isSelected({2, 3}));
    EXPECT_TRUE(sel.isSelected({4, 6}));
    EXPECT_FALSE(sel.isSelected({5, 6}));
    // Back towards the top left: only what still lies between.
    auto [x2, y2] = centre(2, 4);
    const auto changed = sel.drag(g, x2, y2);
    EXPECT_EQ(sel.count(), 2);
    EXPECT_EQ(changed.size(), 10u);
    // Left of the press: nothing.
    auto [x3, y3] = centre(2, 1);
    sel.drag(g, x3, y3);
    EXPECT_FALSE(sel.any());
}

TEST(MapRegion, recordsCarryBlockOperationAndOperand) {
    const SCellBlock block{2, 3, 4, 5};
    EXPECT_EQ(mapRegion(block, MapOp::Set, 80).bytes(), (Bytes{2, 3, 4, 5, 1, 150}));
    EXPECT_EQ(mapRegion(block, MapOp::Set, -80).bytes(), (Bytes{2, 3, 4, 5, 1, 50}));
    EXPECT_EQ(mapRegion(block, MapOp::Add, 70).bytes(), (Bytes{2, 3, 4, 5, 2, 50}));
    EXPECT_EQ(mapRegion(block, MapOp::Subtract, -1).bytes(), (Bytes{2, 3, 4, 5, 3, 0}));
    EXPECT_EQ(mapRegion(block, MapOp::Clear, 9).bytes(), (Bytes{2, 3, 4, 5, 4, 0}));
}

TEST(MapRegion, aRectangularSelectionIsOneBlockFromItsFirstCell) {
    CMapSelection sel;
    for (int r = 3; r <= 5; ++r)
        for (int c = 7; c <= 10; ++c)
            sel.setSelected({r, c}, true);
    EXPECT_EQ(selectionBlocks(sel), (std::vector<SCellBlock>{{3, 7, 3, 4}}));
    EXPECT_TRUE(selectionBlocks(CMapSelection{}).empty());
}

TEST(MapRegion, anLShapedSelectionIsCoveredExactlyWithoutItsMissingCorner) {
    // Row 0, columns 0..2, and column 0, rows 0..2: a single rectangle from
    // the first cell would also change rows 1..2 of columns 1..2.
    CMapSelection sel;
    for (int c = 0; c <= 2; ++c)
        sel.setSelected({0, c}, true);
    for (int r = 1; r <= 2; ++r)
        sel.setSelected({r, 0}, true);
    const auto blocks = selectionBlocks(sel);
    int covered = 0;
    std::array<std::array<int, kMapColumnCount>, kMapRowCount> hits{};
    for (const SCellBlock& b : blocks)
        for (int r = b.row; r < b.row + b.rows; ++r)
            for (int c = b.column; c < b.column + b.columns; ++c) {
                ++hits[r][c];
                ++covered;
            }
    EXPECT_EQ(covered, sel.count());
    for (SCellIndex cell : sel.cells())
        EXPECT_EQ(hits[cell.row][cell.column], 1);
    EXPECT_EQ(blocks.front(), (SCellBlock{0, 0, 1, 3}));
}

class MapModel : public ::testing::Test {
protected:
    void select(std::initializer_list<SCellIndex> cells) {
        for (SCellIndex c : cells)
            model.selection().setSelected(c, true);
    }
    CInjMapModel model;
};

TEST_F(MapModel, editsChangeOnlySelectedCellsAndStayWithinLimits) {
    model.clearAll();
    model.setCellValue({0, 0}, 48);
    model.setCellValue({0, 1}, -49);
    select({{0, 0}, {0, 1}});
    model.applyToSelection(MapOp::Add, 5);
    EXPECT_EQ(model.cellText({0, 0}), "50%");
    EXPECT_EQ(model.cellText({0, 1}), "-44%");
    model.applyToSelection(MapOp::Subtract, 50);
    EXPECT_EQ(model.cellValue({0, 0}), 0);
    EXPECT_EQ(model.cellValue({0, 1}), -50);
    model.applyToSelection(MapOp::Set, 33);
    EXPECT_EQ(model.cellValue({0, 1}), 33);
    EXPECT_EQ(model.cellBackground({0, 1}), mapValueColour(33));
    EXPECT_EQ(model.cellFill({0, 1}), kMapSelection);
    EXPECT_EQ(model.cellValue({1, 1}), 0);
    model.applyToSelection(MapOp::Clear, 0);
    EXPECT_EQ(model.cellText({0, 0}), "0%");
}

TEST_F(MapModel, documentMapGoesInAndComesBackClamped) {
    DeviceSettings s;
    s.m_injMapTable[18][14] = -17;
    s.m_injMapTable[5][2] = 12.4;
    model.loadFrom(s);
    EXPECT_EQ(model.cellText({18, 14}), "-17%");
    EXPECT_EQ(model.cellText({5, 2}), "12%");
    model.setCellText({1, 1}, "75%");
    model.setCellText({1, 2}, "");
    DeviceSettings out;
    out.m_injMapTable[1][2] = 9;
    model.storeInto(out);
    EXPECT_EQ(out.m_injMapTable[18][14], -17);
    EXPECT_EQ(out.m_injMapTable[5][2], 12);
    EXPECT_EQ(out.m_injMapTable[1][1], 50);
    EXPECT_EQ(out.m_injMapTable[1][2], 0);
}

TEST_F(MapModel, livePointMovesTheMarkerAndGivesTheOldCellItsColourBack) {
    model.clearAll();
    model.setCellValue({4, 5}, 20);
    EXPECT_FALSE(model.markerShown());
    EXPECT_TRUE(model.trackPoint(3000, 5.0, 0));
    EXPECT_TRUE(model.isMarked({4, 5}));
    EXPECT_FALSE(model.trackPoint(3100, 5.5, 0));
    EXPECT_TRUE(model.trackPoint(400, 0.7, 0));
    EXPECT_TRUE(model.isMarked({0, 0}));
    EXPECT_FALSE(model.isMarked({4, 5}));
    EXPECT_EQ(model.cellBackground({4, 5}), mapValueColour(20));
}

} // namespace
} // namespace vexor
