#include "SimServer.h"
#include "app/AppOptions.h"
#include "app/ControlIds.h"
#include "app/DisplayDlg.h"
#include "app/DocumentAdapter.h"
#include "app/KorvantisApp.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "controls/ColorStatic.h"
#include "controls/Colors.h"
#include "controls/CtrlId.h"
#include "controls/LambdaBar.h"
#include "controls/ValueCmbBox.h"
#include "device/RSError.h"
#include "device/SerialPort.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "pages/AppPropSheet.h"
#include "pages/PanelGasPage.h"
#include "pages/PanelIds.h"
#include "platform/PortTable.h"
#include "support/RecordingPrompt.h"

#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <memory>

using namespace vexor;

namespace {

constexpr const char* kLost = "Połączenie ze sterownikiem utracone, trwa szukanie...";

// The real port, which can be told to fail its reads the way a pulled
// adapter does on some drivers: an error from the system call, and no line
// errors reported afterwards.
class CBreakablePort : public ISerialPort {
public:
    void open(int n) override { m_port.open(n); }
    bool close() override { return m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    int portNumber() const override { return m_port.portNumber(); }
    void configure() override { m_port.configure(); }
    int read(uint8_t* buffer, int count) override {
        if (broken)
            throw new CRSError(6, "read failed", __LINE__, __FILE__);
        return m_port.read(buffer, count);
    }
    int write(const uint8_t* buffer, int count) override {
        if (broken)
            throw new CRSError(6, "write failed", __LINE__, __FILE__);
        return m_port.write(buffer, count);
    }
    void purgeIn() override { m_port.purgeIn(); }
    void purgeOut() override { m_port.purgeOut(); }
    uint32_t clearCommError() override { return broken ? 0 : m_port.clearCommError(); }

    std::atomic<bool> broken{false};

private:
    CSerialPort m_port;
};

} // namespace

// The window program while the controller's link ends in each of the ways
// it can, and when the controller comes back: every part of the screen shows
// the same state, edits are refused plainly, and the link is found again.
class LostLinkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<CSimServer> m_server;
    CBreakablePort m_port;
    std::unique_ptr<CKorvantisDoc> m_doc;
    std::unique_ptr<CDocumentAdapter> m_adapter;
    std::unique_ptr<CKorvantisApp> m_app;
    CRecordingPrompt m_prompt;

    // returnAfter: the controller is powered off at a hang-up and answers
    // again this much later, on a fresh line behind the same path.
    void start(std::chrono::milliseconds returnAfter = std::chrono::milliseconds(1500)) {
        m_folders = std::make_unique<QTemporaryDir>();
        const std::string link = m_folders->filePath(QStringLiteral("line")).toStdString();
        m_server = std::make_unique<CSimServer>();
        m_server->setLink(link);
        m_server->setReturnAfterHangUp(returnAfter);
        m_server->start();
        setCurrentPortTable({link});
        m_doc = std::make_unique<CKorvantisDoc>(&m_port);
        m_doc->setConfigFolder(m_folders->filePath(QStringLiteral("config")).toStdString());
        m_doc->setDataFolder(m_folders->filePath(QStringLiteral("data")).toStdString());
        m_adapter = std::make_unique<CDocumentAdapter>(*m_doc);
        SAppOptions options;
        options.splash = false;
        options.cng = false;
        m_app = std::make_unique<CKorvantisApp>(options, *m_adapter);
        m_app->seams().prompt = &m_prompt;
        QVERIFY(m_app->initInstance(QSize(1280, 1024)));
        QTRY_VERIFY_WITH_TIMEOUT(!view()->isStale(), 10000);
        QVERIFY(status().startsWith(QStringLiteral("Połączono")));
    }

    CMainFrame* frame() const { return m_app->mainFrame(); }
    CKorvantisView* view() const { return frame()->view(); }
    QString status() const { return frame()->statusBar()->findChild<QLabel*>()->text(); }
    CColorStatic* field(int id) const { return findCtrl<CColorStatic>(view(), id); }
    static bool lambdaDark(const SValuePanel& panel) {
        return qobject_cast<CLambdaDisplay*>(panel.lambdaDisplays[0])->isDark();
    }

    // Everything the fitter looks at says the link is gone, and a page edit
    // is refused with the plain message and nothing sent.
    void expectLostEverywhere() {
        QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QString::fromUtf8(kLost)), 10000);
        QCOMPARE(m_doc->linkState(), LinkState::Lost);
        QVERIFY(view()->isStale());
        QCOMPARE(field(ids::kRpm)->textColor(), kRefStaleGrey);
        QVERIFY(lambdaDark(view()->valuePanel()));
        QCOMPARE(findCtrl<CColorStatic>(view(), 1162)->backgroundColor(), kRefStaleGrey);
        frame()->openDisplayDlg();
        QVERIFY(lambdaDark(frame()->displayDlg()->valuePanel()));
        QCOMPARE(frame()->displayDlg()->valuePanel().rpm->textColor(), kRefStaleGrey);
        frame()->displayDlg()->close();

        m_prompt.clear();
        CPanelGasPage gas;
        gas.attach(*m_adapter, m_app->seams());
        gas.activate();
        auto* pressure = findCtrl<CValueCmbBox>(&gas, panel_ids::kCmbPressRef);
        pressure->setCurrentIndex(pressure->currentIndex() + 1);
        emit pressure->activated(pressure->currentIndex());
        QCOMPARE(m_prompt.messages(), std::vector<std::string>{"Brak połączenia"});
    }

    void expectBack() {
        QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QStringLiteral("Połączono")), 20000);
        QCOMPARE(m_doc->linkState(), LinkState::Connected);
        QTRY_VERIFY_WITH_TIMEOUT(!view()->isStale(), 10000);
        QVERIFY(field(ids::kRpm)->textColor() != kRefStaleGrey);
        QVERIFY(!lambdaDark(view()->valuePanel()));
    }

private slots:
    void init() {
        setCurrentLanguage(kLangPolish);
        m_prompt.clear();
        m_port.broken = false;
        CLPGDevice::resetConnectionNotice();
    }

    void cleanup() {
        if (m_doc)
            m_doc->stopPolling();
        m_app.reset();
        m_adapter.reset();
        m_doc.reset();
        m_server.reset();
        m_folders.reset();
    }

    // The line drops in the middle of a live read; the controller is back a
    // little later.
    void aHangUpShowsLostAndTheReturnShowsConnected() {
        start();
        m_server->faults().setHangUpOnRequest(1, SimMatch::read(6));
        expectLostEverywhere();
        expectBack();
        QCOMPARE(m_server->returns(), 1);
    }

    // The controller stops answering but the line stays up: the program
    // says so before the polling run gives up, and the values come back
    // without a reconnection when it answers again.
    void silenceShowsLostAndAnswersShowConnectedAgain() {
        start();
        m_server->faults().setSilentFirst(1000000, SimMatch::read(6));
        expectLostEverywhere();
        m_server->faults().setSilentFirst(0);
        expectBack();
    }

    // The controller is switched off while connected and on again later.
    void aKilledControllerIsFoundAgainWhenItReturns() {
        start(std::chrono::milliseconds(4000));
        m_server->hangUp();
        expectLostEverywhere();
        expectBack();
    }

    // The port itself fails without line errors: the run ends without
    // arming a search of its own, and the program searches all the same.
    void aPortErrorWithoutLineErrorsIsStillSearchedFor() {
        start();
        m_port.broken = true;
        expectLostEverywhere();
        QTRY_VERIFY_WITH_TIMEOUT(frame()->timer1002().isActive(), 10000);
        m_port.broken = false;
        expectBack();
    }

#ifdef VEXOR_GUI_PATH
    // The window program itself lives through the controller going away
    // and polls it again once it is back.
    void theWindowProgramPollsAgainAfterTheControllerReturns() {
        m_folders = std::make_unique<QTemporaryDir>();
        const std::string link = m_folders->filePath(QStringLiteral("line")).toStdString();
        m_server = std::make_unique<CSimServer>();
        m_server->setLink(link);
        m_server->setReturnAfterHangUp(std::chrono::milliseconds(1500));
        m_server->start();
        QProcess vexor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        vexor.setProcessEnvironment(env);
        vexor.start(QStringLiteral(VEXOR_GUI_PATH),
                    {QStringLiteral("--port"), QString::fromStdString(link),
                     QStringLiteral("--no-system-ports"), QStringLiteral("--no-splash"),
                     QStringLiteral("--module"), QStringLiteral("lpg"),
                     QStringLiteral("--config-dir"), m_folders->filePath(QStringLiteral("c")),
                     QStringLiteral("--data-dir"), m_folders->filePath(QStringLiteral("d"))});
        QVERIFY(vexor.waitForStarted());
        const auto liveReads = [this] { return m_server->requestLog().count(SimMatch::read(6)); };
        QTRY_VERIFY_WITH_TIMEOUT(liveReads() > 2, 20000);
        m_server->hangUp();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->returns(), 1, 20000);
        const std::size_t before = liveReads();
        QTRY_VERIFY_WITH_TIMEOUT(liveReads() > before + 2, 30000);
        QCOMPARE(vexor.state(), QProcess::Running);
        vexor.terminate();
        QVERIFY(vexor.waitForFinished(20000));
    }
#endif
};

QTEST_MAIN(LostLinkTest)
#include "LostLinkTest.moc"
