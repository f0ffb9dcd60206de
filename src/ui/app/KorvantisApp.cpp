#include "app/KorvantisApp.h"

#include "app/IDocumentPort.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/OpenSettingsFile.h"
#include "app/SplashDlg.h"
#include "app/WindowRules.h"
#include "app/WorkModeDlg.h"
#include "common/IError.h"
#include "doc/KorvantisDoc.h"
#include "lang/Translate.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
constexpr const char* kMsgCannotOpen = "Nie można otworzyć pliku.";
constexpr const char* kMsgOfferFile = "Otworzyć plik ustawień do edycji bez sterownika?";
} // namespace

CKorvantisApp::CKorvantisApp(const vexor::SAppOptions& options, IDocumentPort& doc)
    : m_options(options), m_doc(doc) {
    m_seams.prompt = &m_prompt;
    m_seams.pump = &m_pump;
    m_seams.chooser = &m_chooser;
    m_seams.cursor = &m_cursor;
}

CKorvantisApp::~CKorvantisApp() = default;

void CKorvantisApp::offerSettingsFile() {
    // Without a controller (and without the demonstration), a settings file
    // can still be edited; the default answer leaves the program as it was.
    if (m_seams.ask(vexor::translate(kMsgOfferFile), false))
        vexor::openSettingsFile(m_doc, m_seams);
}

bool CKorvantisApp::initInstance() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return initInstance(screen ? screen->availableGeometry().size() : QSize());
}

bool CKorvantisApp::initInstance(const QSize& workArea) {
    m_frame = std::make_unique<CMainFrame>(m_doc, m_seams);
    m_prompt.setParent(m_frame.get());
    m_chooser.setParent(m_frame.get());
    m_seams.timers = &m_frame->frameTimers();
    m_doc.setSeams(m_seams);
    CKorvantisView* view = m_frame->view();

    // A file that cannot be read starts nothing: an empty window would look
    // like a file of default values.
    if (!m_options.offlineFile.empty()) {
        std::string problem;
        if (!m_doc.openFile(m_options.offlineFile, problem)) {
            m_seams.message(vexor::translate(kMsgCannotOpen) + "\n" + m_options.offlineFile + "\n" +
                                problem,
                            IUserPrompt::Icon::Error);
            return false;
        }
    }

    if (m_options.splash) {
        CSplashDlg splash;
        splash.showFor(CSplashDlg::kShowMs);
    }

    if (m_options.cng) {
        m_doc.setCng(*m_options.cng);
    } else {
        CWorkModeDlg question;
        if (question.exec() == QDialog::Accepted)
            m_doc.setCng(question.cngChosen());
    }

    try {
        m_doc.connectAtStart();
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        m_seams.message("CKorvantisView::OnInitialUpdate()\n" +
                            vexor::translate(error->description()),
                        IUserPrompt::Icon::Error);
    }

    if (!m_doc.isConnected() && !m_doc.isOffline())
        offerSettingsFile();

    view->createPages();
    view->refreshTexts();
    m_frame->refreshTexts();

    if (m_doc.isConnected())
        m_doc.startPolling();
    else if (!m_doc.isOffline())
        m_frame->timer1002().start(CMainFrame::kReconnectPeriodMs);

    const QRect place = vexor::mainWindowRect(workArea);
    m_frame->resize(place.size());
    m_frame->move(place.topLeft());
    m_frame->show();
    m_frame->repaint();
    return true;
}
