#include "MapsOnSim.h"

#include "maps/MapCorrPageCore.h"
#include "maps/MapEditor.h"
#include "maps/MapMessages.h"

namespace vexor::test {
namespace {

using Result = CMapEditor::Result;
using Bytes = std::vector<uint8_t>;

class MapEditorOnSim : public MapsOnSim {
protected:
    void SetUp() override {
        MapsOnSim::SetUp();
        page.activate();
    }
    void selectBlock(int row, int column, int rows, int columns) {
        for (int r = row; r < row + rows; ++r)
            for (int c = column; c < column + columns; ++c)
                model.selection().setSelected({r, c}, true);
    }
    int simCell(int row, int column) {
        return sim([=](CSimController& c) { return c.mapCell(row, column); });
    }
    std::vector<Bytes> regions() {
        std::vector<Bytes> out;
        for (const SimRequest& r : requests(SimMatch::cmd(13)))
            out.push_back(r.payload);
        return out;
    }
    int commits() {
        return sim([](CSimController& c) { return c.commitCount(); });
    }

    CInjMapModel model;
    CMapEditor editor{model, device};
    CMapCorrPageCore page{model, device};
};

TEST_F(MapEditorOnSim, anEditGoesToTheControllerAsOneRegionThenACommitThenIntoTheDocument) {
    EXPECT_FALSE(model.modified());
    selectBlock(3, 4, 2, 3);
    EXPECT_EQ(editor.onMapAdd(5), Result::Sent);
    EXPECT_EQ(regions(), (std::vector<Bytes>{{3, 4, 2, 3, 2, 5}}));
    EXPECT_EQ(commits(), 1);
    EXPECT_EQ(simCell(4, 6), 5);
    EXPECT_EQ(simCell(5, 6), 0);
    EXPECT_EQ(device.settings().m_injMapTable[4][6], 5);
    EXPECT_EQ(model.cellText({4, 6}), "5%");
    EXPECT_TRUE(model.modified());
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MapEditorOnSim, setBeyondTheLimitsStoresTheLimitAndSendsItsOperand) {
    selectBlock(0, 0, 1, 1);
    EXPECT_EQ(editor.onMapSet(80), Result::Sent);
    EXPECT_EQ(device.settings().m_injMapTable[0][0], 50);
    EXPECT_EQ(editor.onMapSet(-80), Result::Sent);
    EXPECT_EQ(device.settings().m_injMapTable[0][0], -50);
    EXPECT_EQ(regions(), (std::vector<Bytes>{{0, 0, 1, 1, 1, 150}, {0, 0, 1, 1, 1, 50}}));
    EXPECT_EQ(simCell(0, 0), -50);
}

TEST_F(MapEditorOnSim, pageUpAtTheTopStillSendsAddOneAndPageDownNeverANegativeAmount) {
    selectBlock(2, 2, 2, 2);
    ASSERT_EQ(editor.onMapSet(50), Result::Sent);
    EXPECT_EQ(editor.incrementSelected(1), Result::Sent);
    EXPECT_EQ(model.cellValue({3, 3}), 50);
    EXPECT_EQ(device.settings().m_injMapTable[3][3], 50);
    EXPECT_EQ(editor.incrementSelected(-1), Result::Sent);
    const auto sent = regions();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], (Bytes{2, 2, 2, 2, 2, 1}));
    EXPECT_EQ(sent[2], (Bytes{2, 2, 2, 2, 3, 1}));
    EXPECT_EQ(simCell(3, 3), 49);
    EXPECT_EQ(device.settings().m_injMapTable[3][3], 49);
}

TEST_F(MapEditorOnSim, anLShapedSelectionLeavesTheControllerEqualToTheGrid) {
    selectBlock(0, 0, 1, 3);
    selectBlock(1, 0, 2, 1);
    EXPECT_EQ(editor.onMapSet(20), Result::Sent);
    EXPECT_EQ(regions().size(), 2u);
    EXPECT_EQ(commits(), 1);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(simCell(r, c), model.cellValue({r, c})) << r << "," << c;
    EXPECT_EQ(simCell(1, 1), 0);
}

TEST_F(MapEditorOnSim, aRefusedRegionIsNamedAndTheGridShowsWhatTheControllerReallyHolds) {
    // The controller applies the add yet answers with a refusal. Read back,
    // the add is seen to have acted: it is not sent again (which would add
    // 5 more each time), and the refusal still fails the edit.
    server.faults().setAckResult(0, SimMatch::cmd(13));
    selectBlock(1, 1, 1, 1);
    EXPECT_EQ(editor.onMapAdd(5), Result::Failed);
    EXPECT_EQ(recorder.messages,
              (std::vector<std::string>{std::string(kMsgMapWrite) + "\n" + kMsgMapCellsNotWritten +
                                        " 3 ms / 1000 RPM"}));
    EXPECT_EQ(commits(), 0);
    EXPECT_EQ(regions().size(), 1u);
    EXPECT_EQ(simCell(1, 1), 5);
    EXPECT_EQ(model.cellValue({1, 1}), 5);
    EXPECT_EQ(device.settings().m_injMapTable[1][1], 5);
    EXPECT_TRUE(model.modified());
}

TEST_F(MapEditorOnSim, aSelectionOfSeveralBlocksIsNeverAppliedHalfWaySilently) {
    // An L: the first block (row 0, columns 0..2) is refused, so the second
    // (rows 1..2, column 0) is never sent; both are named.
    server.faults().setAckResult(0, SimMatch::cmd(13), 3);
    selectBlock(0, 0, 1, 3);
    selectBlock(1, 0, 2, 1);
    EXPECT_EQ(editor.onMapSet(20), Result::Failed);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_NE(recorder.messages[0].find("< 2 ms / 500–1500 RPM; 3–4 ms / 500 RPM"),
              std::string::npos)
        << recorder.messages[0];
    EXPECT_EQ(regions().size(), 3u); // three tries of the first block
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(model.cellValue({r, c}), simCell(r, c)) << r << "," << c;
            EXPECT_EQ(device.settings().m_injMapTable[r][c], simCell(r, c));
        }
    EXPECT_EQ(simCell(2, 0), 0);
}

TEST_F(MapEditorOnSim, aRefusedCommitShowsTheMessageAndTheGridFollowsTheController) {
    server.faults().setAckResult(0, SimMatch::read(0x13));
    selectBlock(1, 1, 1, 1);
    EXPECT_EQ(editor.onMapSubb(9), Result::Failed);
    EXPECT_EQ(recorder.messages, (std::vector<std::string>{kMsgMapWrite}));
    EXPECT_EQ(model.cellValue({1, 1}), simCell(1, 1));
    EXPECT_EQ(device.settings().m_injMapTable[1][1], simCell(1, 1));
}

TEST_F(MapEditorOnSim, whenTheReadBackFailsTooTheGridShowsTheLastAcceptedMap) {
    selectBlock(4, 4, 1, 1);
    ASSERT_EQ(editor.onMapSet(7), Result::Sent);
    server.faults().setAckResult(0, SimMatch::cmd(13));
    server.faults().setBadChecksum(SimMatch::read(0x0B));
    EXPECT_EQ(editor.onMapSet(9), Result::Failed);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[1], kMsgMapsRead);
    EXPECT_EQ(model.cellValue({4, 4}), 7);
    EXPECT_EQ(device.settings().m_injMapTable[4][4], 7);
    EXPECT_FALSE(editor.canUndo()); // the controller's map is unknown now
}

TEST_F(MapEditorOnSim, anEditAfterTheDocumentsMapChangedCopiesOnlyTheEditedCells) {
    // A whole map written meanwhile (a settings file, the defaults) while the
    // grid still shows the old one.
    model.setCellValue({8, 8}, 30);
    sim([](CSimController& c) { c.setMapCell(9, 9, -12); });
    device.settings().m_injMapTable[9][9] = -12;
    selectBlock(0, 0, 1, 1);
    EXPECT_EQ(editor.onMapSet(4), Result::Sent);
    EXPECT_EQ(device.settings().m_injMapTable[8][8], 0);
    EXPECT_EQ(device.settings().m_injMapTable[9][9], -12);
    EXPECT_EQ(model.cellText({9, 9}), "-12%");
    EXPECT_EQ(model.cellText({8, 8}), "0%");
}

TEST_F(MapEditorOnSim, theInPlaceEditorSendsOneCellAndCommits) {
    EXPECT_EQ(editor.commitCellEdit({6, 7}, "-70"), Result::Sent);
    EXPECT_EQ(model.cellText({6, 7}), "-50%");
    EXPECT_EQ(simCell(6, 7), -50);
    EXPECT_EQ(commits(), 1);
    EXPECT_EQ(device.settings().m_injMapTable[6][7], -50);
    // An empty text changes nothing: the cell keeps what the controller holds.
    EXPECT_EQ(editor.commitCellEdit({6, 8}, ""), Result::NothingSelected);
    EXPECT_EQ(model.cellText({6, 8}), "0%");
    EXPECT_EQ(requests(SimMatch::cmd(14)).size(), 1u);
}

TEST_F(MapEditorOnSim, activatingFillsTheGridFromTheDocumentAndLiveDataMovesTheMarker) {
    device.settings().m_injMapTable[4][5] = -10;
    model.setModified(true);
    page.activate();
    EXPECT_EQ(model.cellText({4, 5}), "-10%");
    EXPECT_EQ(model.cellBackground({4, 5}), (SRgb{255, 255, 205}));
    EXPECT_FALSE(model.modified());

    EXPECT_FALSE(page.liveRefresh()); // no live record yet
    CDiag record;
    ASSERT_EQ(device.readDiag(record), CLPGDevice::kDiagOk);
    record.setPetrolWord(0, 120);
    record.setPetrolWord(1, 200);
    record.setPetrolWord(2, 200);
    record.setIgnitionPeriod(1600);
    device.diagData().append(record);
    device.settings().m_devInfo.m_injCount = 4;
    EXPECT_TRUE(page.liveRefresh());
    EXPECT_TRUE(model.isMarked({4, 5}));
    device.settings().m_corrMap.m_flags = 1;
    EXPECT_TRUE(page.liveRefresh());
    EXPECT_TRUE(model.isMarked({9, 5}));

    // A lost link: the engine's place is unknown, so the marker goes (and
    // stays gone on the next tick).
    device.setConnected(false);
    device.settings().m_corrMap.m_flags = 0;
    EXPECT_TRUE(page.liveRefresh());
    EXPECT_FALSE(model.isMarked({9, 5}));
    EXPECT_FALSE(page.liveRefresh());
}

} // namespace
} // namespace vexor::test
