#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/ControlIds.h"
#include "app/DisplayDlg.h"
#include "app/IDocumentPort.h"
#include "app/KorvantisView.h"
#include "app/Mnemonics.h"
#include "app/OpenSettingsFile.h"
#include "app/QtTranslations.h"
#include "app/ToolBarIcons.h"
#include "app/WindowRules.h"
#include "common/IError.h"
#include "controls/CtrlId.h"
#include "diag/ErrorsDlg.h"
#include "diag/RecordingViewer.h"
#include "doc/KorvantisDoc.h"
#include "history/VehicleHistoryDlg.h"
#include "lang/Language.h"
#include "lang/Translate.h"
#include "maps/ChartsDlg.h"
#include "maps/InjSizeCalcDlg.h"
#include "maps/MainCorrDlg.h"
#include "pages/AppPropSheet.h"
#include "pages/PanelWrite.h"
#include "pages/ServiceDlg.h"
#include "pages/SettingsDlg.h"
#include "platform/WorkFolders.h"
#include "report/JobSheetDlg.h"
#include "texts/LangDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>

#include <memory>
#include <string>
#include <utility>

using namespace vexor;

namespace {

constexpr const char* kMsgSaveChanges = "Zapisać zmiany w pliku ustawień?";
constexpr const char* kMsgNoManual = "Instrukcja obsługi nie jest zainstalowana w folderze:";

QSize screenWorkArea(const QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

} // namespace

CMainFrame::CMainFrame(IDocumentPort& doc, const Seams& seams, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_seams(seams), m_frameTimers(&m_timer1002, &m_timer1000),
      m_urlOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    m_timer1000.setObjectName(QStringLiteral("timer1000"));
    m_timer1002.setObjectName(QStringLiteral("timer1002"));
    // One retry per arming: the tick stops it and arms it again on failure, so
    // a slow port search never queues up a second attempt.
    connect(&m_timer1000, &QTimer::timeout, this, &CMainFrame::onTimer1000);
    connect(&m_timer1002, &QTimer::timeout, this, &CMainFrame::onTimer1002);

    buildMenu();
    buildToolBar();
    // Ctrl+Tab and Ctrl+Shift+Tab walk the pages from anywhere in the window,
    // not only while the page set has the focus.
    auto* nextPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    nextPage->setObjectName(QStringLiteral("nextPage"));
    connect(nextPage, &QShortcut::activated, this, [this] { showNextPage(1); });
    auto* previousPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    previousPage->setObjectName(QStringLiteral("previousPage"));
    connect(previousPage, &QShortcut::activated, this, [this] { showNextPage(-1); });

    // The view lays itself out: the page set grows with the window and the
    // live values stay visible when it is small.
    m_view = new CKorvantisView(m_doc, m_seams, this);
    setCentralWidget(m_view);
    connect(m_view, &CKorvantisView::staleChanged, this, &CMainFrame::refreshStatus);

    m_status = new QLabel(this);
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(false);

    IDocumentPort::SHooks hooks;
    hooks.refresh = [this] {
        m_view->refreshTexts();
        refreshTexts();
        // The recording viewers are windows of their own, opened from here.
        for (CRecordingViewer* viewer : findChildren<CRecordingViewer*>())
            viewer->refreshTexts();
    };
    hooks.pageRefresh = [this] { m_view->refreshPage(); };
    hooks.title = [this](const std::string&) { refreshTitle(); };
    m_doc.setHooks(std::move(hooks));

    qApp->installEventFilter(this);
    refreshTitle();
}

CMainFrame::~CMainFrame() {
    m_doc.setHooks({});
    qApp->removeEventFilter(this);
    m_timer1000.stop();
    m_timer1002.stop();
}

void CMainFrame::buildMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Plik"));
    m_openFile = file->addAction(QString());
    m_openFile->setObjectName(QStringLiteral("openFile"));
    m_openFile->setShortcut(QKeySequence::Open);
    connect(m_openFile, &QAction::triggered, this, [this] {
        runBusyGuarded("CMainFrame::OnOpenFile()", [this] { openSettingsFile(m_doc, m_seams); });
    });
    m_saveFile = file->addAction(QStringLiteral("Zapisz"));
    m_saveFile->setObjectName(QStringLiteral("saveFile"));
    m_saveFile->setShortcut(QKeySequence::Save);
    connect(m_saveFile, &QAction::triggered, this, [this] { m_doc.saveFile(); });
    m_jobSheet = file->addAction(QString());
    m_jobSheet->setObjectName(QStringLiteral("jobSheet"));
    connect(m_jobSheet, &QAction::triggered, this, [this] {
        runBusyGuarded("CMainFrame::OnJobSheet()",
                       [this] { CJobSheetDlg::run(m_doc, m_seams, this); });
    });
    m_history = file->addAction(QString());
    m_history->setObjectName(QStringLiteral("vehicleHistory"));
    connect(m_history, &QAction::triggered, this, [this] {
        // The connected car's history; every car's without one.
        const bool car = m_doc.isConnected() && !m_doc.isDemo() && !m_doc.isOffline();
        CVehicleHistoryDlg dialog(m_doc.dataFolder(),
                                  car ? m_doc.settings().m_devInfo.m_serial : std::string(),
                                  m_seams, this);
        dialog.exec();
    });
    m_recordingViewer = file->addAction(QString());
    m_recordingViewer->setObjectName(QStringLiteral("recordingViewer"));
    connect(m_recordingViewer, &QAction::triggered, this, [this] {
        auto* viewer =
            new CRecordingViewer(m_seams, m_doc.folder(IDocumentPort::Folder::Recordings), this);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->resize(1000, 600);
        viewer->show();
        viewer->OnOpen();
    });
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("Wyjście"));
    setCtrlId(exit, ids::kCmdAppExit);
    // Ctrl+Q goes through closeEvent like the window's own close button, so
    // an edited settings file is asked about first.
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* about = menuBar()->addMenu(QStringLiteral("O programie"));
    m_manual = about->addAction(QString());
    m_manual->setObjectName(QStringLiteral("manual"));
    m_manual->setShortcut(QKeySequence(Qt::Key_F1));
    connect(m_manual, &QAction::triggered, this, &CMainFrame::OnManual);
    about->addSeparator();
    QAction* aboutItem = about->addAction(QStringLiteral("O programie VEXOR..."));
    setCtrlId(aboutItem, ids::kCmdAppAbout);
    connect(aboutItem, &QAction::triggered, this, &CMainFrame::OnAppAbout);
}

QAction* CMainFrame::addCommand(int id, bool enabled) {
    QAction* action = m_toolBar->addAction(toolBarIcon(id), QString());
    setCtrlId(action, id);
    action->setEnabled(enabled);
    m_commands[id] = action;
    return action;
}

void CMainFrame::buildToolBar() {
    m_toolBar = addToolBar(QStringLiteral("VEXOR"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolBar->setIconSize(QSize(32, 32));

    // The first five dialogs are refused while an automatic calibration runs:
    // they would talk to the controller in the middle of its measurements.
    connect(addCommand(ids::kCmdMainCorr, true), &QAction::triggered, this, [this] {
        runBusyGuarded("CMainFrame::OnMainCorr()", [this] {
            CMainCorrDlg::run(m_doc, m_seams, this);
            m_view->refreshTexts();
        });
    });
    connect(addCommand(ids::kCmdCharts, true), &QAction::triggered, this, [this] {
        runBusyGuarded("CMainFrame::OnCharts()", [this] {
            CChartsDlg dialog(m_doc, m_seams, this);
            dialog.exec();
        });
    });
    m_toolBar->addSeparator();
    connect(addCommand(ids::kCmdErrors, true), &QAction::triggered, this, [this] {
        runBusyGuarded("CMainFrame::OnErrors()", [this] {
            CErrorsDlg dialog(
                m_doc, m_seams, [this](bool faults) { m_view->setErrorIndicator(faults); }, this);
            dialog.exec();
        });
    });
    connect(addCommand(ids::kCmdService, true), &QAction::triggered, this, [this] {
        runBusyGuarded("CMainFrame::OnService()", [this] {
            CServiceDlg dialog(m_doc, m_seams, this);
            dialog.exec();
        });
    });
    connect(addCommand(ids::kCmdSettings, true), &QAction::triggered, this, [this] {
        runBusyGuarded("CMainFrame::OnSettings()", [this] {
            CSettingsDlg dialog(m_doc, m_seams, this);
            dialog.exec();
        });
    });
    connect(addCommand(ids::kCmdLanguage, true), &QAction::triggered, this,
            &CMainFrame::OnLanguage);
    connect(addCommand(ids::kCmdInjSize, true), &QAction::triggered, this, [this] {
        runGuarded("CMainFrame::OnInjSize()", [this] {
            const int injectors = m_doc.isConnected() ? m_doc.settings().m_devInfo.m_injCount : 0;
            CInjSizeCalcDlg dialog(m_doc.isCng(), injectors, this);
            dialog.exec();
        });
    });
    m_toolBar->addSeparator();
    connect(addCommand(ids::kCmdHelp, true), &QAction::triggered, this, &CMainFrame::OnHelp);
    connect(addCommand(ids::kCmdAppAbout, true), &QAction::triggered, this,
            &CMainFrame::OnAppAbout);
    for (QAction* action : m_toolBar->actions()) {
        if (QWidget* button = m_toolBar->widgetForAction(action); button && !action->isSeparator())
            button->setMinimumSize(70, 55);
    }
}

QAction* CMainFrame::command(int id) const {
    const auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::refreshTexts() {
    m_menuTexts.apply(menuBar());
    for (const auto& [id, action] : m_commands) {
        if (!m_toolBarTexts.contains(id))
            continue;
        const QString text = m_toolBarTexts.qtext(id);
        action->setText(text);
        action->setToolTip(text);
    }
    m_toolBar->update();
    refreshTitle();
    refreshStatus();
}

void CMainFrame::refreshTitle() {
    // Saving belongs to a settings file open for editing.
    m_saveFile->setEnabled(m_doc.isOffline());
    m_saveFile->setText(QString::fromStdString(vexor::translate("Zapisz")));
    m_openFile->setText(QString::fromStdString(vexor::translate("Otwórz plik ustawień…")));
    m_manual->setText(QString::fromStdString(vexor::translate("Instrukcja obsługi")));
    m_jobSheet->setText(QString::fromStdString(vexor::translate("Karta zlecenia...")));
    m_history->setText(QString::fromStdString(vexor::translate("Historia pojazdu...")));
    m_recordingViewer->setText(QString::fromStdString(vexor::translate("Przeglądarka zapisu")));
    assignMnemonics(menuBar());
    const QString title = QString::fromStdString(m_doc.title());
    if (title != windowTitle())
        setWindowTitle(title);
}

void CMainFrame::refreshStatus() {
    QString text;
    const LinkState state = m_doc.linkState();
    switch (state) {
    case LinkState::Connected:
        text = m_statusTexts.qtext(CStatusTexts::Connected)
                   .arg(QString::fromStdString(m_doc.portName()));
        break;
    case LinkState::Demo:
        text = m_statusTexts.qtext(CStatusTexts::Demo);
        break;
    case LinkState::Lost:
        text = m_statusTexts.qtext(CStatusTexts::Lost);
        break;
    case LinkState::NotConnected:
    case LinkState::OfflineFile:
        text = m_statusTexts.qtext(CStatusTexts::NotConnected);
        break;
    }
    if (linkLive(state)) {
        text += QStringLiteral("   |   ");
        text += m_statusTexts.qtext(m_view->errorsPresent() ? CStatusTexts::Faults
                                                            : CStatusTexts::NoFaults);
        if (m_view->isStale()) {
            text += QStringLiteral("   |   ");
            text += m_statusTexts.qtext(CStatusTexts::Stale);
        }
    }
    if (text != m_status->text())
        m_status->setText(text);
}

void CMainFrame::changeLanguage(int index) {
    m_doc.changeLanguage(index);
    CQtTranslations::apply(vexor::currentLanguage());
}

void CMainFrame::onTimer1000() {
    if (m_view == nullptr)
        return;
    try {
        watchLink();
        m_view->refreshLive();
        if (--m_errorTicks <= 0) {
            m_errorTicks = kTicksPerErrorRead;
            std::string description;
            if (m_doc.isConnected() && m_doc.readErrorText(description))
                m_view->setErrorIndicator(!description.empty());
        }
        m_view->setConnectionState(m_doc.isConnected());
        refreshTitle();
        refreshStatus();
    } catch (IError* raw) {
        const std::unique_ptr<IError> swallowed(raw);
    }
}

void CMainFrame::watchLink() {
    // A run that ended on a port failure without line errors arms no search
    // of its own: a lost link is always searched for, once the polling
    // thread has let go of the port.
    if (m_doc.watchLinkLost() && !m_timer1002.isActive())
        m_timer1002.start(static_cast<int>(CKorvantisDoc::kReconnectFirst.count()));
}

void CMainFrame::onTimer1002() {
    m_timer1002.stop();
    bool connected = false;
    try {
        connected = m_doc.reconnect();
    } catch (IError* raw) {
        const std::unique_ptr<IError> swallowed(raw);
        connected = false;
    }
    if (!connected)
        m_timer1002.start(kReconnectPeriodMs);
    else
        // The image was read anew: the shown page must show it, and drop a
        // "not read" note it had while no controller answered.
        m_view->refreshTexts();
    refreshTitle();
    refreshStatus();
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnHelp() {
    // The fitter's own documents: the package's folder is read-only.
    const CWorkFolders folders(m_doc.dataFolder());
    m_urlOpener(QUrl::fromLocalFile(QString::fromStdString(folders.userDocumentsFolder())));
}

void CMainFrame::OnManual() {
    const std::string page = CWorkFolders::manualPage(vexor::currentLanguage());
    if (page.empty()) {
        m_seams.message(vexor::translate(kMsgNoManual) + "\n" + CWorkFolders::manualFolder(),
                        IUserPrompt::Icon::Warning);
        return;
    }
    m_urlOpener(QUrl::fromLocalFile(QString::fromStdString(page)));
}

void CMainFrame::showNextPage(int step) {
    QTabWidget* sheet = m_view != nullptr ? m_view->sheet() : nullptr;
    if (sheet == nullptr || sheet->count() == 0)
        return;
    // Disabled pages are passed over; the sheet itself asks the shown page
    // whether it may be left.
    const int count = sheet->count();
    for (int i = 1; i < count; ++i) {
        const int index = ((sheet->currentIndex() + step * i) % count + count) % count;
        if (sheet->isTabEnabled(index) && sheet->isTabVisible(index)) {
            sheet->setCurrentIndex(index);
            return;
        }
    }
}

template <class F> void CMainFrame::runGuarded(const char* handler, F&& body) {
    vexor::runPanelHandler(m_seams, handler, std::forward<F>(body));
}

template <class F> void CMainFrame::runBusyGuarded(const char* handler, F&& body) {
    if (m_view != nullptr && m_view->isBusy())
        return;
    runGuarded(handler, std::forward<F>(body));
}

void CMainFrame::OnLanguage() {
    try {
        CLangDlg dialog(this);
        if (dialog.exec() == QDialog::Accepted)
            changeLanguage(dialog.selectedLanguage());
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        m_seams.message("CMainFrame::OnLanguage()\n" + vexor::translate(error->description()),
                        IUserPrompt::Icon::Error);
    }
}

CDisplayDlg* CMainFrame::displayDlg() const {
    return m_displayDlg.data();
}

void CMainFrame::openDisplayDlg() {
    if (m_displayDlg)
        return;
    auto* dialog = new CDisplayDlg(m_doc, screenWorkArea(this), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_view, &CKorvantisView::lambdaTypeChanged, dialog, &CDisplayDlg::setLambdaType);
    m_displayDlg = dialog;
    dialog->open();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if ((m_view != nullptr && m_view->isBusy()) || !mayDiscardFile()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool CMainFrame::mayDiscardFile() {
    if (!m_doc.isOffline() || !m_doc.fileModified())
        return true;
    // Save, discard or stay, in one question: a change is thrown away only
    // on an explicit Discard.
    switch (m_seams.askSave(vexor::translate(kMsgSaveChanges))) {
    case IUserPrompt::SaveAnswer::Save:
        return m_doc.saveFile();
    case IUserPrompt::SaveAnswer::Discard:
        return true;
    case IUserPrompt::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !m_displayDlg) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && !key->isAutoRepeat()) {
            openDisplayDlg();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
