#include "app/KorvantisApp.h"

#include "app/IDocumentPort.h"
#include "app/KorvantisView.h"
#include "app/MainFrame.h"
#include "app/SplashDlg.h"
#include "app/WindowRules.h"
#include "app/WorkModeDlg.h"
#include "common/IError.h"
#include "lang/Translate.h"

#include <QGuiApplication>
#include <QScreen>

CKorvantisApp::CKorvantisApp(const vexor::SAppOptions& options, IDocumentPort& doc)
    : m_options(options), m_doc(doc) {
    m_seams.prompt = &m_prompt;
    m_seams.pump = &m_pump;
    m_seams.chooser = &m_chooser;
    m_seams.cursor = &m_cursor;
}

CKorvantisApp::~CKorvantisApp() = default;

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

    view->createPages();
    view->refreshTexts();
    m_frame->refreshTexts();

    if (m_doc.isConnected())
        m_doc.startPolling();
    else
        m_frame->timer1002().start(CMainFrame::kReconnectPeriodMs);

    const QRect place = vexor::mainWindowRect(workArea);
    m_frame->resize(place.size());
    m_frame->move(place.topLeft());
    m_frame->show();
    m_frame->repaint();
    return true;
}
