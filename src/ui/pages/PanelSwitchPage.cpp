#include "pages/PanelSwitchPage.h"

#include "app/IDocumentPort.h"
#include "controls/ChoiceFill.h"
#include "controls/ColorStatic.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/Diag.h"
#include "lang/Translate.h"
#include "pages/PanelIds.h"
#include "pages/PanelWrite.h"
#include "panels/PanelPresets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

using namespace vexor;
using namespace vexor::panel_ids;

namespace {

QString tr8(const char* polish) {
    return QString::fromStdString(translate(polish));
}

struct SRow {
    QLabel* label;
    CValueCmbBox* combo;
    QLabel* unit;
};

SRow addRow(QGridLayout* grid, QWidget* owner, int labelId, int comboId, const QString& unit) {
    const int row = grid->rowCount();
    SRow made{new QLabel(owner), new CValueCmbBox(owner), nullptr};
    setCtrlId(made.label, labelId);
    setCtrlId(made.combo, comboId);
    grid->addWidget(made.label, row, 0);
    grid->addWidget(made.combo, row, 1);
    if (!unit.isEmpty()) {
        made.unit = new QLabel(unit, owner);
        grid->addWidget(made.unit, row, 2);
    }
    return made;
}

// A row of a box bound to a settings row. The unit is the row's unless the
// page gives its own: a speed's "RPM" is a text the page translates.
SRow addBound(QGridLayout* grid, QWidget* owner, int labelId, int comboId, const char* key,
              CSettingBinding& bound, const char* ownUnit = nullptr) {
    const int row = grid->rowCount();
    SRow made = addRow(grid, owner, labelId, comboId, QString());
    bound = CSettingBinding(made.combo, key);
    const QString unit = ownUnit != nullptr ? QString::fromUtf8(ownUnit) : bound.unitText();
    if (!unit.isEmpty()) {
        made.unit = new QLabel(unit, owner);
        grid->addWidget(made.unit, row, 2);
    }
    return made;
}

QCheckBox* addCheck(QGridLayout* grid, QWidget* owner, int id) {
    auto* check = new QCheckBox(owner);
    setCtrlId(check, id);
    grid->addWidget(check, grid->rowCount(), 0, 1, 3);
    return check;
}

std::array<std::uint8_t*, 4> marksOf(DeviceSettings::SensorsSetup& s) {
    return {&s.m_fuelFull, &s.m_fuelHgw, &s.m_fuelHalf, &s.m_fuelQuarter};
}

} // namespace

CPanelSwitchPage::CPanelSwitchPage(QWidget* parent) : CAppPropPage("Przełącznik", parent) {
    setTextScope(this);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(gateBar());
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    auto* toGas = new QGroupBox(this);
    setCtrlId(toGas, kGrpToGas);
    auto* gasGrid = new QGridLayout(toGas);
    addBound(gasGrid, toGas, kLblTemprSwitch, kCmbTemprSwitch, "m_base.m_switchTempr",
             m_temprSwitch);
    const SRow rpmSwitch = addBound(gasGrid, toGas, kLblRpmSwitch, kCmbRpmSwitch,
                                    "m_base.m_switchRPM", m_rpmSwitch, "RPM");
    addBound(gasGrid, toGas, kLblSwitchDelay, kCmbSwitchDelay, "m_base.m_switchDelay",
             m_switchDelay);
    addBound(gasGrid, toGas, kLblEmulatorDelay, kCmbEmulatorDelay, "m_base.m_emulatorDelay",
             m_emulatorDelay);
    m_autoCalibration = CFlagBinding(addCheck(gasGrid, toGas, kChkAutoCalibration),
                                     "m_advancedSetup.m_advancedFlags", kAdvFlagAutoCalibration);
    left->addWidget(toGas);

    auto* toPetrol = new QGroupBox(this);
    setCtrlId(toPetrol, kGrpToPetrol);
    auto* petrolGrid = new QGridLayout(toPetrol);
    const SRow maxRpm = addBound(petrolGrid, toPetrol, kLblMaxRpm, kCmbMaxRpm,
                                 "m_base.m_maxRPMHigh", m_maxRpm, "RPM");
    const SRow load = addRow(petrolGrid, toPetrol, kLblMaxLoad, kCmbMaxLoad, QStringLiteral("ms"));
    m_maxLoadLabel = load.label;
    m_maxLoad = load.combo;
    m_maxLoadUnit = load.unit;
    setCtrlId(m_maxLoadUnit, kUnitMaxLoad);
    addBound(petrolGrid, toPetrol, kLblPressAverage, kCmbPressAverage, "m_base.m_pressAverageCount",
             m_pressAverage);
    const SRow minRpm = addBound(petrolGrid, toPetrol, kLblMinRpm, kCmbMinRpm,
                                 "m_advancedSetup.m_minimalLPGRPM", m_minRpm, "RPM");
    m_rpmUnits = {rpmSwitch.unit, maxRpm.unit, minRpm.unit};
    m_minLpgTempr = CFlagBinding(addCheck(petrolGrid, toPetrol, kChkMinLpgTempr), "m_base.m_flags",
                                 kBaseFlagMinGasTempr);
    left->addWidget(toPetrol);
    left->addStretch(1);

    m_markCommit = new QTimer(this);
    m_markCommit->setSingleShot(true);
    m_markCommit->setInterval(kMarkSettleMs);
    connect(m_markCommit, &QTimer::timeout, this, [this] { OnHScroll(-1); });
    auto* gauge = new QGroupBox(this);
    setCtrlId(gauge, kGrpFuelGauge);
    auto* gaugeGrid = new QGridLayout(gauge);
    auto* sensorLabel = new QLabel(gauge);
    setCtrlId(sensorLabel, kLblFuelSensor);
    auto* fuelSensor = new CValueCmbBox(gauge);
    setCtrlId(fuelSensor, kCmbFuelSensor);
    m_fuelSensor = CSettingBinding(fuelSensor, "m_sensorsSetup.m_fuelSensorType");
    gaugeGrid->addWidget(sensorLabel, 0, 0);
    gaugeGrid->addWidget(fuelSensor, 0, 1, 1, 3, Qt::AlignLeft);
    for (int i = 0; i < 4; ++i) {
        const int row = gaugeGrid->rowCount();
        auto* mark = new QLabel(gauge);
        setCtrlId(mark, kLblMarkFull + i);
        auto* slider = new QSlider(Qt::Horizontal, gauge);
        slider->setRange(0, 255);
        slider->setMinimumWidth(120);
        setCtrlId(slider, kSldFuelFull + i);
        auto* number = new QLabel(QStringLiteral("0"), gauge);
        number->setMinimumWidth(number->fontMetrics().horizontalAdvance(QStringLiteral("888")));
        setCtrlId(number, kNumFuelFull + i);
        auto* lamp = new CColorStatic(gauge);
        setCtrlId(lamp, kLampFull + i);
        lamp->setFramed(true);
        lamp->setMinimumSize(24, 16);
        lamp->setBackgroundColor(CFuelGauge::kDark);
        gaugeGrid->addWidget(mark, row, 0);
        gaugeGrid->addWidget(slider, row, 1);
        gaugeGrid->addWidget(number, row, 2);
        gaugeGrid->addWidget(lamp, row, 3);
        m_sliders[static_cast<std::size_t>(i)] = slider;
        m_numbers[static_cast<std::size_t>(i)] = number;
        m_lamps[static_cast<std::size_t>(i)] = lamp;
        // The number follows every step; the controller gets the marks once
        // the fitter lets go (a drag), or once a run of key or wheel steps
        // has come to rest.
        connect(slider, &QSlider::valueChanged, this, [this, i](int value) {
            m_numbers[static_cast<std::size_t>(i)]->setText(QString::number(value));
            if (!m_sliders[static_cast<std::size_t>(i)]->isSliderDown())
                m_markCommit->start();
        });
        connect(slider, &QSlider::sliderReleased, this, [this, i] { OnHScroll(i); });
    }
    m_fuelLevel = new QLabel(gauge);
    setCtrlId(m_fuelLevel, kLblFuelLevel);
    gaugeGrid->addWidget(m_fuelLevel, gaugeGrid->rowCount(), 1);
    gaugeGrid->setColumnStretch(1, 1);
    columns->addWidget(gauge, 1, Qt::AlignTop);

    connect(m_temprSwitch.box(), &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbTemprSwitch);
    connect(m_rpmSwitch.box(), &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbRpmSwitch);
    connect(m_switchDelay.box(), &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbSwitchDelay);
    connect(m_emulatorDelay.box(), &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbEmulatorDelay);
    connect(m_pressAverage.box(), &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbPressAverage);
    connect(m_maxRpm.box(), &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbMaxRpm);
    connect(m_minRpm.box(), &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbMinRpm);
    connect(m_maxLoad, &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbMaxLoad);
    connect(m_fuelSensor.box(), &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbFuelSensor);
    connect(m_minLpgTempr.box(), &QCheckBox::clicked, this, &CPanelSwitchPage::OnChkMinLpgTempr);
    connect(m_autoCalibration.box(), &QCheckBox::clicked, this,
            &CPanelSwitchPage::OnChkAutoCalibration);
    m_texts.apply(this);
}

void CPanelSwitchPage::updatePage() {
    m_texts.apply(this);
    for (QLabel* unit : m_rpmUnits)
        unit->setText(tr8("RPM"));
    const std::int32_t version = doc() != nullptr ? doc()->settings().m_devInfo.m_version : 0;
    for (const CSettingBinding* bound :
         {&m_temprSwitch, &m_rpmSwitch, &m_switchDelay, &m_emulatorDelay, &m_maxRpm})
        bound->fill(version);
    fillChoices(*m_maxLoad, Choice::MaxLoad, version);
    for (const CSettingBinding* bound : {&m_pressAverage, &m_minRpm, &m_fuelSensor})
        bound->fill(version);
    if (doc() == nullptr)
        return;

    const DeviceSettings& image = doc()->settings();
    const bool maxLoad = image.m_devInfo.m_version >= kVersionMaxLoad;
    m_maxLoad->setVisible(maxLoad);
    m_maxLoadLabel->setVisible(maxLoad);
    m_maxLoadUnit->setVisible(maxLoad);

    for (const CSettingBinding* bound :
         {&m_temprSwitch, &m_rpmSwitch, &m_switchDelay, &m_emulatorDelay, &m_maxRpm})
        bound->show(image);
    m_maxLoad->showValue(image.m_advancedSetup.m_maxLoad);
    for (const CSettingBinding* bound : {&m_pressAverage, &m_minRpm, &m_fuelSensor})
        bound->show(image);
    m_minLpgTempr.show(image);
    m_autoCalibration.show(image);
    showMarks();
    CDiag record;
    if (vexor::linkLive(doc()->linkState()) && doc()->latestRecord(record))
        showGauge(record.fuelLevel());
    else
        showGaugeLive(false);
    showUnread({SettingBlock::DevInfo, SettingBlock::Sensors, SettingBlock::Base,
                SettingBlock::AdvancedSetup});
}

void CPanelSwitchPage::refreshLive() {
    CDiag record;
    // No live level without a live link: the reading goes grey and the
    // lamps dark at once rather than at the next slow refresh.
    const bool live =
        doc() != nullptr && vexor::linkLive(doc()->linkState()) && doc()->latestRecord(record);
    showGaugeLive(live);
    if (!live || ++m_refreshCount < kFuelRefreshEvery)
        return;
    m_refreshCount = 0;
    const QString reading = QString::number(record.fuelLevel());
    if (m_fuelLevel->text() != reading)
        m_fuelLevel->setText(reading);
    showGauge(record.fuelLevel());
}

void CPanelSwitchPage::showGaugeLive(bool live) {
    if (live == m_gaugeLive)
        return;
    m_gaugeLive = live;
    m_fuelLevel->setStyleSheet(live ? QString() : QStringLiteral("color: #a0a0a0;"));
    if (live)
        return;
    // With nothing ever read there is no level to keep showing.
    CDiag record;
    if (doc() == nullptr || !doc()->latestRecord(record))
        m_fuelLevel->clear();
    for (CColorStatic* lamp : m_lamps) {
        lamp->setBackgroundColor(CFuelGauge::kDark);
        lamp->update();
    }
}

void CPanelSwitchPage::showMarks() {
    if (doc() == nullptr)
        return;
    DeviceSettings::SensorsSetup sensors = doc()->settings().m_sensorsSetup;
    const auto marks = marksOf(sensors);
    for (std::size_t i = 0; i < 4; ++i) {
        const QSignalBlocker blocker(m_sliders[i]);
        m_sliders[i]->setValue(*marks[i]);
        m_numbers[i]->setText(QString::number(*marks[i]));
    }
}

void CPanelSwitchPage::showGauge(std::uint8_t reading) {
    const auto& s = doc()->settings().m_sensorsSetup;
    m_gauge.evaluate(reading, {s.m_fuelFull, s.m_fuelHgw, s.m_fuelHalf, s.m_fuelQuarter});
    for (std::size_t i = 0; i < 3; ++i)
        m_lamps[i]->setBackgroundColor(m_gauge.levels()[i]);
    m_lamps[3]->setBackgroundColor(m_gauge.reserve());
    for (CColorStatic* lamp : m_lamps)
        lamp->update();
}

void CPanelSwitchPage::OnSelendokCmbRpmSwitch() {
    editSetting("CPanelSwitchPage::OnSelendokCmbRpmSwitch()", m_rpmSwitch);
}

void CPanelSwitchPage::OnSelendokCmbTemprSwitch() {
    editSetting("CPanelSwitchPage::OnSelendokCmbTemprSwitch()", m_temprSwitch);
}

void CPanelSwitchPage::OnSelendokCmbSwitchDelay() {
    editSetting("CPanelSwitchPage::OnSelendokCmbSwitchDelay()", m_switchDelay);
}

void CPanelSwitchPage::OnSelendokCmbEmulatorDelay() {
    editSetting("CPanelSwitchPage::OnSelendokCmbEmulatorDelay()", m_emulatorDelay);
}

void CPanelSwitchPage::OnSelendokCmbPressAverage() {
    editSetting("CPanelSwitchPage::OnSelendokCmbPressAverage()", m_pressAverage);
}

void CPanelSwitchPage::OnSelendokCmbMaxRpm() {
    runEdit("CPanelSwitchPage::OnSelendokCmbMaxRpm()", [this] {
        const double value = m_maxRpm.box()->selectedValue();
        auto& base = doc()->editSettings().m_base;
        if (value < 0 || value == base.m_maxRPMHigh)
            return;
        applyMaxRpm(base, value);
        writePanelBlocks(*doc(), seams(), {SettingBlock::Base});
    });
}

void CPanelSwitchPage::OnSelendokCmbMinRpm() {
    runEdit("CPanelSwitchPage::OnSelendokCmbMinRpm()", [this] {
        const double value = m_minRpm.box()->selectedValue();
        auto& setup = doc()->editSettings().m_advancedSetup;
        if (value < 0 || value == setup.m_minimalLPGRPM)
            return;
        applyMinLpgRpm(setup, value);
        writePanelBlocks(*doc(), seams(), {SettingBlock::AdvancedSetup});
    });
}

void CPanelSwitchPage::OnSelendokCmbMaxLoad() {
    runEdit("CPanelSwitchPage::OnSelendokCmbMaxLoad()", [this] {
        const double value = m_maxLoad->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_advancedSetup.m_maxLoad, value))
            writePanelBlocks(*doc(), seams(), {SettingBlock::AdvancedSetup});
    });
}

// The report name is the one the fitters' support knows this box by.
void CPanelSwitchPage::OnSelendokCmbFuelSensor() {
    runEdit("CPanelSwitchPage::OnSelendokCmbSwitchDelay()", [this] {
        const double value = m_fuelSensor.box()->selectedValue();
        auto& sensors = doc()->editSettings().m_sensorsSetup;
        if (value < 0 || value == sensors.m_fuelSensorType)
            return;
        if (!applyFuelSensorType(sensors, static_cast<std::uint8_t>(value)))
            return;
        showMarks();
        writePanelBlocks(*doc(), seams(), {SettingBlock::Sensors});
    });
}

void CPanelSwitchPage::OnChkMinLpgTempr() {
    editFlag("CPanelSwitchPage::OnChkMinLpgTempr()", m_minLpgTempr);
}

// The report name is the one the fitters' support knows this box by.
void CPanelSwitchPage::OnChkAutoCalibration() {
    editFlag("CPanelSwitchPage::OnSelendokCmbMinRpm()", m_autoCalibration);
}

// Takes every slider's position as its mark and writes the sensors block
// once when any mark changed. A port error is reported like any handler's.
void CPanelSwitchPage::OnHScroll(int slider) {
    if (slider > 3)
        return;
    m_markCommit->stop();
    runEdit("CPanelSwitchPage::OnHScroll()", [this] {
        const auto marks = marksOf(doc()->editSettings().m_sensorsSetup);
        bool changed = false;
        for (std::size_t i = 0; i < 4; ++i) {
            const int position = m_sliders[i]->value();
            if (*marks[i] == position)
                continue;
            *marks[i] = static_cast<std::uint8_t>(position);
            changed = true;
        }
        if (changed)
            writePanelBlocks(*doc(), seams(), {SettingBlock::Sensors});
    });
}
