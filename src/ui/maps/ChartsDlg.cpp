#include "maps/ChartsDlg.h"

#include "app/IDocumentPort.h"
#include "app/WindowRules.h"
#include "common/IError.h"
#include "controls/CtrlId.h"
#include "diag/OscyloskopPageDlg.h"
#include "lang/Translate.h"
#include "maps/MapPageDlg.h"
#include "maps/MapPageIds.h"
#include "pages/AppPropSheet.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <memory>

using namespace vexor;

CChartsDlg::CChartsDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_seams(seams) {
    setModal(true);
    m_timer5001.setInterval(kTimerPeriodMs);
    connect(&m_timer5001, &QTimer::timeout, this, &CChartsDlg::OnTimer);
    OnInitDialog();
}

CChartsDlg::~CChartsDlg() = default;

void CChartsDlg::OnInitDialog() {
    m_texts.apply(this);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect place = mainWindowRect(screen ? screen->availableGeometry().size() : QSize());
    move(0, 0);
    resize(place.size());

    m_scroll = new QScrollArea(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    // The pages take the space the window gives them and scroll only when it
    // is smaller than the area they are designed for.
    auto* area = new QWidget;
    area->setMinimumSize(kAreaWidth, kAreaHeight);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(area);
    // A page step is a tenth of the area, a line step a tenth of a page.
    m_scroll->horizontalScrollBar()->setPageStep(kAreaWidth / 10);
    m_scroll->horizontalScrollBar()->setSingleStep(kAreaWidth / 100);
    m_scroll->verticalScrollBar()->setPageStep(kAreaHeight / 10);
    m_scroll->verticalScrollBar()->setSingleStep(kAreaHeight / 100);

    m_sheet = new CAppPropSheet(area);
    setCtrlId(m_sheet, mapids::kChartsSheet);
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(5, 5, 5, 5);
    areaLayout->addWidget(m_sheet);

    m_mapPage = new CMapPageDlg;
    m_mapPage->attach(m_doc, m_seams);
    m_oscPage = new COscyloskopPageDlg;
    m_oscPage->attach(m_doc, m_seams);
    for (CAppPropPage* page : {static_cast<CAppPropPage*>(m_mapPage), m_oscPage})
        m_sheet->addPage(page, QString::fromStdString(translate(page->polishCaption())));

    m_mapPage->initDialog();
    m_mapPage->activate();

    if (m_doc.isConnected())
        m_timer5001.start();
}

void CChartsDlg::OnTimer() {
    CAppPropPage* page = m_sheet->activePage();
    if (page == nullptr)
        return;
    try {
        page->refreshLive();
    } catch (IError* e) {
        std::unique_ptr<IError> dropped(e);
    }
}

bool CChartsDlg::busy() const {
    return m_mapPage != nullptr && m_mapPage->isCalibrating();
}

// A calibration run drives the controller from this window's page: the
// window stays open until the run has ended, or the car would be left
// halfway between fuels.
void CChartsDlg::reject() {
    if (busy())
        return;
    m_timer5001.stop();
    QDialog::reject();
}

void CChartsDlg::closeEvent(QCloseEvent* event) {
    if (busy()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
