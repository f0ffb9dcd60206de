#include "maps/MapPage.h"

#include "app/IDocumentPort.h"
#include "controls/CtrlId.h"
#include "lang/Translate.h"
#include "maps/MapCorrPage.h"
#include "maps/MapFormat.h"
#include "maps/MapPageIds.h"
#include "maps/MapProposalDlg.h"
#include "maps/MultiplierChartWidget.h"
#include "maps/autocal/AutoCalTexts.h"
#include "maps/autocal/AutoCalibration.h"
#include "maps/autocal/LPGDeviceLink.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

using namespace vexor;
using namespace vexor::mapids;

namespace {
// The button is narrow; its tool tip has the whole entry.
constexpr const char* kProposeShort = "Mapa z jazd...";
} // namespace

CMapPage::CMapPage(QWidget* parent) : CAppPropPage("Kalibracja", parent) {
    buildForm();
    m_calTimer.setInterval(static_cast<int>(CAutoCalibration::kTickPeriod.count()));
    connect(&m_calTimer, &QTimer::timeout, this, &CMapPage::onTick);
}

CMapPage::~CMapPage() = default;

void CMapPage::buildForm() {
    m_chart = new CMultiplierChartWidget(this);
    setCtrlId(m_chart, kChart);
    m_chart->setGeometry(5, 5, 560, 370);
    m_chart->setActionHandler(
        [this](const CMultiplierChart::SAction& action) { onChartAction(action); });

    auto button = [this](int id, int y, void (CMapPage::*handler)()) {
        auto* b = new QPushButton(this);
        setCtrlId(b, id);
        b->setGeometry(575, y, 140, 26);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    m_btnAutoCal = button(kBtnAutoCal, 5, &CMapPage::OnBtnAutoCal);
    m_btnCompute = button(kBtnCompute, 45, &CMapPage::OnBtnCreate);
    m_btnClearPetrol = button(kBtnClearPetrol, 80, &CMapPage::OnBtnClrMap);
    m_btnClearGas = button(kBtnClearGas, 115, &CMapPage::OnBtnClrMapLpg);
    m_btnClearLine = button(kBtnClearLine, 150, &CMapPage::OnBtnClearCorr);

    m_btnPropose = new QPushButton(this);
    m_btnPropose->setGeometry(575, 325, 140, 26);
    connect(m_btnPropose, &QPushButton::clicked, this, &CMapPage::OnProposeMap);

    m_chkLock = new QCheckBox(this);
    setCtrlId(m_chkLock, kChkLock);
    m_chkLock->setGeometry(578, 185, 137, 22);
    connect(m_chkLock, &QCheckBox::toggled, this, &CMapPage::OnChkLock);

    m_progress = new QProgressBar(this);
    setCtrlId(m_progress, kProgress);
    m_progress->setGeometry(575, 215, 140, 18);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);

    addLabel(kLblPoints, 575, 245, 140);
    addLabel(kLblPetrolFill, 575, 268, 70);
    m_petrolFill = addField(kPetrolFill, 650, 268, 65);
    addLabel(kLblGasFill, 575, 292, 70);
    m_gasFill = addField(kGasFill, 650, 292, 65);
    m_petrolFill->setText(QStringLiteral("0%"));
    m_gasFill->setText(QStringLiteral("0%"));

    addLabel(kLblPetrol, 10, 385, 70);
    m_petrolTime = addField(kPetrolTime, 80, 385, 90);
    addLabel(kLblGas, 185, 385, 50);
    m_gasTime = addField(kGasTime, 235, 385, 90);
    addLabel(kLblCorr, 345, 385, 70);
    m_mainCorr = addField(kMainCorr, 415, 385, 60);
    addLabel(kLblCorrUnit, 480, 385, 40);
    m_petrolTime->setText(QStringLiteral("0.00 ms"));
    m_gasTime->setText(QStringLiteral("0.00 ms"));
}

QLabel* CMapPage::addLabel(int id, int x, int y, int w) {
    auto* label = new QLabel(this);
    setCtrlId(label, id);
    label->setGeometry(x, y, w, 20);
    return label;
}

QLabel* CMapPage::addField(int id, int x, int y, int w) {
    QLabel* field = addLabel(id, x, y, w);
    field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return field;
}

void CMapPage::setField(QLabel* field, const QString& text) {
    if (field != nullptr && field->text() != text)
        field->setText(text);
}

void CMapPage::setField(QLabel* field, const std::string& text) {
    setField(field, QString::fromStdString(text));
}

bool CMapPage::ensureCore() {
    if (m_core)
        return true;
    CLPGDevice* document = doc() != nullptr ? doc()->controller() : nullptr;
    if (document == nullptr)
        return false;
    m_core = std::make_unique<CCalibrationPageCore>(*document);
    m_core->setChangeGuard([this] { return doc() != nullptr && doc()->beforeChange("edit"); });
    m_core->setPetrolClearLocked(m_chkLock->isChecked());
    m_link = std::make_unique<CLPGDeviceLink>(*document);

    CAutoCalibration::Hooks hooks;
    hooks.textUpdate = [this] {
        const bool running = m_autoCal->isActive();
        m_core->setCalibrationRunning(running);
        m_calibrating = running;
        updatePage();
    };
    hooks.tabsEnabled = [this](bool enabled) { setTabsEnabled(enabled); };
    hooks.progress = [this](int percent) { m_progress->setValue(percent); };
    hooks.mainCorrShown = [this](double ms) { showMainCorr(ms); };
    hooks.multiplierLineChanged = [this] {
        m_core->reloadChart();
        m_chart->update();
    };
    m_autoCal = std::make_unique<CAutoCalibration>(*m_link, seams(), std::move(hooks));
    m_chart->setModel(&m_core->chart());
    return true;
}

CCalibrationPageCore* CMapPage::core() {
    ensureCore();
    return m_core.get();
}

CAutoCalibration* CMapPage::autoCalibration() {
    ensureCore();
    return m_autoCal.get();
}

bool CMapPage::canLeave() {
    return !isCalibrating();
}

void CMapPage::OnProposeMap() {
    // The map page's grid holds the map's undo history.
    CMapCorrPage* mapPage = window() != nullptr ? window()->findChild<CMapCorrPage*>() : nullptr;
    if (doc() == nullptr || mapPage == nullptr)
        return;
    mapPage->OnProposeMap();
}

void CMapPage::updatePage() {
    m_texts.apply(this);
    m_btnPropose->setText(QString::fromStdString(vexor::translate(kProposeShort)));
    m_btnPropose->setToolTip(QString::fromStdString(vexor::translate(CMapProposalDlg::kMenuText)));
    updateAutoCalButton();
    m_chart->setAxisTitles(m_texts.qtext(kAxisTime), m_texts.qtext(kAxisFactor),
                           m_texts.qtext(kAxisPressure));
    const bool connected = doc() != nullptr && doc()->isConnected();
    for (QPushButton* b : {m_btnCompute, m_btnClearLine, m_btnClearPetrol, m_btnClearGas})
        b->setEnabled(connected);
    if (ensureCore()) {
        m_core->textUpdate();
        showMaps();
    }
    if (doc() != nullptr)
        showMainCorr(doc()->settings().m_mainCorr.m_mainCorr[0]);
    m_chart->update();
}

void CMapPage::updateAutoCalButton() {
    const char* caption = m_autoCal ? m_autoCal->buttonCaption() : autocal::kCaptionStart;
    // The text object knows the idle caption in every language; the running
    // one comes from the phrase table.
    m_btnAutoCal->setText(m_autoCal && m_autoCal->isActive()
                              ? QString::fromStdString(translate(caption))
                              : m_texts.qtext(kBtnAutoCal));
}

void CMapPage::showMaps() {
    setField(m_petrolFill, m_core->petrolFillText());
    setField(m_gasFill, m_core->gasFillText());
    m_chart->update();
}

void CMapPage::showMainCorr(double ms) {
    setField(m_mainCorr, formatMapNumber("%.2f", ms));
}

void CMapPage::refreshLive() {
    if (!ensureCore())
        return;
    const auto live = m_core->liveRefresh();
    if (!live)
        return;
    setField(m_petrolTime, live->petrolText);
    setField(m_gasTime, live->gasText);
    if (live->mapsRead)
        showMaps();
    showLive(*live);
    m_chart->update();
}

void CMapPage::showLive(const SCalibrationLive&) {}

void CMapPage::OnBtnCreate() {
    if (ensureCore() && m_core->computeLine())
        m_chart->update();
}

void CMapPage::OnBtnClrMap() {
    if (ensureCore() && m_core->clearPetrolMap())
        showMaps();
}

void CMapPage::OnBtnClrMapLpg() {
    if (ensureCore() && m_core->clearGasMap())
        showMaps();
}

void CMapPage::OnBtnClearCorr() {
    if (ensureCore() && m_core->clearLine())
        m_chart->update();
}

void CMapPage::OnChkLock() {
    if (ensureCore())
        m_core->setPetrolClearLocked(m_chkLock->isChecked());
}

void CMapPage::onChartAction(const CMultiplierChart::SAction& action) {
    if (ensureCore())
        m_core->handleChartAction(action);
    m_chart->update();
}

void CMapPage::OnBtnAutoCal() {
    if (!ensureCore() || !doc()->isConnected())
        return;
    // Starting one rewrites the corrections, the line and the map.
    if (!m_autoCal->isActive() && !doc()->beforeChange("edit"))
        return;
    if (!m_progressUsed) {
        m_progressUsed = true;
        m_progress->show();
    }
    if (m_autoCal->onButton())
        m_calTimer.start();
    m_calibrating = m_autoCal->isActive();
    updateAutoCalButton();
}

void CMapPage::onTick() {
    if (!m_autoCal || !m_autoCal->tick())
        m_calTimer.stop();
    m_calibrating = m_autoCal && m_autoCal->isActive();
    updateAutoCalButton();
}

void CMapPage::setTabsEnabled(bool enabled) {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            tabs->tabBar()->setEnabled(enabled);
            return;
        }
    }
}
