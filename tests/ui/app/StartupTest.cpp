#include "../../support/Ser2net.h"
#include "SimServer.h"
#include "app/AppOptions.h"
#include "app/ControlIds.h"
#include "app/DocumentAdapter.h"
#include "app/KorvantisApp.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/PortRelease.h"
#include "app/SignalNotifier.h"
#include "app/WorkModeDlg.h"
#include "common/IError.h"
#include "controls/ColorStatic.h"
#include "controls/CtrlId.h"
#include "device/SerialPort.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "pages/AppPropPage.h"
#include "pages/AppPropSheet.h"
#include "platform/PortTable.h"
#include "support/RecordingPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <optional>

using namespace vexor;

// The window program's start-up, reconnect and view commands against the
// simulated controller on a pseudo-terminal (or against no controller).
class StartupTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CSimServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_port;
    std::unique_ptr<CKorvantisApp> m_app;
    CRecordingPrompt m_prompt;

    void serveSimulator(const SimConfig& config = {}) {
        m_server = std::make_unique<CSimServer>(config);
        m_server->start();
        setCurrentPortTable({m_server->slavePath()});
    }

    // cng: the answer to the module question; without one the question's
    // dialog is shown.
    void start(std::optional<bool> cng = false) {
        m_folders = std::make_unique<QTemporaryDir>();
        m_doc = std::make_unique<CKorvantisDoc>();
        m_doc->setConfigFolder(m_folders->filePath(QStringLiteral("config")).toStdString());
        m_doc->setDataFolder(m_folders->filePath(QStringLiteral("data")).toStdString());
        m_port = std::make_unique<CDocumentAdapter>(*m_doc);
        SAppOptions options;
        options.splash = false;
        options.cng = cng;
        m_app = std::make_unique<CKorvantisApp>(options, *m_port);
        m_app->seams().prompt = &m_prompt;
        QVERIFY(m_app->initInstance(QSize(1280, 1024)));
    }

    CMainFrame* frame() const { return m_app->mainFrame(); }
    CKorvantisView* view() const { return frame()->view(); }
    QString field(int id) const { return findCtrl<CColorStatic>(view(), id)->text(); }
    std::size_t requests(SimMatch match) const { return m_server->requestLog().count(match); }

    // Whether another program could open the simulator's port now: a port
    // left with its exclusive flag refuses every later open.
    static bool portOpensAgain() {
        CSerialPort probe;
        try {
            probe.open(1);
        } catch (IError* raw) {
            const std::unique_ptr<IError> error(raw);
            return false;
        }
        return true;
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_prompt.clear();
        m_prompt.onAsk({});
        CLPGDevice::resetConnectionNotice();
    }

    void cleanup() {
        // Polling ends before the frame whose timers it may arm goes, and the
        // frame before the document it calls.
        if (m_doc)
            m_doc->stopPolling();
        m_app.reset();
        m_port.reset();
        m_doc.reset();
        m_server.reset();
        m_folders.reset();
    }

    void startupOnTheSimulatorConnectsAndShowsLiveValues() {
        serveSimulator();
        start(false);
        QVERIFY(m_doc->isConnected());
        QVERIFY(!m_doc->isDemo());
        QVERIFY(m_prompt.entries().empty());
        QCOMPARE(frame()->windowTitle(), QStringLiteral("VEXOR v 2.8 LPG") + QString(15, ' '));
        QCOMPARE(frame()->geometry().size(), QSize(1024, 746));
        QCOMPARE(frame()->pos(), QPoint(0, 0));
        QVERIFY(frame()->timer1000().isActive());
        QCOMPARE(frame()->timer1000().interval(), 100);
        QVERIFY(!frame()->timer1002().isActive());
        QCOMPARE(view()->sheet()->count(), 8);
        QCOMPARE(view()->sheet()->tabText(0), QStringLiteral("Panel Petrol"));
        QTRY_VERIFY_WITH_TIMEOUT(!field(ids::kRpm).isEmpty(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!field(ids::kSupply).isEmpty(), 5000);
    }

    // The module question comes before the controller is touched, the pages
    // after the connection, the texts after the pages (their tab captions are
    // translated), and the window is shown last.
    void startUpRunsItsStepsInOrder() {
        serveSimulator();
        setCurrentLanguage(kLangEnglish);
        struct SAtQuestion {
            bool asked = false;
            std::size_t requests = 0;
            int pages = -1;
            bool frameShown = true;
        } atQuestion;
        QTimer::singleShot(0, [this, &atQuestion] {
            auto* question = qobject_cast<CWorkModeDlg*>(QApplication::activeModalWidget());
            QVERIFY(question);
            atQuestion.asked = true;
            atQuestion.requests = requests(SimMatch::any());
            atQuestion.pages = view()->sheet()->count();
            atQuestion.frameShown = frame()->isVisible();
            question->list()->setCurrentRow(1);
            question->accept();
        });
        start(std::nullopt);

        QVERIFY(atQuestion.asked);
        QCOMPARE(atQuestion.requests, size_t(0));
        QCOMPARE(atQuestion.pages, 0);
        QVERIFY(!atQuestion.frameShown);
        QVERIFY(m_doc->isConnected());
        QCOMPARE(frame()->windowTitle(), QStringLiteral("VEXOR v 2.8 CNG") + QString(15, ' '));
        QCOMPARE(view()->sheet()->count(), 8);
        QCOMPARE(view()->sheet()->tabText(0), QString::fromStdString(translate("Panel Petrol")));
        QCOMPARE(view()->sheet()->tabText(0), QStringLiteral("Petrol"));
        QVERIFY(frame()->timer1000().isActive());
        QVERIFY(frame()->isVisible());
        QCOMPARE(frame()->pos(), QPoint(0, 0));
    }

    void demonstrationQuestionComesAfterTheModuleTypeAndBeforeThePages() {
        setCurrentPortTable({});
        int pagesWhenAsked = -1;
        bool cngWhenAsked = false;
        m_prompt.onAsk([this, &pagesWhenAsked, &cngWhenAsked] {
            pagesWhenAsked = view()->sheet()->count();
            cngWhenAsked = m_doc->isCng();
        });
        m_prompt.scriptAnswer(false);
        start(true);
        QCOMPARE(pagesWhenAsked, 0);
        QVERIFY(cngWhenAsked);
        QCOMPARE(view()->sheet()->count(), 8);
        QVERIFY(frame()->timer1002().isActive());
    }

    void startupAsCngShowsItInTheTitle() {
        serveSimulator();
        start(true);
        QCOMPARE(frame()->windowTitle(), QStringLiteral("VEXOR v 2.8 CNG") + QString(15, ' '));
    }

    void noControllerAndYesRunsInDemonstrationMode() {
        setCurrentPortTable({});
        m_prompt.scriptAnswer(true);
        start(false);
        QCOMPARE(m_prompt.entries().size(), size_t(1));
        QVERIFY(m_prompt.entries().front().question);
        QCOMPARE(m_prompt.entries().front().text, translate(CKorvantisDoc::kMsgDemoQuestion));
        QVERIFY(m_doc->isDemo());
        QVERIFY(frame()->windowTitle().endsWith(QStringLiteral("     DEMO")));
        QVERIFY(frame()->timer1000().isActive());
        QVERIFY(!frame()->timer1002().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!field(ids::kRpm).isEmpty(), 5000);
    }

    void noControllerAndNoRetriesEveryFiveSecondsUntilOneAnswers() {
        setCurrentPortTable({});
        m_prompt.scriptAnswer(false);
        start(false);
        QVERIFY(!m_doc->isConnected());
        QVERIFY(frame()->timer1002().isActive());
        QCOMPARE(frame()->timer1002().interval(), 5000);
        QVERIFY(!frame()->timer1000().isActive());
        QCOMPARE(field(ids::kRpm), QString());
        // Nothing has been read: the shown page says so instead of values.
        CAppPropPage* page = view()->sheet()->activePage();
        QVERIFY(page->gated());

        frame()->onTimer1002();
        QVERIFY(frame()->timer1002().isActive());
        QVERIFY(!m_doc->isConnected());

        serveSimulator();
        frame()->onTimer1002();
        QVERIFY(m_doc->isConnected());
        QVERIFY(!frame()->timer1002().isActive());
        QVERIFY(frame()->timer1000().isActive());
        // The page shows the image the controller just gave, at once.
        QVERIFY(!page->gated());
        QTRY_VERIFY_WITH_TIMEOUT(!field(ids::kRpm).isEmpty(), 5000);
    }

    void fuelButtonsSendTheirSwitchAndARefusalShowsItsText() {
        serveSimulator();
        start(false);
        view()->OnBtnLpg();
        QCOMPARE(requests(SimMatch::read(1)), size_t(1));
        QCOMPARE(m_server->withController([](CSimController& c) { return c.fuelRequest(); }),
                 CSimController::FuelRequest::Gas);
        view()->OnBtnAuto();
        QCOMPARE(m_server->withController([](CSimController& c) { return c.fuelRequest(); }),
                 CSimController::FuelRequest::Auto);
        QVERIFY(m_prompt.entries().empty());

        m_server->faults().setWrongCommand(9, SimMatch::read(2));
        view()->OnBtnGasoline();
        QCOMPARE(m_prompt.messages(),
                 std::vector<std::string>{translate("Nie powiodło się przełączenie na benzynę!")});
    }

    void injectorMaskFollowsTheFirmwareVersionOnPetrol() {
        SimConfig old;
        old.version = 0x0204;
        serveSimulator(old);
        start(false);
        QTRY_VERIFY_WITH_TIMEOUT(!field(ids::kRpm).isEmpty(), 5000);
        auto* box = findCtrl<QCheckBox>(view(), ids::kInjectorChecks[1]);
        box->setChecked(!box->isChecked());
        view()->onTurnOffEm();
        QCOMPARE(requests(SimMatch::read(0x17)), size_t(0));

        m_server->withController([](CSimController& c) { c.setVersion(0x0208); });
        QVERIFY(m_doc->readDevInfo());
        for (size_t i = 0; i < 8; ++i)
            findCtrl<QCheckBox>(view(), ids::kInjectorChecks[i])->setChecked(i == 0 || i == 2);
        view()->onTurnOffEm();
        QCOMPARE(requests(SimMatch::read(0x17)), size_t(1));
        QCOMPARE(m_server->withController([](CSimController& c) { return c.injectorMask(); }),
                 std::uint8_t(0x05));
    }

    // While polling is stopped (as during a firmware update) the values shown
    // are marked as not live, on the view and in the status line, until
    // records come again.
    void valuesFrozenWithoutPollingAreMarkedStale() {
        serveSimulator();
        start(false);
        QTRY_VERIFY_WITH_TIMEOUT(!field(ids::kRpm).isEmpty(), 5000);
        QVERIFY(!view()->isStale());
        m_doc->stopPolling();
        view()->refreshLive();
        QVERIFY(view()->isStale());
        const auto status = [this] { return frame()->statusBar()->findChild<QLabel*>()->text(); };
        QVERIFY(status().contains(QStringLiteral("Wartości nieaktualne")));
        m_doc->startPolling();
        QTRY_VERIFY_WITH_TIMEOUT(!view()->isStale(), 5000);
        QVERIFY(!status().contains(QStringLiteral("Wartości nieaktualne")));
    }

    // The orderly way out while polling runs: the port is released although
    // the document (which owns the port) lives on until the process ends.
    void closingTheWindowReleasesThePortForTheNextStart() {
        serveSimulator();
        start(false);
        QTRY_VERIFY_WITH_TIMEOUT(requests(SimMatch::read(6)) > 0, 10000);
        QVERIFY(!portOpensAgain());
        frame()->close();
        releaseControllerPort(*m_doc);
        QVERIFY(!m_doc->pollingActive());
        QVERIFY(portOpensAgain());

        // The next start on the same controller connects.
        m_app.reset();
        m_port.reset();
        m_doc.reset();
        start(false);
        QVERIFY(m_doc->isConnected());
        QVERIFY(!m_doc->isDemo());
    }

    // A signal while the controller is being written does not cut the
    // operation: the program ends once it is over, and only a second signal
    // stops at once.
    void aSignalDuringAWriteWaitsForItAndASecondStopsAtOnce() {
        bool busy = true;
        std::vector<int> quits;
        std::vector<int> stops;
        CSignalNotifier notifier([&busy] { return busy; },
                                 [&stops](int code) { stops.push_back(code); },
                                 [&quits](int code) { quits.push_back(code); });
        notifier.handle(SIGINT);
        QVERIFY(notifier.ending());
        QTest::qWait(3 * 100);
        QVERIFY(quits.empty());
        busy = false;
        QTRY_COMPARE(quits, std::vector<int>{128 + SIGINT});
        QVERIFY(stops.empty());

        busy = true;
        CSignalNotifier twice([&busy] { return busy; },
                              [&stops](int code) { stops.push_back(code); },
                              [&quits](int code) { quits.push_back(code); });
        twice.handle(SIGTERM);
        twice.handle(SIGINT);
        QCOMPARE(stops, std::vector<int>{128 + SIGTERM});
        QCOMPARE(quits.size(), std::size_t(1));

        busy = false;
        CSignalNotifier idle([&busy] { return busy; }, {},
                             [&quits](int code) { quits.push_back(code); });
        idle.handle(SIGHUP);
        QCOMPARE(quits.back(), 128 + SIGHUP);
    }

    // An expert's start-up: the controller is behind ser2net on another
    // machine (here the loopback), named by its address like a device.
    void startupThroughANetworkPortConnectsPollsAndNamesTheAddress() {
        serveSimulator();
        QTemporaryDir folder;
        test::CSer2net ser2net;
        const std::string reason = ser2net.start(m_server->slavePath(), folder.path().toStdString(),
                                                 VEXOR_SOURCE_DIR "/packaging/ser2net-vexor.yaml");
        if (!reason.empty())
            QSKIP(reason.c_str());
        setCurrentPortTable({ser2net.rfc2217Address()});
        start();
        QVERIFY(m_doc->isConnected());
        QVERIFY(!m_doc->isDemo());
        QVERIFY(m_prompt.entries().empty());
        QCOMPARE(m_port->portName(), ser2net.rfc2217Address());
        const auto status = [this] { return frame()->statusBar()->findChild<QLabel*>()->text(); };
        QTRY_VERIFY(status().contains(QString::fromStdString(ser2net.rfc2217Address())));
        const std::size_t before = requests(SimMatch::read(6));
        QTRY_VERIFY_WITH_TIMEOUT(requests(SimMatch::read(6)) > before + 5, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!field(ids::kRpm).isEmpty(), 5000);
    }

#ifdef VEXOR_GUI_PATH
    // The window program itself, ended by each of the signals a terminal or
    // a session manager sends while it polls: it exits with 128 + the signal
    // and the port opens again.
    void aSignalEndsTheWindowProgramWithThePortReleased() {
        serveSimulator();
        QTemporaryDir folders;
        for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
            const std::size_t before = requests(SimMatch::read(6));
            QProcess vexor;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            vexor.setProcessEnvironment(env);
            vexor.start(QStringLiteral(VEXOR_GUI_PATH),
                        {QStringLiteral("--port"), QString::fromStdString(m_server->slavePath()),
                         QStringLiteral("--no-system-ports"), QStringLiteral("--no-splash"),
                         QStringLiteral("--module"), QStringLiteral("lpg"),
                         QStringLiteral("--config-dir"), folders.filePath(QStringLiteral("c")),
                         QStringLiteral("--data-dir"), folders.filePath(QStringLiteral("d"))});
            QVERIFY(vexor.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(requests(SimMatch::read(6)) > before + 2, 20000);
            QVERIFY(!portOpensAgain());
            ::kill(static_cast<pid_t>(vexor.processId()), signal);
            QVERIFY(vexor.waitForFinished(20000));
            QCOMPARE(vexor.exitStatus(), QProcess::NormalExit);
            QCOMPARE(vexor.exitCode(), 128 + signal);
            QVERIFY(portOpensAgain());
        }
    }
#endif
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
