#include "../../support/OnSimulator.h"
#include "SimServer.h"
#include "app/DocumentAdapter.h"
#include "controls/CtrlId.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "maps/ChartsDlg.h"
#include "maps/MapMessages.h"
#include "maps/MapPage.h"
#include "maps/MapPageDlg.h"
#include "maps/MapPageIds.h"
#include "maps/MultiplierChartWidget.h"
#include "maps/autocal/AutoCalTexts.h"
#include "maps/autocal/AutoCalibration.h"
#include "pages/AppPropSheet.h"
#include "platform/PortTable.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <memory>

using namespace vexor;
using namespace vexor::mapids;

// The calibration page and the charts window: without a controller, against
// the simulated controller, and in another language.
class CalibrationPageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    CRecordingPrompt m_prompt;
    Seams m_seams;

    // A connected document on the simulator, reducer warm or cold.
    void connect(bool warm = true) {
        m_server = std::make_unique<CSimServer>();
        m_server->start();
        m_server->withController([warm](CSimController& c) {
            c.engine().setNoise(false);
            c.engine().setReducerTemperatureRaw(warm ? 30 : 200);
        });
        m_doc = std::make_unique<CKorvantisDoc>();
        vexor::test::openSimulatorPort(*m_server, *m_doc);
        m_doc->setSeams(m_seams);
        QVERIFY(m_doc->readDevInfo());
        QVERIFY(m_doc->readBase());
        QVERIFY(m_doc->readSensorsSetup());
        QVERIFY(m_doc->readAdvancedSetup());
        QVERIFY(m_doc->readSetupTimes());
        QVERIFY(m_doc->readMainCorr());
        m_doc->setConnected(true);
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
    }

    // One live record into the history, as the polling thread would.
    void poll() {
        CDiag record;
        QCOMPARE(m_doc->readDiag(record), CLPGDevice::kDiagOk);
        m_doc->diagData().append(record);
    }

    std::size_t requests(SimMatch match = SimMatch::any()) const {
        return m_server->requestLog().count(match);
    }
    std::vector<uint8_t> setupTimesBlock() {
        return m_server->withController([](CSimController& c) { return c.block(7); });
    }

    template <class T> static T* ctrl(QWidget* root, int id) {
        T* found = findCtrl<T>(root, id);
        if (found == nullptr)
            qFatal("no control %d", id);
        return found;
    }
    static QString text(QWidget* root, int id) { return ctrl<QLabel>(root, id)->text(); }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_prompt.clear();
        m_seams = Seams{};
        m_seams.prompt = &m_prompt;
    }

    void cleanup() {
        m_port.reset();
        m_doc.reset();
        m_server.reset();
    }

    void withoutAControllerTheButtonsAreOffAndNothingIsSent() {
        CFakeDocument doc;
        doc.image.m_mainCorr.m_mainCorr[0] = 1.25;
        CMapPage page;
        page.attach(doc, m_seams);
        page.updatePage();
        for (int id : {kBtnCompute, kBtnClearLine, kBtnClearPetrol, kBtnClearGas})
            QVERIFY(!ctrl<QPushButton>(&page, id)->isEnabled());
        QCOMPARE(ctrl<QPushButton>(&page, kBtnCompute)->text(), QStringLiteral("Oblicz nastawy"));
        QCOMPARE(text(&page, kMainCorr), QStringLiteral("1.25"));
        QVERIFY(page.core() == nullptr);

        ctrl<QPushButton>(&page, kBtnAutoCal)->click();
        page.OnBtnCreate();
        page.OnBtnClearCorr();
        page.refreshLive();
        QTest::keyClick(page.chart(), Qt::Key_Up);
        QVERIFY(doc.sent.empty());
        QVERIFY(m_prompt.entries().empty());
        QVERIFY(!page.isCalibrating());
        QVERIFY(page.canLeave());
    }

    void textsFollowTheLanguageOnThePageAndTheChartsWindow() {
        CFakeDocument doc;
        setCurrentLanguage(kLangGerman);
        CChartsDlg dlg(doc, m_seams);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Diagramme"));
        CMapPageDlg* page = dlg.mapPage();
        QCOMPARE(ctrl<QPushButton>(page, kBtnClearPetrol)->text(),
                 QStringLiteral("Benzin löschen"));
        QCOMPARE(ctrl<QCheckBox>(page, kChkLock)->text(), QStringLiteral("Sperre"));
        QCOMPARE(text(page, kLblReducerTempr), QStringLiteral("Verdampfertemp."));
        QCOMPARE(dlg.sheet()->count(), 2);
        QCOMPARE(dlg.sheet()->tabText(1), QString::fromStdString(translate("Oscyloskop")));
        // Without a controller the window does not poll, and without OBD
        // values the group stays hidden and the chart takes its room.
        QVERIFY(!dlg.liveTimer().isActive());
        QVERIFY(!page->obdShown());
        QVERIFY(ctrl<QProgressBar>(page, kProgress)->isHidden());
        QCOMPARE(page->chart()->height(), 565);

        setCurrentLanguage(kLangPolish);
        page->updatePage();
        QCOMPARE(ctrl<QPushButton>(page, kBtnClearPetrol)->text(), QStringLiteral("Kasuj benzynę"));
    }

    void activationReadsBothMapsAndTheButtonsClearMapsAndLine() {
        connect();
        m_server->withController([](CSimController& c) {
            for (int i = 0; i < 15000; ++i)
                c.engine().addLoadSample(false, 5, 3.0);
            c.engine().addLoadSample(true, 5, 3.3);
        });
        CMapPage page;
        page.attach(*m_port, m_seams);
        QVERIFY(page.activate());
        QCOMPARE(text(&page, kPetrolFill), QStringLiteral("50 %"));
        QCOMPARE(text(&page, kGasFill), QStringLiteral("0 %"));
        QVERIFY(ctrl<QPushButton>(&page, kBtnCompute)->isEnabled());
        QVERIFY(!page.core()->chart().cloud().empty());

        // "Blokada" keeps the petrol map from being cleared.
        ctrl<QCheckBox>(&page, kChkLock)->setChecked(true);
        const std::size_t before = requests();
        ctrl<QPushButton>(&page, kBtnClearPetrol)->click();
        QCOMPARE(requests(), before);
        ctrl<QCheckBox>(&page, kChkLock)->setChecked(false);
        ctrl<QPushButton>(&page, kBtnClearPetrol)->click();
        QCOMPARE(text(&page, kPetrolFill), QStringLiteral("0 %"));

        m_doc->settings().m_setupTimes1.fill(9);
        ctrl<QPushButton>(&page, kBtnClearLine)->click();
        const auto cleared = setupTimesBlock();
        for (int k = 0; k < 40; ++k)
            QCOMPARE(int(cleared[k]), 100);
        QCOMPARE(page.core()->chart().factor(7), 1.0);
        QVERIFY(m_prompt.entries().empty());
    }

    void chartKeysWriteThePointAndTheWholeLineAndAFailureIsShown() {
        connect();
        m_doc->settings().m_setupTimes1.fill(0);
        QVERIFY(m_doc->writeSetupTimes());
        CMapPage page;
        page.attach(*m_port, m_seams);
        page.activate();
        QTest::keyClick(page.chart(), Qt::Key_Right);
        QTest::keyClick(page.chart(), Qt::Key_Up);
        QCOMPARE(int(setupTimesBlock()[1]), 101);
        QCOMPARE(m_doc->settings().m_tableMask, 0);
        QTest::keyClick(page.chart(), Qt::Key_PageDown);
        QCOMPARE(int(setupTimesBlock()[0]), 99);
        QCOMPARE(int(setupTimesBlock()[1]), 100);

        m_server->faults().setAckResult(0, SimMatch::cmd(7));
        QTest::keyClick(page.chart(), Qt::Key_PageUp);
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{kMsgLineWrite});
        // The document keeps what it was given: the line one higher again.
        QCOMPARE(m_doc->settings().m_setupTimes1[0], 0.0);
        QCOMPARE(m_doc->settings().m_setupTimes1[1], 1.0);
    }

    void liveRefreshShowsTimesAndSensorsOnTheChartsWindowsPage() {
        connect();
        poll();
        CChartsDlg dlg(*m_port, m_seams);
        QVERIFY(dlg.liveTimer().isActive());
        QCOMPARE(dlg.liveTimer().interval(), 100);
        dlg.OnTimer();
        CMapPageDlg* page = dlg.mapPage();
        QVERIFY(text(page, kPetrolTime).endsWith(QStringLiteral(" [ms]")));
        QVERIFY(text(page, kGasTime).endsWith(QStringLiteral(" [ms]")));
        QVERIFY(!text(page, kGasPressure).isEmpty());
        QVERIFY(!text(page, kReducerTempr).isEmpty());
        QVERIFY(text(page, kLambda1).contains(QLatin1Char('.')));
        QVERIFY(page->core()->chart().liveMarker().has_value());
    }

    void aColdReducerRefusesTheCalibration() {
        connect(false);
        poll();
        CMapPage page;
        page.attach(*m_port, m_seams);
        page.activate();
        ctrl<QPushButton>(&page, kBtnAutoCal)->click();
        QCOMPARE(m_prompt.messages(),
                 (std::vector<std::string>{autocal::reducerColdText(), autocal::kMsgWarmUp}));
        QVERIFY(!page.isCalibrating());
        QVERIFY(!page.calibrationTimer().isActive());
    }

    // While a run goes the page cannot be left, the tabs are off, the map
    // buttons do nothing and the window counts as busy; a stop ends it on
    // petrol with everything back and no message.
    void aRunningCalibrationLocksThePageUntilTheFitterStopsIt() {
        connect();
        poll();
        CAppPropSheet sheet;
        auto* page = new CMapPage;
        page->attach(*m_port, m_seams);
        sheet.addPage(page, QStringLiteral("Kalibracja"));
        sheet.addPage(new CAppPropPage("Mapa"), QStringLiteral("Mapa"));
        page->activate();
        auto* button = ctrl<QPushButton>(page, kBtnAutoCal);

        button->click();
        QVERIFY(page->isCalibrating());
        QVERIFY(page->calibrationTimer().isActive());
        QCOMPARE(page->calibrationTimer().interval(), 50);
        QCOMPARE(button->text(), QStringLiteral("Wyłącz kalibrację"));
        QVERIFY(!sheet.tabBar()->isEnabled());
        QVERIFY(!page->canLeave());
        const std::size_t linesBefore = requests(SimMatch::cmd(7));
        page->OnBtnClearCorr();
        QCOMPARE(requests(SimMatch::cmd(7)), linesBefore);

        m_prompt.clear();
        button->click();
        QTRY_VERIFY_WITH_TIMEOUT(!page->isCalibrating(), 5000);
        QVERIFY(!page->calibrationTimer().isActive());
        QCOMPARE(page->autoCalibration()->outcome(), CAutoCalibration::Outcome::Stopped);
        QCOMPARE(button->text(), QStringLiteral("Autokalibracja"));
        QVERIFY(sheet.tabBar()->isEnabled());
        QVERIFY(page->canLeave());
        QCOMPARE(ctrl<QProgressBar>(page, kProgress)->value(), 0);
        QVERIFY(m_prompt.messages().empty());
        const bool onPetrol = m_server->withController([](CSimController& c) {
            return c.fuelRequest() == CSimController::FuelRequest::Petrol;
        });
        QVERIFY(onPetrol);
    }

    void theChartsWindowStaysOpenWhileItsPageCalibrates() {
        CFakeDocument doc;
        CChartsDlg dlg(doc, m_seams);
        dlg.show();
        dlg.mapPage()->setCalibrating(true);
        dlg.reject();
        QVERIFY(dlg.isVisible());
        dlg.mapPage()->setCalibrating(false);
        dlg.reject();
        QVERIFY(!dlg.isVisible());
    }
};

QTEST_MAIN(CalibrationPageTest)
#include "CalibrationPageTest.moc"
