#include "MapsOnSim.h"

#include "maps/MapCorrPageCore.h"
#include "maps/MapEditor.h"
#include "maps/MapMessages.h"

#include <deque>
#include <random>

namespace vexor::test {
namespace {

using Result = CMapEditor::Result;
using Bytes = std::vector<uint8_t>;

// Messages, and answers to questions from a script (Yes when it runs dry).
class ScriptedPrompt : public IUserPrompt {
public:
    void message(const std::string& text, Icon) override { messages.push_back(text); }
    bool ask(const std::string& text, bool) override {
        questions.push_back(text);
        if (answers.empty())
            return true;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
};

// Undo and redo, smoothing and paste against the simulated controller: what
// it received and what its map holds afterwards.
class MapHistoryOnSim : public MapsOnSim {
protected:
    void SetUp() override {
        MapsOnSim::SetUp();
        Seams seams;
        seams.prompt = &prompt;
        device.setSeams(seams);
        page.activate();
    }
    void select(int row, int column, int rows = 1, int columns = 1) {
        model.selection().clear();
        for (int r = row; r < row + rows; ++r)
            for (int c = column; c < column + columns; ++c)
                model.selection().setSelected({r, c}, true);
    }
    // Puts values into the controller and reads them in, as at connection.
    void controllerHolds(const std::vector<std::tuple<int, int, int>>& cells) {
        sim([&](CSimController& c) {
            for (auto [r, col, v] : cells)
                c.setMapCell(r, col, v);
        });
        ASSERT_TRUE(device.readInjMap());
        page.activate();
        editor.documentShown();
    }
    int simCell(int row, int column) {
        return sim([=](CSimController& c) { return c.mapCell(row, column); });
    }
    Bytes simMap() {
        return sim([](CSimController& c) { return c.mapArea(); });
    }
    std::vector<Bytes> regions() {
        std::vector<Bytes> out;
        for (const SimRequest& r : requests(SimMatch::cmd(13)))
            out.push_back(r.payload);
        return out;
    }
    void expectGridEqualsController() {
        for (int r = 0; r < kMapRowCount; ++r)
            for (int c = 0; c < kMapColumnCount; ++c) {
                ASSERT_EQ(model.cellValue({r, c}), simCell(r, c)) << r << "," << c;
                ASSERT_EQ(device.settings().m_injMapTable[r][c], simCell(r, c)) << r << "," << c;
            }
    }

    ScriptedPrompt prompt;
    CInjMapModel model;
    CMapEditor editor{model, device};
    CMapCorrPageCore page{model, device};
};

TEST_F(MapHistoryOnSim, aHundredRandomEditsUndoneLeaveTheControllersMapByteForByteAsItStarted) {
    controllerHolds({{0, 0, 12}, {5, 7, -30}, {18, 14, 50}, {9, 3, -50}, {10, 10, 4}});
    const Bytes start = simMap();
    std::mt19937 random(20261208);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int i = 0; i < 100; ++i) {
        const int row = pick(0, kMapRowCount - 1), column = pick(0, kMapColumnCount - 1);
        select(row, column, pick(1, kMapRowCount - row), pick(1, kMapColumnCount - column));
        if (pick(0, 3) == 0) // now and then a second block: an L or a scattered selection
            model.selection().setSelected({pick(0, kMapRowCount - 1), pick(0, 4)}, true);
        Result result = Result::Sent;
        switch (pick(0, 6)) {
        case 0:
            result = editor.onMapAdd(pick(0, 60));
            break;
        case 1:
            result = editor.onMapSubb(pick(0, 60));
            break;
        case 2:
            result = editor.onMapSet(pick(-70, 70));
            break;
        case 3:
            result = editor.onMapClear();
            break;
        case 4:
            result = editor.incrementSelected(pick(0, 1) ? 1 : -1);
            break;
        case 5:
            result = editor.commitCellEdit({row, column}, std::to_string(pick(-60, 60)));
            break;
        default:
            select(row, column);
            result = editor.paste(std::to_string(pick(-50, 50)) + "\n");
            break;
        }
        ASSERT_EQ(result, Result::Sent) << "edit " << i;
    }
    expectGridEqualsController();
    const Bytes edited = simMap();
    int undone = 0;
    while (editor.canUndo()) {
        ASSERT_EQ(editor.undo(), Result::Sent) << "undo " << undone;
        ++undone;
    }
    // Edits that changed nothing are no steps; all the others come back.
    EXPECT_GE(undone, 90);
    EXPECT_EQ(simMap(), start);
    expectGridEqualsController();
    EXPECT_TRUE(prompt.messages.empty());

    while (editor.canRedo())
        ASSERT_EQ(editor.redo(), Result::Sent);
    EXPECT_EQ(simMap(), edited);
    expectGridEqualsController();
}

TEST_F(MapHistoryOnSim, anUndoRestoresWithTheFewestSetBlocksThenACommit) {
    controllerHolds({{2, 2, 5}, {2, 3, 5}, {3, 2, 5}, {3, 3, 5}, {2, 4, 9}});
    select(2, 2, 2, 3);
    ASSERT_EQ(editor.onMapClear(), Result::Sent);
    const std::size_t before = regions().size();
    const int commits = sim([](CSimController& c) { return c.commitCount(); });
    ASSERT_EQ(editor.undo(), Result::Sent);
    const std::vector<Bytes> all = regions();
    const std::vector<Bytes> sent(all.begin() + static_cast<long>(before), all.end());
    EXPECT_EQ(sent, (std::vector<Bytes>{{2, 2, 2, 2, 1, 105}, {2, 4, 1, 1, 1, 109}}));
    EXPECT_EQ(sim([](CSimController& c) { return c.commitCount(); }), commits + 1);
    EXPECT_EQ(model.cellText({2, 4}), "9%");
    EXPECT_TRUE(editor.canRedo());
}

TEST_F(MapHistoryOnSim, undoAfterTheMapChangedBehindOurBackDropsTheHistoryAndSendsNothing) {
    select(1, 1);
    ASSERT_EQ(editor.onMapSet(10), Result::Sent);
    sim([](CSimController& c) { c.setMapCell(7, 7, 33); }); // re-flashed, another tool, ...
    const std::size_t before = regions().size();
    EXPECT_EQ(editor.undo(), Result::Failed);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{kMsgMapChanged});
    EXPECT_EQ(regions().size(), before);
    EXPECT_FALSE(editor.canUndo());
    EXPECT_EQ(model.cellText({7, 7}), "33%");
    EXPECT_EQ(simCell(1, 1), 10);
    expectGridEqualsController();
}

TEST_F(MapHistoryOnSim, anUndoRefusedHalfWayIsReportedAndTheGridShowsTheController) {
    controllerHolds({{0, 0, 5}, {0, 1, 7}});
    select(0, 0, 1, 2);
    ASSERT_EQ(editor.onMapClear(), Result::Sent);
    // The first of the two restoring blocks is refused (the controller still
    // applies it), the second never goes out.
    server.faults().setAckResult(0, SimMatch::cmd(13), 3);
    EXPECT_EQ(editor.undo(), Result::Failed);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].rfind(kMsgMapWrite, 0), 0u);
    EXPECT_NE(prompt.messages[0].find(kMsgMapCellsNotWritten), std::string::npos);
    EXPECT_EQ(simCell(0, 0), 5);
    EXPECT_EQ(simCell(0, 1), 0);
    expectGridEqualsController();
    // The controller holds neither side of the step any more.
    EXPECT_FALSE(editor.canUndo());
    EXPECT_FALSE(editor.canRedo());
}

TEST_F(MapHistoryOnSim, aReconnectOrAWholeMapLoadDropsTheHistory) {
    select(1, 1);
    ASSERT_EQ(editor.onMapSet(10), Result::Sent);
    editor.documentShown(); // the page shown again, nothing else happened
    EXPECT_TRUE(editor.canUndo());

    device.settings().m_injMapTable[4][4] = 20; // a settings file loaded meanwhile
    editor.documentShown();
    EXPECT_FALSE(editor.canUndo());

    ASSERT_EQ(editor.onMapSet(11), Result::Sent);
    device.setConnected(false);
    editor.documentShown();
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(MapHistoryOnSim, smoothingShowsThePreviewAsksAndSendsOnlyWhatChanges) {
    controllerHolds({{5, 5, 45}, {5, 6, 9}});
    select(4, 4, 3, 3);
    bool previewed = false;
    prompt.answers = {false};
    EXPECT_EQ(editor.smooth([&] {
        previewed = true;
        EXPECT_EQ(model.cellText({5, 5}), "6%"); // (45 + 9) / 9
    }),
              Result::Cancelled);
    EXPECT_TRUE(previewed);
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0], std::string(kAskSmooth) + " 1");
    EXPECT_EQ(model.cellText({5, 5}), "45%");
    EXPECT_TRUE(regions().empty());

    EXPECT_EQ(editor.smooth({}), Result::Sent);
    EXPECT_EQ(regions(), (std::vector<Bytes>{{5, 5, 1, 1, 1, 106}}));
    EXPECT_EQ(simCell(5, 5), 6);
    EXPECT_EQ(simCell(5, 6), 9); // an edge cell of the block stays
    ASSERT_EQ(editor.undo(), Result::Sent);
    EXPECT_EQ(simCell(5, 5), 45);

    select(4, 4, 2, 5);
    EXPECT_EQ(editor.smooth({}), Result::Refused);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{kMsgSmoothSize});
}

TEST_F(MapHistoryOnSim, pasteChecksEverythingFirstAndSendsTheBlock) {
    const std::size_t asked = prompt.messages.size();
    select(17, 13);
    EXPECT_EQ(editor.paste("1\t2\r\n3\t-4%\r\n"), Result::Sent);
    EXPECT_EQ(simCell(17, 13), 1);
    EXPECT_EQ(simCell(18, 14), -4);
    EXPECT_EQ(prompt.messages.size(), asked);
    EXPECT_EQ(editor.copyText(), std::optional<std::string>("1\t2\n3\t-4\n"));

    const std::size_t sent = regions().size();
    const struct {
        std::string text;
        int row, column, rows, columns;
        std::string message;
    } bad[] = {
        {"1\t2\n3\t4\n", 18, 14, 1, 1, kMsgPasteShape}, // beyond the map
        {"1\t2\n3\t4\n", 0, 0, 3, 2, kMsgPasteShape},   // not the selection's shape
        {"1\t2\n3\n", 0, 0, 1, 1, kMsgPasteShape},      // ragged
        {"1\t60\n", 0, 0, 1, 1, kMsgPasteRange},        // out of range
        {"1\tabc\n", 0, 0, 1, 1, std::string(kMsgPasteNotNumber) + " \"abc\""},
        {"2.5\n", 0, 0, 1, 1, std::string(kMsgPasteNotNumber) + " \"2.5\""},
        {"", 0, 0, 1, 1, std::string(kMsgPasteNotNumber) + " \"\""},
    };
    for (const auto& b : bad) {
        prompt.messages.clear();
        select(b.row, b.column, b.rows, b.columns);
        EXPECT_EQ(editor.paste(b.text), Result::Refused) << b.text;
        EXPECT_EQ(prompt.messages, std::vector<std::string>{b.message}) << b.text;
    }
    EXPECT_EQ(regions().size(), sent);
    expectGridEqualsController();
}

} // namespace
} // namespace vexor::test
