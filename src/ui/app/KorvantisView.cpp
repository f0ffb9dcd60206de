#include "app/KorvantisView.h"

#include "app/ControlIds.h"
#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "controls/ColorStatic.h"
#include "controls/Colors.h"
#include "controls/CtrlId.h"
#include "controls/LambdaBar.h"
#include "diag/OBD2Page.h"
#include "diag/OscyloskopPage.h"
#include "lang/Translate.h"
#include "maps/MapCorrPage.h"
#include "maps/MapPage.h"
#include "pages/AdvancedPage.h"
#include "pages/AppPropSheet.h"
#include "pages/PanelGasPage.h"
#include "pages/PanelGasolinePage.h"
#include "pages/PanelSwitchPage.h"
#include "pages/PanelWrite.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <memory>
#include <utility>

using namespace vexor;

namespace {

// Firmware above 2.4 takes the injector mask on petrol too; 2.4 and older
// only while running on gas.
constexpr std::int32_t kMaskOnPetrolVersion = 516;

CColorStatic* rowStatic(QWidget* parent, int id, const QRect& place, std::uint32_t text,
                        std::uint32_t background) {
    auto* result = new CColorStatic(parent);
    setCtrlId(result, id);
    result->setGeometry(place);
    result->setTextColor(text);
    result->setBackgroundColor(background);
    return result;
}

} // namespace

CKorvantisView::CKorvantisView(IDocumentPort& doc, const Seams& seams, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_seams(seams) {
    buildForm();
    // Nothing live is shown until the first record arrives.
    showStale(true);
}

void CKorvantisView::buildForm() {
    using namespace ids;
    // Left: the switch and injector row over the page set, which takes every
    // pixel the window gives it and scrolls when the window is too small.
    // Right: the live values, always visible beside it.
    auto* left = new QWidget;
    auto* top = new QWidget(left);
    top->setFixedSize(kTopWidth, kTopHeight);
    m_sheet = new CAppPropSheet(left);
    setCtrlId(m_sheet, kPropSheet);
    m_sheet->setMinimumSize(kSheetMinWidth, kSheetMinHeight);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(10, 5, 10, 5);
    leftLayout->setSpacing(5);
    leftLayout->addWidget(top);
    leftLayout->addWidget(m_sheet, 1);
    m_scroller = new QScrollArea(this);
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setWidgetResizable(true);
    m_scroller->setWidget(left);

    m_panelHost = new QWidget;
    m_panelHost->setFixedSize(kValuePanelWidth, kValuePanelHeight);
    auto* panelScroller = new QScrollArea(this);
    panelScroller->setFrameShape(QFrame::NoFrame);
    panelScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panelScroller->setWidget(m_panelHost);
    panelScroller->setFixedWidth(kValuePanelWidth +
                                 panelScroller->verticalScrollBar()->sizeHint().width());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_scroller, 1);
    layout->addWidget(panelScroller, 0);

    auto* switchGroup = new QGroupBox(top);
    setCtrlId(switchGroup, kGrpSwitch);
    switchGroup->setGeometry(0, 0, 250, 120);
    m_btnGasoline = new QPushButton(top);
    m_btnLpg = new QPushButton(top);
    m_btnAuto = new QPushButton(top);
    setCtrlId(m_btnGasoline, kBtnGasoline);
    setCtrlId(m_btnLpg, kBtnLpg);
    setCtrlId(m_btnAuto, kBtnAuto);
    m_btnGasoline->setGeometry(10, 23, 72, 30);
    m_btnLpg->setGeometry(87, 23, 72, 30);
    m_btnAuto->setGeometry(164, 23, 78, 30);
    connect(m_btnGasoline, &QPushButton::clicked, this, &CKorvantisView::OnBtnGasoline);
    connect(m_btnLpg, &QPushButton::clicked, this, &CKorvantisView::OnBtnLpg);
    connect(m_btnAuto, &QPushButton::clicked, this, &CKorvantisView::OnBtnAuto);
    for (size_t i = 0; i < kLightsLeftToRight.size(); ++i) {
        const QRect place(15 + static_cast<int>(i) * 57, 70, 45, 24);
        CColorStatic* lamp = rowStatic(top, kLightsLeftToRight[i], place, kRefBlack, kRefLightOff);
        lamp->setFramed(true);
        // kLightsLeftToRight runs 1165 .. 1162; m_lights runs 1162 .. 1165.
        m_lights[3 - i] = lamp;
    }

    auto* injectorGroup = new QGroupBox(top);
    setCtrlId(injectorGroup, kGrpInjectors);
    injectorGroup->setGeometry(260, 0, 470, 120);
    for (size_t i = 0; i < 8; ++i) {
        const int x = 272 + static_cast<int>(i) * 56;
        auto* check = new QCheckBox(top);
        setCtrlId(check, kInjectorChecks[i]);
        check->setGeometry(x + 19, 17, 20, 20);
        connect(check, &QCheckBox::clicked, this, &CKorvantisView::onTurnOffEm);
        m_checks[i] = check;
        m_labels[i] =
            rowStatic(top, kInjectorLabels[i], QRect(x + 4, 39, 48, 18), kRefBlack, kRefLabelGrey);
        m_labels[i]->setText(QString::number(i + 1));
        m_petrol[i] = rowStatic(top, kPetrolRow[i], QRect(x + 4, 61, 48, 22), kRefRed, kRefWhite);
        m_gas[i] = rowStatic(top, kGasRow[i], QRect(x + 4, 87, 48, 22), kRefBlue, kRefWhite);
        m_petrol[i]->setFramed(true);
        m_gas[i]->setFramed(true);
    }

    m_panel = buildValuePanel(m_panelHost, 0, 0);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(18);
    bold.setBold(true);
    for (CColorStatic* field : m_panel.valueFields())
        field->setFont(bold);
}

void CKorvantisView::createPages() {
    if (m_sheet->count() > 0)
        return;
    m_mapPage = new CMapPage;
    const std::array<CAppPropPage*, 8> pages = {
        new CPanelGasolinePage, new CPanelGasPage, new CPanelSwitchPage, m_mapPage,
        new COscyloskopPage,    new CMapCorrPage,  new CAdvancedPage,    new COBD2Page};
    for (CAppPropPage* page : pages) {
        page->attach(m_doc, m_seams);
        m_sheet->addPage(page, QString::fromStdString(page->polishCaption()));
    }
    // A new probe type reaches the lambda displays at once, not at the next
    // record.
    static_cast<CPanelGasolinePage*>(pages[0])->setLambdaTypeHook(
        [this](int type) { setLambdaType(type); });
    m_initialised = true;
}

CColorStatic* CKorvantisView::light(int id) const {
    for (CColorStatic* lamp : m_lights) {
        if (ctrlId(lamp) == id)
            return lamp;
    }
    return nullptr;
}

bool CKorvantisView::isBusy() const {
    return m_mapPage != nullptr && m_mapPage->isCalibrating();
}

void CKorvantisView::showLights(const SLightColors& colors) {
    for (size_t i = 0; i < colors.size(); ++i) {
        if (m_lights[i]->setBackgroundColor(colors[i]))
            m_lights[i]->repaint();
    }
}

void CKorvantisView::showInjectors(const CDiag& record) {
    for (int i = 0; i < CDiag::kInjectorCount; ++i) {
        const auto index = static_cast<size_t>(i);
        m_injectorFlags[index] = injectorWorks(record, i);
        m_checks[index]->setChecked(m_injectorFlags[index]);
        m_labels[index]->setBackgroundColor(injectorLabelColor(record, i));
    }
}

void CKorvantisView::refreshLive() {
    const LinkState state = m_doc.linkState();
    CDiag record;
    // Without a live controller (lost, a file open, none found) whatever is
    // shown turns grey at once and stays as it was; the pages stop their own
    // live parts on the same answer.
    if (!linkLive(state) || !m_doc.latestRecord(record)) {
        showStale(true);
        if (CAppPropPage* page = m_sheet->activePage())
            page->refreshLive();
        return;
    }
    const DeviceSettings& settings = m_doc.settings();
    if (auto colors = m_switchLights.tick(record, settings.m_sensorsSetup))
        showLights(*colors);

    showStale(trackStale(record));
    const SLiveTexts texts = liveTexts(record, settings);
    for (size_t i = 0; i < 8; ++i) {
        m_petrol[i]->setText(QString::fromStdString(texts.petrol[i]));
        m_gas[i]->setText(QString::fromStdString(texts.gas[i]));
    }
    showLiveTexts(m_panel, texts);
    m_lambdaVolts[0] = texts.lambda1Volts;
    m_lambdaVolts[1] = texts.lambda2Volts;
    for (size_t i = 0; i < m_panel.lambdaDisplays.size(); ++i) {
        if (auto* bar = qobject_cast<CLambdaDisplay*>(m_panel.lambdaDisplays[i])) {
            bar->setType(settings.m_sensorsSetup.m_lambdaType);
            bar->setValue(m_lambdaVolts[i]);
        }
    }
    showInjectors(record);

    if (CAppPropPage* page = m_sheet->activePage())
        page->refreshLive();
}

void CKorvantisView::setLambdaType(int type) {
    for (size_t i = 0; i < m_panel.lambdaDisplays.size(); ++i) {
        if (auto* bar = qobject_cast<CLambdaDisplay*>(m_panel.lambdaDisplays[i])) {
            bar->setType(type);
            bar->setValue(m_lambdaVolts[i]);
        }
    }
    emit lambdaTypeChanged(type);
}

bool CKorvantisView::trackStale(const CDiag& record) {
    // No new record for a while, or no polling at all (a firmware update
    // stops it): what is shown is not what the engine does now.
    if (record.sample() != m_lastSample) {
        m_lastSample = record.sample();
        m_sameSampleTicks = 0;
    } else if (m_sameSampleTicks < kStaleTicks) {
        ++m_sameSampleTicks;
    }
    return !m_doc.isPolling() || m_sameSampleTicks >= kStaleTicks;
}

void CKorvantisView::showStale(bool stale) {
    if (stale == m_stale)
        return;
    m_stale = stale;
    showPanelStale(m_panel, stale);
    for (size_t i = 0; i < 8; ++i) {
        m_petrol[i]->setTextColor(stale ? kRefStaleGrey : kRefRed);
        m_gas[i]->setTextColor(stale ? kRefStaleGrey : kRefBlue);
    }
    // The lamps say nothing about the car while nothing live stands behind
    // them; the next live record lights them again.
    if (stale)
        showLights({kRefStaleGrey, kRefStaleGrey, kRefStaleGrey, kRefStaleGrey});
    emit staleChanged(stale);
}

void CKorvantisView::refreshTexts() {
    m_texts.apply(this);
    if (!m_doc.isConnected()) {
        blankLiveTexts(m_panel);
        for (size_t i = 0; i < 8; ++i) {
            m_petrol[i]->setText(QString());
            m_gas[i]->setText(QString());
        }
    }
    for (int i = 0; i < m_sheet->count(); ++i) {
        if (CAppPropPage* page = m_sheet->page(i))
            m_sheet->setTabText(i, QString::fromStdString(translate(page->polishCaption())));
    }
    refreshPage();
}

void CKorvantisView::refreshPage() {
    if (CAppPropPage* page = m_sheet->activePage()) {
        page->activate();
        page->updatePage();
    }
}

template <class F> void CKorvantisView::guarded(const char* handler, F&& body) {
    vexor::runPanelHandler(m_seams, handler, std::forward<F>(body));
}

void CKorvantisView::OnBtnLpg() {
    if (!m_doc.isConnected())
        return;
    CBusyScope busy(m_seams.cursor);
    guarded("CKorvantisView::OnBtnLpg()", [this] {
        if (!m_doc.switchToLpg())
            m_seams.message(translate("Nie powiodło się przełączenie na gaz!"),
                            IUserPrompt::Icon::Error);
    });
}

void CKorvantisView::OnBtnGasoline() {
    if (!m_doc.isConnected())
        return;
    CBusyScope busy(m_seams.cursor);
    guarded("CKorvantisView::OnBtnGasoline()", [this] {
        if (!m_doc.switchToGasoline())
            m_seams.message(translate("Nie powiodło się przełączenie na benzynę!"),
                            IUserPrompt::Icon::Error);
    });
}

void CKorvantisView::OnBtnAuto() {
    if (!m_doc.isConnected())
        return;
    CBusyScope busy(m_seams.cursor);
    guarded("CKorvantisView::OnBtnAuto()", [this] {
        // Automatic mode starts from petrol; whether the wait succeeded does
        // not matter, the switch command reports its own refusal.
        m_doc.waitForGasoline();
        if (!m_doc.switchToAuto())
            m_seams.message(translate("Nie powiodło się przełączenie w tryb AUTO!"),
                            IUserPrompt::Icon::Error);
    });
}

void CKorvantisView::onTurnOffEm() {
    if (!m_doc.isConnected())
        return;
    guarded("CKorvantisView::onTurnOffEm()", [this] {
        std::uint8_t mask = 0;
        for (size_t i = 0; i < m_checks.size(); ++i) {
            m_injectorFlags[i] = m_checks[i]->isChecked();
            if (m_injectorFlags[i])
                mask = static_cast<std::uint8_t>(mask | (1u << i));
        }
        // Without any record yet the work mode is unknown: only the firmware
        // version can allow the mask then.
        CDiag record;
        const bool onGas = m_doc.latestRecord(record) && record.workMode() == kWorkModeGas;
        if (m_doc.settings().m_devInfo.m_version > kMaskOnPetrolVersion || onGas)
            m_doc.setInjectorMask(mask);
    });
}

void CKorvantisView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colorFromRef(kRefFormGrey));
}
