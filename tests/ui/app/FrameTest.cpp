#include "app/ControlIds.h"
#include "app/DisplayDlg.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/ValuePanel.h"
#include "app/WindowRules.h"
#include "controls/CtrlId.h"
#include "maps/ChartsDlg.h"
#include "maps/InjSizeCalcDlg.h"
#include "maps/MapPage.h"
#include "pages/AppPropSheet.h"
#include "platform/WorkFolders.h"
#include "support/FakeDocument.h"
#include "support/RecordingPrompt.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <memory>
#include <thread>

using namespace vexor;

class FrameTest : public QObject {
    Q_OBJECT

private:
    CFakeDocument m_doc;
    CRecordingPrompt m_prompt;
    Seams m_seams;
    std::unique_ptr<CMainFrame> m_frame;

private slots:
    void init() {
        m_doc = CFakeDocument();
        m_prompt.clear();
        m_seams = Seams();
        m_seams.prompt = &m_prompt;
        m_frame = std::make_unique<CMainFrame>(m_doc, m_seams);
        m_seams.timers = &m_frame->frameTimers();
        m_doc.setSeams(m_seams);
        m_frame->view()->createPages();
    }
    void cleanup() { m_frame.reset(); }

    void titleFollowsTheDocumentWhenItsHookFires() {
        m_doc.image.m_devInfo.m_version = 0x0209;
        m_doc.cng = true;
        m_doc.hooks.title(m_doc.title());
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("VEXOR v 2.9 CNG") + QString(15, ' '));
        m_doc.cng = false;
        m_doc.demo = true;
        m_doc.hooks.title(m_doc.title());
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("VEXOR v 2.9 LPG     DEMO"));
    }

    void windowRectIsTheWorkAreaCutTo1024By746AtTheOrigin() {
        QCOMPARE(mainWindowRect(QSize(1280, 1024)), QRect(0, 0, 1024, 746));
        QCOMPARE(mainWindowRect(QSize(800, 570)), QRect(0, 0, 800, 570));
        QCOMPARE(mainWindowRect(QSize(1920, 700)), QRect(0, 0, 1024, 700));
        QCOMPARE(mainWindowRect(QSize()), QRect(0, 0, 1024, 746));
    }

    void displayTickReadsTheFaultBytesOnEveryTwentiethTickOnly() {
        m_doc.connected = true;
        m_doc.errorText = "Błąd czujnika";
        for (int i = 0; i < 19; ++i)
            m_frame->onTimer1000();
        QVERIFY(m_doc.sent.empty());
        QVERIFY(!m_frame->view()->errorsPresent());
        m_frame->onTimer1000();
        QCOMPARE(m_doc.sent, std::vector<std::string>{"readErrors"});
        QVERIFY(m_frame->view()->errorsPresent());

        m_doc.errorText.clear();
        for (int i = 0; i < 20; ++i)
            m_frame->onTimer1000();
        QCOMPARE(m_doc.sent.size(), size_t(2));
        QVERIFY(!m_frame->view()->errorsPresent());
    }

    void displayTickSwallowsAPortErrorWithoutAMessage() {
        m_doc.connected = true;
        m_doc.throwCode = 3;
        for (int i = 0; i < 20; ++i)
            m_frame->onTimer1000();
        QCOMPARE(m_doc.sent.size(), size_t(1));
        QVERIFY(m_prompt.entries().empty());
        for (int i = 0; i < 20; ++i)
            m_frame->onTimer1000();
        QCOMPARE(m_doc.sent.size(), size_t(2));
    }

    void reconnectTickRearmsAfterAFailureAndStartsPollingAfterSuccess() {
        m_doc.reconnectResult = false;
        m_frame->onTimer1002();
        QVERIFY(m_frame->timer1002().isActive());
        QCOMPARE(m_frame->timer1002().interval(), 5000);
        QCOMPARE(m_doc.polling, 0);

        m_doc.reconnectResult = true;
        m_frame->onTimer1002();
        QVERIFY(!m_frame->timer1002().isActive());
        QCOMPARE(m_doc.polling, 1);
        QVERIFY(m_frame->timer1000().isActive());
        QCOMPARE(m_frame->timer1000().interval(), 100);
        QCOMPARE(m_doc.sent, (std::vector<std::string>{"reconnect", "reconnect"}));
    }

    void reconnectArmedByThePollingThreadStartsOnTheWindowThread() {
        QVERIFY(!m_frame->timer1002().isActive());
        std::thread poller([this] { m_frame->frameTimers().armReconnect(); });
        poller.join();
        QTRY_VERIFY(m_frame->timer1002().isActive());
        QCOMPARE(m_frame->timer1002().interval(), 1000);
    }

    void closingIsRefusedWhileTheCalibrationRuns() {
        m_frame->show();
        m_frame->view()->mapPage()->setCalibrating(true);
        QVERIFY(!m_frame->close());
        QVERIFY(m_frame->isVisible());
        m_frame->view()->mapPage()->setCalibrating(false);
        QVERIFY(m_frame->close());
    }

    void f10OpensOneLiveDisplayAndF10InsideItClosesIt() {
        m_frame->show();
        QTest::keyClick(m_frame.get(), Qt::Key_F10);
        QPointer<CDisplayDlg> first = m_frame->displayDlg();
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QTest::keyClick(m_frame.get(), Qt::Key_F10);
        QCOMPARE(m_frame->displayDlg(), first.data());
        QCOMPARE(m_frame->findChildren<CDisplayDlg*>().size(), 1);

        QTest::keyClick(first.data(), Qt::Key_F10);
        QTRY_VERIFY(!first);
        QVERIFY(m_frame->displayDlg() == nullptr);
    }

    void toolbarHasNineWorkingButtons() {
        int buttons = 0;
        for (QAction* action : m_frame->toolBar()->actions())
            buttons += action->isSeparator() ? 0 : 1;
        QCOMPARE(buttons, 9);
        for (int id : {ids::kCmdMainCorr, ids::kCmdCharts, ids::kCmdErrors, ids::kCmdService,
                       ids::kCmdSettings, ids::kCmdInjSize, ids::kCmdLanguage, ids::kCmdHelp,
                       ids::kCmdAppAbout})
            QVERIFY(m_frame->command(id)->isEnabled());
    }

    void busyGuardedCommandsOpenNoDialogWhileACalibrationRuns() {
        // Any dialog that does open is closed again at once and counted.
        int opened = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++opened;
                modal->close();
            }
        });
        closer.start(20);
        m_frame->view()->mapPage()->setCalibrating(true);
        for (int id : {ids::kCmdMainCorr, ids::kCmdCharts, ids::kCmdErrors, ids::kCmdService,
                       ids::kCmdSettings})
            m_frame->command(id)->trigger();
        QCOMPARE(opened, 0);
        m_frame->view()->mapPage()->setCalibrating(false);
        m_frame->command(ids::kCmdSettings)->trigger();
        QCOMPARE(opened, 1);
    }

    // The page set takes the space the window gives it; the live values keep
    // their size at the right and stay in view however small the window.
    void theWindowGrowsThePagesAndKeepsTheLiveValuesInView() {
        CKorvantisView* view = m_frame->view();
        const auto panelInWindow = [this, view] {
            QWidget* host = view->valuePanelHost();
            return QRect(host->mapTo(m_frame.get(), QPoint(0, 0)), host->size());
        };
        const auto sheetInWindow = [this, view] {
            return QRect(view->sheet()->mapTo(m_frame.get(), QPoint(0, 0)), view->sheet()->size());
        };
        m_frame->resize(1024, 746);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        QTRY_VERIFY(view->sheet()->width() >= CKorvantisView::kSheetMinWidth);
        const QSize atDefault = view->sheet()->size();
        QVERIFY(atDefault.height() >= CKorvantisView::kSheetMinHeight);
        QVERIFY(panelInWindow().left() > sheetInWindow().right());
        QVERIFY(panelInWindow().right() < m_frame->width());

        m_frame->resize(1600, 1000);
        QTRY_VERIFY(view->sheet()->width() > atDefault.width() + 500);
        QVERIFY(view->sheet()->height() > atDefault.height() + 200);
        QCOMPARE(view->valuePanelHost()->size(), QSize(kValuePanelWidth, kValuePanelHeight));
        QVERIFY(panelInWindow().right() < m_frame->width());

        m_frame->resize(640, 480);
        QTRY_VERIFY(m_frame->width() == 640);
        QTRY_VERIFY(panelInWindow().right() < m_frame->width());
        QVERIFY(panelInWindow().left() > 0);
        QTRY_VERIFY(view->pageScroller()->horizontalScrollBar()->isVisible());
        QVERIFY(view->valuePanelHost()->isVisible());
    }

    // The charts window gives its pages the room it has, and scrolls only
    // below the size they are designed for.
    void theChartsWindowGrowsItsPages() {
        CChartsDlg charts(m_doc, m_seams);
        charts.resize(1400, 1000);
        charts.show();
        QVERIFY(QTest::qWaitForWindowExposed(&charts));
        QTRY_VERIFY(charts.sheet()->width() > CChartsDlg::kAreaWidth + 300);
        QVERIFY(charts.sheet()->height() > CChartsDlg::kAreaHeight + 200);
        charts.resize(700, 500);
        QTRY_VERIFY(charts.scrollArea()->horizontalScrollBar()->isVisible());
        QVERIFY(charts.sheet()->width() >= CChartsDlg::kAreaWidth - 10);
    }

    // The calculator asks about the engine on the bench: it starts at the
    // controller's injector count, and at the list's start without one.
    void nozzleCalculatorStartsAtTheControllersInjectorCount() {
        std::vector<int> shown;
        QTimer reader;
        QObject::connect(&reader, &QTimer::timeout, [&shown] {
            if (auto* dialog = qobject_cast<CInjSizeCalcDlg*>(QApplication::activeModalWidget())) {
                shown.push_back(dialog->cylinders()->currentData().toInt());
                dialog->close();
            }
        });
        reader.start(20);
        m_doc.connected = true;
        m_doc.image.m_devInfo.m_injCount = 6;
        m_frame->command(ids::kCmdInjSize)->trigger();
        m_doc.connected = false;
        m_frame->command(ids::kCmdInjSize)->trigger();
        QCOMPARE(shown, (std::vector<int>{6, 3}));
    }

    // The package's documents folder is read-only: the toolbar opens the
    // fitter's own folder in the data folder, made on first use.
    void documentsButtonOpensTheFittersOwnDocumentsFolder() {
        QTemporaryDir data;
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QList<QUrl> opened;
        m_frame->setUrlOpener([&opened](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
        m_frame->command(ids::kCmdHelp)->trigger();
        qputenv("XDG_DATA_HOME", oldData);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.front().toLocalFile(), data.path() + QStringLiteral("/VEXOR/documents/"));
        QVERIFY(QFileInfo(opened.front().toLocalFile()).isDir());
    }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
