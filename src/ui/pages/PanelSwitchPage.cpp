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

SRow addRow(QGridLayout* grid, QWidget* owner, int labelId, int comboId, const char* unit) {
    const int row = grid->rowCount();
    SRow made{new QLabel(owner), new CValueCmbBox(owner), nullptr};
    setCtrlId(made.label, labelId);
    setCtrlId(made.combo, comboId);
    grid->addWidget(made.label, row, 0);
    grid->addWidget(made.combo, row, 1);
    if (unit != nullptr) {
        made.unit = new QLabel(QString::fromUtf8(unit), owner);
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
    m_temprSwitch = addRow(gasGrid, toGas, kLblTemprSwitch, kCmbTemprSwitch, "°C").combo;
    const SRow rpmSwitch = addRow(gasGrid, toGas, kLblRpmSwitch, kCmbRpmSwitch, "RPM");
    m_rpmSwitch = rpmSwitch.combo;
    m_switchDelay = addRow(gasGrid, toGas, kLblSwitchDelay, kCmbSwitchDelay, "s").combo;
    m_emulatorDelay = addRow(gasGrid, toGas, kLblEmulatorDelay, kCmbEmulatorDelay, "s").combo;
    m_autoCalibration = addCheck(gasGrid, toGas, kChkAutoCalibration);
    left->addWidget(toGas);

    auto* toPetrol = new QGroupBox(this);
    setCtrlId(toPetrol, kGrpToPetrol);
    auto* petrolGrid = new QGridLayout(toPetrol);
    const SRow maxRpm = addRow(petrolGrid, toPetrol, kLblMaxRpm, kCmbMaxRpm, "RPM");
    m_maxRpm = maxRpm.combo;
    const SRow load = addRow(petrolGrid, toPetrol, kLblMaxLoad, kCmbMaxLoad, "ms");
    m_maxLoadLabel = load.label;
    m_maxLoad = load.combo;
    m_maxLoadUnit = load.unit;
    setCtrlId(m_maxLoadUnit, kUnitMaxLoad);
    m_pressAverage = addRow(petrolGrid, toPetrol, kLblPressAverage, kCmbPressAverage, "s").combo;
    const SRow minRpm = addRow(petrolGrid, toPetrol, kLblMinRpm, kCmbMinRpm, "RPM");
    m_minRpm = minRpm.combo;
    m_rpmUnits = {rpmSwitch.unit, maxRpm.unit, minRpm.unit};
    m_minLpgTempr = addCheck(petrolGrid, toPetrol, kChkMinLpgTempr);
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
    m_fuelSensor = new CValueCmbBox(gauge);
    setCtrlId(m_fuelSensor, kCmbFuelSensor);
    gaugeGrid->addWidget(sensorLabel, 0, 0);
    gaugeGrid->addWidget(m_fuelSensor, 0, 1, 1, 3, Qt::AlignLeft);
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

    connect(m_temprSwitch, &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbTemprSwitch);
    connect(m_rpmSwitch, &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbRpmSwitch);
    connect(m_switchDelay, &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbSwitchDelay);
    connect(m_emulatorDelay, &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbEmulatorDelay);
    connect(m_pressAverage, &CValueCmbBox::picked, this,
            &CPanelSwitchPage::OnSelendokCmbPressAverage);
    connect(m_maxRpm, &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbMaxRpm);
    connect(m_minRpm, &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbMinRpm);
    connect(m_maxLoad, &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbMaxLoad);
    connect(m_fuelSensor, &CValueCmbBox::picked, this, &CPanelSwitchPage::OnSelendokCmbFuelSensor);
    connect(m_minLpgTempr, &QCheckBox::clicked, this, &CPanelSwitchPage::OnChkMinLpgTempr);
    connect(m_autoCalibration, &QCheckBox::clicked, this, &CPanelSwitchPage::OnChkAutoCalibration);
    m_texts.apply(this);
}

void CPanelSwitchPage::updatePage() {
    m_texts.apply(this);
    for (QLabel* unit : m_rpmUnits)
        unit->setText(tr8("RPM"));
    const std::int32_t version = doc() != nullptr ? doc()->settings().m_devInfo.m_version : 0;
    fillChoices(*m_temprSwitch, Choice::SwitchTempr, version);
    fillChoices(*m_rpmSwitch, Choice::SwitchRpm, version);
    fillChoices(*m_switchDelay, Choice::SwitchDelay, version);
    fillChoices(*m_emulatorDelay, Choice::EmulatorDelay, version);
    fillChoices(*m_maxRpm, Choice::MaxRpm, version);
    fillChoices(*m_maxLoad, Choice::MaxLoad, version);
    fillChoices(*m_pressAverage, Choice::PressAverage, version);
    fillChoices(*m_minRpm, Choice::MinRpm, version);
    fillChoices(*m_fuelSensor, Choice::FuelSensor, version);
    if (doc() == nullptr)
        return;

    const DeviceSettings& image = doc()->settings();
    const bool maxLoad = image.m_devInfo.m_version >= kVersionMaxLoad;
    m_maxLoad->setVisible(maxLoad);
    m_maxLoadLabel->setVisible(maxLoad);
    m_maxLoadUnit->setVisible(maxLoad);

    m_temprSwitch->showValue(image.m_base.m_switchTempr);
    m_rpmSwitch->showValue(image.m_base.m_switchRPM);
    m_switchDelay->showValue(image.m_base.m_switchDelay);
    m_emulatorDelay->showValue(image.m_base.m_emulatorDelay);
    m_maxRpm->showValue(image.m_base.m_maxRPMHigh);
    m_maxLoad->showValue(image.m_advancedSetup.m_maxLoad);
    m_pressAverage->showValue(image.m_base.m_pressAverageCount);
    m_minRpm->showValue(image.m_advancedSetup.m_minimalLPGRPM);
    m_fuelSensor->showValue(image.m_sensorsSetup.m_fuelSensorType);
    m_minLpgTempr->setChecked((image.m_base.m_flags & kBaseFlagMinGasTempr) != 0);
    m_autoCalibration->setChecked(
        (image.m_advancedSetup.m_advancedFlags & kAdvFlagAutoCalibration) != 0);
    showMarks();
    CDiag record;
    if (vexor::linkLive(doc()->linkState()) && doc()->latestRecord(record))
        showGauge(record.fuelLevel());
    else
        showGaugeLive(false);
    showUnread(
        {SettingBlock::DevInfo, SettingBlock::Sensors, SettingBlock::Base, SettingBlock::AdvancedSetup});
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

void CPanelSwitchPage::writeBaseValue(CValueCmbBox* box, double DeviceSettings::Base::*member,
                                      const char* reportName) {
    runEdit(reportName, [this, box, member] {
        const double value = box->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_base.*member, value))
            writePanelBlocks(*doc(), seams(), {SettingBlock::Base});
    });
}

void CPanelSwitchPage::OnSelendokCmbRpmSwitch() {
    writeBaseValue(m_rpmSwitch, &DeviceSettings::Base::m_switchRPM,
                   "CPanelSwitchPage::OnSelendokCmbRpmSwitch()");
}

void CPanelSwitchPage::OnSelendokCmbTemprSwitch() {
    writeBaseValue(m_temprSwitch, &DeviceSettings::Base::m_switchTempr,
                   "CPanelSwitchPage::OnSelendokCmbTemprSwitch()");
}

void CPanelSwitchPage::OnSelendokCmbSwitchDelay() {
    writeBaseValue(m_switchDelay, &DeviceSettings::Base::m_switchDelay,
                   "CPanelSwitchPage::OnSelendokCmbSwitchDelay()");
}

void CPanelSwitchPage::OnSelendokCmbEmulatorDelay() {
    writeBaseValue(m_emulatorDelay, &DeviceSettings::Base::m_emulatorDelay,
                   "CPanelSwitchPage::OnSelendokCmbEmulatorDelay()");
}

void CPanelSwitchPage::OnSelendokCmbPressAverage() {
    writeBaseValue(m_pressAverage, &DeviceSettings::Base::m_pressAverageCount,
                   "CPanelSwitchPage::OnSelendokCmbPressAverage()");
}

void CPanelSwitchPage::OnSelendokCmbMaxRpm() {
    runEdit("CPanelSwitchPage::OnSelendokCmbMaxRpm()", [this] {
        const double value = m_maxRpm->selectedValue();
        auto& base = doc()->editSettings().m_base;
        if (value < 0 || value == base.m_maxRPMHigh)
            return;
        applyMaxRpm(base, value);
        writePanelBlocks(*doc(), seams(), {SettingBlock::Base});
    });
}

void CPanelSwitchPage::OnSelendokCmbMinRpm() {
    runEdit("CPanelSwitchPage::OnSelendokCmbMinRpm()", [this] {
        const double value = m_minRpm->selectedValue();
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
        const double value = m_fuelSensor->selectedValue();
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
    runEdit("CPanelSwitchPage::OnChkMinLpgTempr()", [this] {
        auto& base = doc()->editSettings().m_base;
        const bool on = m_minLpgTempr->isChecked();
        if (((base.m_flags & kBaseFlagMinGasTempr) != 0) == on)
            return;
        base.m_flags = withBit(base.m_flags, kBaseFlagMinGasTempr, on);
        writePanelBlocks(*doc(), seams(), {SettingBlock::Base});
    });
}

void CPanelSwitchPage::OnChkAutoCalibration() {
    runEdit("CPanelSwitchPage::OnSelendokCmbMinRpm()", [this] {
        auto& setup = doc()->editSettings().m_advancedSetup;
        const bool on = m_autoCalibration->isChecked();
        if (((setup.m_advancedFlags & kAdvFlagAutoCalibration) != 0) == on)
            return;
        setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagAutoCalibration, on);
        writePanelBlocks(*doc(), seams(), {SettingBlock::AdvancedSetup});
    });
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
