#include "../../support/OnSimulator.h"
#include "SimServer.h"
#include "app/DocumentAdapter.h"
#include "controls/CtrlId.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "maps/LivePoint.h"
#include "maps/MapCorrPage.h"
#include "maps/MapCorrPageCore.h"
#include "maps/MapCtrlIds.h"
#include "maps/MapGrid.h"
#include "maps/MapMenu.h"
#include "maps/MapMessages.h"
#include "maps/MapValueDlg.h"
#include "platform/PortTable.h"
#include "support/RecordingPrompt.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using namespace vexor;
using Bytes = std::vector<uint8_t>;

// The "Mapa" page and its grid against the simulated controller: what the
// mouse, the keys, the menu and the in-place editor send, what reaches the
// document, the failures, the password gate and the live point.
class MapTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    std::unique_ptr<CMapCorrPage> m_page;
    CRecordingPrompt m_prompt;
    Seams m_seams;
    // What the value dialogs answer; nothing is Cancel.
    std::optional<int> m_answer;
    std::vector<MapOp> m_asked;

    CMapGrid* grid() const { return m_page->grid(); }
    CInjMapModel& model() const { return grid()->model(); }

    QRect cellRect(SCellIndex cell) const { return grid()->cellRect(cell); }
    QPoint centre(int row, int column) const { return grid()->cellRect({row, column}).center(); }

    void selectBlock(int row, int column, int rows, int columns) {
        QTest::mousePress(grid(), Qt::LeftButton, {}, centre(row, column));
        QMouseEvent move(QEvent::MouseMove, centre(row + rows - 1, column + columns - 1),
                         grid()->mapToGlobal(centre(row + rows - 1, column + columns - 1)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid(), &move);
        QTest::mouseRelease(grid(), Qt::LeftButton, {},
                            centre(row + rows - 1, column + columns - 1));
    }

    std::vector<Bytes> sent(uint8_t command) const {
        std::vector<Bytes> out;
        for (const SimRequest& r : m_server->requestLog().requests(SimMatch::cmd(command)))
            out.push_back(r.payload);
        return out;
    }
    int simCell(int row, int column) const {
        return m_server->withController([=](CSimController& c) { return c.mapCell(row, column); });
    }
    void pushRecord(std::vector<uint16_t> petrolWords, uint16_t period) {
        CDiag record;
        for (size_t i = 0; i < petrolWords.size(); ++i)
            record.setPetrolWord(static_cast<int>(i), petrolWords[i]);
        record.setIgnitionPeriod(period);
        m_doc->diagData().append(record);
    }
    // Closes the modal dialog that shows up next, if any; says whether one did.
    std::shared_ptr<bool> rejectNextModal() {
        auto seen = std::make_shared<bool>(false);
        QTimer::singleShot(0, [seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                *seen = true;
                static_cast<QDialog*>(modal)->reject();
            }
        });
        return seen;
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_prompt.clear();
        m_asked.clear();
        m_answer = 5;
        m_server = std::make_unique<CSimServer>();
        m_server->start();
        m_doc = std::make_unique<CKorvantisDoc>();
        m_seams = Seams{};
        m_seams.prompt = &m_prompt;
        m_doc->setSeams(m_seams);
        vexor::test::openSimulatorPort(*m_server, *m_doc);
        m_doc->setConnected(true);
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        m_page = std::make_unique<CMapCorrPage>();
        m_page->attach(*m_port, m_seams);
        m_page->resize(700, 480);
        m_page->show();
        grid()->setValueAsker([this](MapOp op) {
            m_asked.push_back(op);
            return m_answer;
        });
    }

    void cleanup() {
        m_page.reset();
        m_port.reset();
        m_doc.reset();
        m_server.reset();
    }

    void withoutThePasswordThePageStaysEmptyAndItIsAskedOnlyUntilGiven() {
        auto asked = rejectNextModal();
        m_page->activate();
        QVERIFY(*asked);
        QVERIFY(!grid()->isVisible());
        // Escape leaves the grid greyed too: no key reaches the controller.
        QVERIFY(!grid()->isEnabled());
        model().selection().setSelected({1, 1}, true);
        QTest::keyClick(grid(), Qt::Key_Plus);
        QTest::keyClick(grid(), Qt::Key_PageUp);
        QVERIFY(sent(13).empty());
        // Asked again the next time, until the right password is given.
        asked = rejectNextModal();
        m_page->activate();
        QVERIFY(*asked);
        QVERIFY(!grid()->isEnabled());
        // The empty page says why, and offers the password.
        QVERIFY(m_page->gated());
        QCOMPARE(m_page->gateNote(),
                 QString::fromStdString(translate("Ta strona wymaga hasła serwisowego.")));
        auto* unlock = m_page->findChild<QPushButton*>(QStringLiteral("pageGateButton"));
        QVERIFY(unlock != nullptr && unlock->isVisible());

        m_port->grantServiceAccess();
        asked = rejectNextModal();
        m_page->activate();
        QVERIFY(!*asked);
        QVERIFY(grid()->isVisible());
        QVERIFY(grid()->isEnabled());
    }

    void activationShowsTheDocumentsMapAndLeavesTheGridUnmodified() {
        m_port->grantServiceAccess();
        m_doc->settings().m_injMapTable[2][3] = 12;
        m_doc->settings().m_injMapTable[18][14] = -7;
        model().setModified(true);
        m_page->activate();
        QCOMPARE(model().cellText({2, 3}), std::string("12%"));
        QCOMPARE(model().cellText({18, 14}), std::string("-7%"));
        QCOMPARE(model().cellText({0, 0}), std::string("0%"));
        QVERIFY(!model().modified());
    }

    void aDraggedBlockIsAddedToInTheGridTheControllerAndTheDocument() {
        m_port->grantServiceAccess();
        m_page->activate();
        selectBlock(3, 4, 2, 3);
        QCOMPARE(model().selection().count(), 6);
        grid()->onMapAdd();
        QCOMPARE(sent(13), (std::vector<Bytes>{{3, 4, 2, 3, 2, 5}}));
        QCOMPARE(simCell(4, 6), 5);
        QCOMPARE(m_doc->settings().m_injMapTable[4][6], 5.0);
        QCOMPARE(model().cellText({4, 6}), std::string("5%"));
        QVERIFY(model().modified());
        QVERIFY(m_prompt.entries().empty());
    }

    void pageKeysStepTheSelectionAndNeverSendANegativeAmount() {
        m_port->grantServiceAccess();
        m_page->activate();
        selectBlock(2, 2, 1, 2);
        m_answer = 50;
        grid()->onMapSet();
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_PageUp);
        QCOMPARE(model().cellValue({2, 3}), 50.0);
        QTest::keyClick(grid(), Qt::Key_PageDown);
        const auto regions = sent(13);
        QCOMPARE(regions.size(), size_t(3));
        QCOMPARE(regions[0], (Bytes{2, 2, 1, 2, 1, 150}));
        QCOMPARE(regions[1], (Bytes{2, 2, 1, 2, 2, 1}));
        QCOMPARE(regions[2], (Bytes{2, 2, 1, 2, 3, 1}));
        QCOMPARE(m_doc->settings().m_injMapTable[2][3], 49.0);
        QCOMPARE(simCell(2, 3), 49);
    }

    void withoutASelectionOrOnCancelNothingIsAskedOrSent() {
        m_port->grantServiceAccess();
        m_page->activate();
        grid()->onMapAdd();
        grid()->onMapClear();
        QVERIFY(m_asked.empty());
        selectBlock(1, 1, 1, 1);
        m_answer.reset();
        grid()->onMapSubb();
        QCOMPARE(m_asked, std::vector<MapOp>{MapOp::Subtract});
        QVERIFY(sent(13).empty());
        QVERIFY(!model().modified());
    }

    void aRefusedRegionIsReportedAndTheGridShowsWhatTheControllerHolds() {
        m_port->grantServiceAccess();
        m_page->activate();
        selectBlock(0, 0, 1, 1);
        // Refused yet applied: read back, the add is seen to have acted and
        // is not sent again, so the controller holds one add, not three.
        m_server->faults().setAckResult(0, SimMatch::cmd(13));
        grid()->onMapAdd();
        QCOMPARE(m_prompt.entries().size(), size_t(1));
        QVERIFY(m_prompt.messages().front().rfind(kMsgMapWrite, 0) == 0);
        QCOMPARE(m_prompt.entries().front().icon, IUserPrompt::Icon::Error);
        QCOMPARE(simCell(0, 0), 5);
        QCOMPARE(model().cellText({0, 0}), std::string("5%"));
        QCOMPARE(m_doc->settings().m_injMapTable[0][0], 5.0);
    }

    void withoutAControllerEditsAreRefusedBeforeAnyDialog() {
        m_port->grantServiceAccess();
        m_page->activate();
        m_doc->setConnected(false);
        selectBlock(5, 5, 1, 1);
        grid()->onMapAdd();
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_Plus);
        QVERIFY(m_asked.empty());
        QCOMPARE(m_prompt.messages(), std::vector<std::string>(2, kMsgNoConnection));
        QCOMPARE(model().cellText({5, 5}), std::string("0%"));
        QVERIFY(!model().modified());
        QVERIFY(sent(13).empty());
    }

    void theInPlaceEditorSendsOneCellKeptInRangeAndEscapeCancels() {
        m_port->grantServiceAccess();
        m_page->activate();
        QTest::mouseDClick(grid(), Qt::LeftButton, {}, centre(6, 7));
        QVERIFY(grid()->isEditing());
        QLineEdit* editor = grid()->cellEditor();
        QCOMPARE(ctrlId(editor), ids::kMapCellEditor);
        editor->setText(QStringLiteral("70"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!grid()->isEditing());
        QCOMPARE(model().cellText({6, 7}), std::string("50%"));
        QCOMPARE(sent(14).size(), size_t(1));
        QCOMPARE(sent(14).front()[0], uint8_t(6));
        QCOMPARE(sent(14).front()[1], uint8_t(7));
        QCOMPARE(m_doc->settings().m_injMapTable[6][7], 50.0);

        grid()->editCell({1, 1});
        editor->setText(QStringLiteral("9"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(model().cellText({1, 1}), std::string("0%"));
        QCOMPARE(sent(14).size(), size_t(1));

        // A negative value typed as such: nothing is stepped on the way.
        grid()->setFocus();
        const SCellIndex at = model().selection().cursor();
        QTest::keyClick(grid(), Qt::Key_Minus);
        QVERIFY(grid()->isEditing());
        QTest::keyClick(editor, Qt::Key_7);
        QCOMPARE(editor->text(), QStringLiteral("-7"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(model().cellText(at), std::string("-7%"));
        QCOMPARE(sent(14).size(), size_t(2));
        QVERIFY(sent(13).empty());
    }

    void theLivePointFollowsTheLongestPetrolTimeAndTheHalfMillisecondFlag() {
        m_port->grantServiceAccess();
        m_doc->settings().m_devInfo.m_injCount = 2;
        m_page->activate();
        m_page->refreshLive();
        QVERIFY(!model().markerShown());

        pushRecord({120, 200, 200}, 1600);
        m_page->refreshLive();
        QVERIFY(model().markerShown());
        QCOMPARE(model().livePoint(), (SCellIndex{4, 5}));

        m_doc->settings().m_corrMap.m_flags = kCorrMapHalfMs;
        m_page->refreshLive();
        QCOMPARE(model().livePoint(), (SCellIndex{9, 5}));

        m_doc->setConnected(false);
        pushRecord({40}, 1600);
        m_page->refreshLive();
        QCOMPARE(model().livePoint(), (SCellIndex{9, 5}));
    }

    void keysMoveTheCursorExtendTheSelectionEditAndUndoWithoutTheMouse() {
        m_port->grantServiceAccess();
        m_page->activate();
        QTest::mouseClick(grid(), Qt::LeftButton, {}, centre(2, 2));
        QTest::keyClick(grid(), Qt::Key_Right);
        QTest::keyClick(grid(), Qt::Key_Right);
        QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(model().selection().count(), 4);
        QVERIFY(model().selection().isSelected({3, 5}));
        QTest::keyClick(grid(), Qt::Key_Plus);
        QTest::keyClick(grid(), Qt::Key_Plus);
        QTest::keyClick(grid(), Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(sent(13),
                 (std::vector<Bytes>{{2, 4, 2, 2, 2, 1}, {2, 4, 2, 2, 2, 1}, {2, 4, 2, 2, 3, 1}}));
        QCOMPARE(simCell(3, 5), 1);

        // A digit opens the editor on the cursor cell with that digit.
        QTest::keyClick(grid(), Qt::Key_7);
        QVERIFY(grid()->isEditing());
        QCOMPARE(grid()->cellEditor()->text(), QStringLiteral("7"));
        QTest::keyClick(grid()->cellEditor(), Qt::Key_2);
        QTest::keyClick(grid()->cellEditor(), Qt::Key_Return);
        QCOMPARE(simCell(3, 5), 50);
        QCOMPARE(model().cellText({3, 5}), std::string("50%"));

        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(simCell(3, 5), 1);
        QCOMPARE(model().cellText({3, 5}), std::string("1%"));
        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(simCell(2, 4), 2);
        QTest::keyClick(grid(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(simCell(2, 4), 1);
        QCOMPARE(m_doc->settings().m_injMapTable[2][4], 1.0);
        QVERIFY(m_prompt.entries().empty());

        // Losing the controller ends the history at the next live refresh.
        QVERIFY(grid()->editor().canUndo());
        m_doc->setConnected(false);
        m_page->refreshLive();
        QVERIFY(!grid()->editor().canUndo());
    }

    void copyAndPasteGoThroughTheClipboardAsTabSeparatedText() {
        m_port->grantServiceAccess();
        m_server->withController([](CSimController& c) {
            c.setMapCell(0, 0, 3);
            c.setMapCell(1, 1, -4);
        });
        QVERIFY(m_doc->readInjMap());
        m_page->activate();
        selectBlock(0, 0, 2, 2);
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("3\t0\n0\t-4\n"));
        QTest::mouseClick(grid(), Qt::LeftButton, {}, centre(10, 10));
        QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(simCell(10, 10), 3);
        QCOMPARE(simCell(11, 11), -4);
        QCOMPARE(model().cellText({11, 11}), std::string("-4%"));

        QGuiApplication::clipboard()->setText(QStringLiteral("1\t99\n"));
        QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{kMsgPasteRange});
        QCOMPARE(simCell(10, 10), 3);
    }

    void smoothingFromTheMenuPreviewsInTheGridBeforeAskingAndWorksInDemoMode() {
        m_port->grantServiceAccess();
        m_doc->setDemo(true);
        m_doc->settings().m_injMapTable[5][5] = 36;
        m_page->activate();
        selectBlock(4, 4, 3, 3);
        std::string shown;
        m_prompt.onAsk([&] { shown = model().cellText({5, 5}); });
        m_prompt.scriptAnswer(true);
        std::unique_ptr<QMenu> menu(grid()->createMenu(nullptr));
        for (QAction* action : menu->actions())
            if (ctrlId(action) == ids::kCmdMapSmooth)
                action->trigger();
        QCOMPARE(shown, std::string("4%"));
        QCOMPARE(model().cellText({5, 5}), std::string("4%"));
        QCOMPARE(m_doc->settings().m_injMapTable[5][5], 4.0);
        QVERIFY(grid()->editor().canUndo());
        grid()->onMapUndo();
        QCOMPARE(m_doc->settings().m_injMapTable[5][5], 36.0);
        QVERIFY(sent(13).empty()); // demonstration: nothing on the wire
    }

    void theTrailFollowsTheEngineAndTheHeatOverlayShowsTheVisits() {
        m_port->grantServiceAccess();
        m_doc->settings().m_devInfo.m_injCount = 4;
        for (int r = 0; r < kMapRowCount; ++r)
            for (int c = 0; c < kMapColumnCount; ++c)
                m_doc->settings().m_injMapTable[r][c] = ((r * 7 + c * 3) % 21) - 10;
        m_page->activate();
        QVERIFY(m_page->core() != nullptr);
        auto now = CMapTrail::Clock::time_point{} + std::chrono::hours(1);
        m_page->core()->setClock([&now] { return now; });
        // An engine revving from idle to about 4 000 rpm and back, load rising.
        for (int i = 0; i < 400; ++i) {
            const double phase = i * 0.03;
            const double rpm = 2400 + 1600 * std::sin(phase);
            const auto period = static_cast<uint16_t>(4800000.0 / rpm);
            const auto petrol = static_cast<uint16_t>(160 + 120 * std::sin(phase * 0.7) + i % 3);
            pushRecord({petrol, petrol}, period);
            m_page->refreshLive();
            now += std::chrono::milliseconds(100);
        }
        const CMapTrail& trail = model().trail();
        // 30 s at 10 refreshes a second, both ends included.
        QCOMPARE(trail.points().size(), size_t(301));
        int visits = 0;
        for (int r = 0; r < kMapRowCount; ++r)
            for (int c = 0; c < kMapColumnCount; ++c)
                visits += trail.visits({r, c});
        QCOMPARE(visits, 400);
        QVERIFY(trail.visits(model().livePoint()) > 0);

        // The overlay tints the visited cells and leaves the others alone.
        const SCellIndex visited = model().livePoint();
        const SCellIndex never{18, 0};
        QCOMPARE(trail.visits(never), 0);
        const QPoint inVisited = cellRect(visited).bottomRight() - QPoint(3, 3);
        const QPoint inNever = cellRect(never).bottomRight() - QPoint(3, 3);
        const QImage plain = grid()->grab().toImage();
        std::unique_ptr<QMenu> menu(grid()->createMenu(nullptr));
        for (QAction* action : menu->actions())
            if (ctrlId(action) == ids::kCmdMapHeat)
                action->trigger();
        QVERIFY(grid()->heatShown());
        const QImage heat = grid()->grab().toImage();
        QVERIFY(plain.pixel(inVisited) != heat.pixel(inVisited));
        QCOMPARE(plain.pixel(inNever), heat.pixel(inNever));
        if (const QByteArray path = qgetenv("VEXOR_MAP_PICTURE"); !path.isEmpty())
            QVERIFY(grid()->grab().save(QString::fromLocal8Bit(path)));
    }

    void theMenuFollowsTheInterfaceLanguage() {
        m_port->grantServiceAccess();
        setCurrentLanguage(kLangGerman);
        m_page->updatePage();
        QCOMPARE(grid()->menuId(), 142);
        std::unique_ptr<QMenu> menu(grid()->createMenu(nullptr));
        const QList<QAction*> actions = menu->actions();
        QVERIFY(actions.size() > 5);
        QCOMPARE(actions[0]->text(), QStringLiteral("Hinzugeben"));
        QCOMPARE(ctrlId(actions[0]), kCmdMapAdd);
        QVERIFY(actions[3]->isSeparator());
        QCOMPARE(ctrlId(actions[4]), kCmdMapClear);
        // The grid's own commands follow, in the interface language.
        QVERIFY(actions[5]->isSeparator());
        QCOMPARE(ctrlId(actions[6]), ids::kCmdMapUndo);
        QCOMPARE(actions[6]->text(), QStringLiteral("Rückgängig"));
        QVERIFY(!actions[6]->isEnabled());
        QCOMPARE(m_page->windowTitle(), QStringLiteral("Kennfeld"));

        setCurrentLanguage(kLangThai);
        m_page->updatePage();
        QCOMPARE(grid()->menuId(), kMapMenuEnglish);
    }

    void addRefusesANegativeAmountAndCapsItAtFifty() {
        CMapAddDlg add(m_seams);
        QCOMPARE(add.edit()->text(), QStringLiteral("5"));
        add.edit()->setText(QStringLiteral("-3"));
        add.accept();
        QCOMPARE(add.result(), int(QDialog::Rejected));
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{kMsgPositiveNumber});
        add.edit()->setText(QStringLiteral("70"));
        add.accept();
        QCOMPARE(add.result(), int(QDialog::Accepted));
        QCOMPARE(add.value(), 50);

        CMapSetDlg set(m_seams);
        set.edit()->setText(QStringLiteral("-80"));
        set.accept();
        QCOMPARE(set.value(), -50);
    }

    void valueDialogsTakeTheirTextsInTheCurrentLanguage() {
        setCurrentLanguage(kLangEnglish);
        CMapSubbDlg subb(m_seams);
        QCOMPARE(subb.windowTitle(), QStringLiteral("Subtract..."));
        QCOMPARE(findCtrl<QLabel>(&subb, ids::kMapValueLabel)->text(), QStringLiteral("Subtract:"));
        setCurrentLanguage(kLangPolish);
        CMapSetDlg set(m_seams);
        QCOMPARE(set.windowTitle(), QString::fromUtf8("Ustaw..."));
        QCOMPARE(findCtrl<QLabel>(&set, ids::kMapValueLabel)->text(),
                 QString::fromUtf8("Ustaw wartość:"));
    }
};

QTEST_MAIN(MapTest)
#include "MapTest.moc"
