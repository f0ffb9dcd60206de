#include "pages/PanelSwitchPage.h"

#include "app/IDocumentPort.h"
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
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    auto* toGas = new QGroupBox(this);
    setCtrlId(toGas, kGrpToGas);
    auto* gasGrid = new QGridLayout(toGas);
    m_temprSwitch = addRow(gasGrid, toGas, kLblTemprSwitch, kCmbTemprSwitch, "C").combo;
    m_rpmSwitch = addRow(gasGrid, toGas, kLblRpmSwitch, kCmbRpmSwitch, nullptr).combo;
    m_switchDelay = addRow(gasGrid, toGas, kLblSwitchDelay, kCmbSwitchDelay, "s").combo;
    m_emulatorDelay = addRow(gasGrid, toGas, kLblEmulatorDelay, kCmbEmulatorDelay, "s").combo;
    m_autoCalibration = addCheck(gasGrid, toGas, kChkAutoCalibration);
    left->addWidget(toGas);

    auto* toPetrol = new QGroupBox(this);
    setCtrlId(toPetrol, kGrpToPetrol);
    auto* petrolGrid = new QGridLayout(toPetrol);
    m_maxRpm = addRow(petrolGrid, toPetrol, kLblMaxRpm, kCmbMaxRpm, nullptr).combo;
    const SRow load = addRow(petrolGrid, toPetrol, kLblMaxLoad, kCmbMaxLoad, "ms");
    m_maxLoadLabel = load.label;
    m_maxLoad = load.combo;
    m_maxLoadUnit = load.unit;
    setCtrlId(m_maxLoadUnit, kUnitMaxLoad);
    m_pressAverage = addRow(petrolGrid, toPetrol, kLblPressAverage, kCmbPressAverage, "s").combo;
    m_minRpm = addRow(petrolGrid, toPetrol, kLblMinRpm, kCmbMinRpm, nullptr).combo;
    m_minLpgTempr = addCheck(petrolGrid, toPetrol, kChkMinLpgTempr);
    left->addWidget(toPetrol);
    left->addStretch(1);

    auto* gauge = new QGroupBox(this);
    auto* gaugeGrid = new QGridLayout(gauge);
    m_fuelSensor = addRow(gaugeGrid, gauge, kLblFuelSensor, kCmbFuelSensor, nullptr).combo;
    for (int i = 0; i < 4; ++i) {
        const int row = gaugeGrid->rowCount();
        auto* slider = new QSlider(Qt::Horizontal, gauge);
        slider->setRange(0, 255);
        setCtrlId(slider, kSldFuelFull + i);
        auto* number = new QLabel(QStringLiteral("0"), gauge);
        setCtrlId(number, kNumFuelFull + i);
        auto* lamp = new CColorStatic(gauge);
        setCtrlId(lamp, kLampFull + i);
        lamp->setFramed(true);
        lamp->setMinimumSize(24, 16);
        lamp->setBackgroundColor(CFuelGauge::kDark);
        gaugeGrid->addWidget(slider, row, 0);
        gaugeGrid->addWidget(number, row, 1);
        gaugeGrid->addWidget(lamp, row, 2);
        m_sliders[static_cast<std::size_t>(i)] = slider;
        m_numbers[static_cast<std::size_t>(i)] = number;
        m_lamps[static_cast<std::size_t>(i)] = lamp;
        connect(slider, &QSlider::valueChanged, this, [this, i] { OnHScroll(i); });
    }
    m_fuelLevel = new QLabel(QStringLiteral("0"), gauge);
    setCtrlId(m_fuelLevel, kLblFuelLevel);
    gaugeGrid->addWidget(m_fuelLevel, gaugeGrid->rowCount(), 0);
    columns->addWidget(gauge, 0, Qt::AlignTop);

    connect(m_temprSwitch, &QComboBox::activated, this,
            &CPanelSwitchPage::OnSelendokCmbTemprSwitch);
    connect(m_rpmSwitch, &QComboBox::activated, this, &CPanelSwitchPage::OnSelendokCmbRpmSwitch);
    connect(m_switchDelay, &QComboBox::activated, this,
            &CPanelSwitchPage::OnSelendokCmbSwitchDelay);
    connect(m_emulatorDelay, &QComboBox::activated, this,
            &CPanelSwitchPage::OnSelendokCmbEmulatorDelay);
    connect(m_pressAverage, &QComboBox::activated, this,
            &CPanelSwitchPage::OnSelendokCmbPressAverage);
    connect(m_maxRpm, &QComboBox::activated, this, &CPanelSwitchPage::OnSelendokCmbMaxRpm);
    connect(m_minRpm, &QComboBox::activated, this, &CPanelSwitchPage::OnSelendokCmbMinRpm);
    connect(m_maxLoad, &QComboBox::activated, this, &CPanelSwitchPage::OnSelendokCmbMaxLoad);
    connect(m_fuelSensor, &QComboBox::activated, this, &CPanelSwitchPage::OnSelendokCmbFuelSensor);
    connect(m_minLpgTempr, &QCheckBox::clicked, this, &CPanelSwitchPage::OnChkMinLpgTempr);
    connect(m_autoCalibration, &QCheckBox::clicked, this, &CPanelSwitchPage::OnChkAutoCalibration);
    m_texts.apply(this);
}

void CPanelSwitchPage::updatePage() {
    m_texts.apply(this);
    m_temprSwitch->clearEntries();
    m_temprSwitch->addRange(0, 70, 1, 0);
    m_rpmSwitch->clearEntries();
    m_rpmSwitch->addRange(500, 5000, 100, 0);
    m_switchDelay->clearEntries();
    m_switchDelay->addRange(0, 120, 1, 0);
    m_emulatorDelay->clearEntries();
    m_emulatorDelay->addRange(0.0, 5.0, 0.1, 1);
    m_maxRpm->clearEntries();
    m_maxRpm->addRange(2800, 8000, 100, 0);
    m_maxLoad->clearEntries();
    m_maxLoad->addNumber(0, 0);
    m_maxLoad->addRange(5, 30, 1, 0);
    m_pressAverage->clearEntries();
    m_pressAverage->addRange(1, 40, 1, 1);
    m_minRpm->clearEntries();
    m_minRpm->addRange(500, 2000, 100, 0);
    m_fuelSensor->setEntries({CValueCmbBox::textEntry(tr8("0-90 Ohm rosnący"), 1),
                              CValueCmbBox::textEntry(tr8("0-90 Ohm malejący"), 6),
                              CValueCmbBox::textEntry(tr8("50 kOhm malejący"), 0),
                              CValueCmbBox::textEntry(tr8("50 kOhm rosnący"), 5),
                              CValueCmbBox::textEntry(tr8("CNG Hall 5-0V"), 3),
                              CValueCmbBox::textEntry(tr8("CNG Hall 0-5V"), 4)});
    if (doc() == nullptr)
        return;

    const DeviceSettings& image = doc()->settings();
    const bool maxLoad = image.m_devInfo.m_version >= kVersionMaxLoad;
    m_maxLoad->setVisible(maxLoad);
    m_maxLoadLabel->setVisible(maxLoad);
    m_maxLoadUnit->setVisible(maxLoad);

    m_temprSwitch->selectValue(image.m_base.m_switchTempr);
    m_rpmSwitch->selectValue(image.m_base.m_switchRPM);
    m_switchDelay->selectValue(image.m_base.m_switchDelay);
    m_emulatorDelay->selectValue(image.m_base.m_emulatorDelay);
    m_maxRpm->selectValue(image.m_base.m_maxRPMHigh);
    m_maxLoad->selectValue(image.m_advancedSetup.m_maxLoad);
    m_pressAverage->selectValue(image.m_base.m_pressAverageCount);
    m_minRpm->selectValue(image.m_advancedSetup.m_minimalLPGRPM);
    m_fuelSensor->selectValue(image.m_sensorsSetup.m_fuelSensorType);
    m_minLpgTempr->setChecked((image.m_base.m_flags & kBaseFlagMinGasTempr) != 0);
    m_autoCalibration->setChecked(
        (image.m_advancedSetup.m_advancedFlags & kAdvFlagAutoCalibration) != 0);
    showMarks();
    CDiag record;
    if (doc()->latestRecord(record))
        showGauge(record.fuelLevel());
}

void CPanelSwitchPage::refreshLive() {
    if (++m_refreshCount < kFuelRefreshEvery)
        return;
    m_refreshCount = 0;
    CDiag record;
    if (doc() == nullptr || !doc()->isConnected() || !doc()->latestRecord(record))
        return;
    const QString reading = QString::number(record.fuelLevel());
    if (m_fuelLevel->text() != reading)
        m_fuelLevel->setText(reading);
    showGauge(record.fuelLevel());
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
    runWithController(doc(), seams(), reportName, [this, box, member] {
        const double value = box->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_base.*member, value))
            runPanelSteps(*doc(), seams(), {PanelStep::Base});
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
    runWithController(doc(), seams(), "CPanelSwitchPage::OnSelendokCmbMaxRpm()", [this] {
        const double value = m_maxRpm->selectedValue();
        auto& base = doc()->editSettings().m_base;
        if (value < 0 || value == base.m_maxRPMHigh)
            return;
        applyMaxRpm(base, value);
        runPanelSteps(*doc(), seams(), {PanelStep::Base});
    });
}

void CPanelSwitchPage::OnSelendokCmbMinRpm() {
    runWithController(doc(), seams(), "CPanelSwitchPage::OnSelendokCmbMinRpm()", [this] {
        const double value = m_minRpm->selectedValue();
        auto& setup = doc()->editSettings().m_advancedSetup;
        if (value < 0 || value == setup.m_minimalLPGRPM)
            return;
        applyMinLpgRpm(setup, value);
        runPanelSteps(*doc(), seams(), {PanelStep::AdvancedSetup});
    });
}

void CPanelSwitchPage::OnSelendokCmbMaxLoad() {
    runWithController(doc(), seams(), "CPanelSwitchPage::OnSelendokCmbMaxLoad()", [this] {
        const double value = m_maxLoad->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_advancedSetup.m_maxLoad, value))
            runPanelSteps(*doc(), seams(), {PanelStep::AdvancedSetup});
    });
}

// The report name is the one the fitters' support knows this box by.
void CPanelSwitchPage::OnSelendokCmbFuelSensor() {
    runWithController(doc(), seams(), "CPanelSwitchPage::OnSelendokCmbSwitchDelay()", [this] {
        const double value = m_fuelSensor->selectedValue();
        auto& sensors = doc()->editSettings().m_sensorsSetup;
        if (value < 0 || value == sensors.m_fuelSensorType)
            return;
        if (!applyFuelSensorType(sensors, static_cast<std::uint8_t>(value)))
            return;
        showMarks();
        runPanelSteps(*doc(), seams(), {PanelStep::Sensors});
    });
}

void CPanelSwitchPage::OnChkMinLpgTempr() {
    runWithController(doc(), seams(), "CPanelSwitchPage::OnChkMinLpgTempr()", [this] {
        auto& base = doc()->editSettings().m_base;
        const bool on = m_minLpgTempr->isChecked();
        if (((base.m_flags & kBaseFlagMinGasTempr) != 0) == on)
            return;
        base.m_flags = withBit(base.m_flags, kBaseFlagMinGasTempr, on);
        runPanelSteps(*doc(), seams(), {PanelStep::Base});
    });
}

void CPanelSwitchPage::OnChkAutoCalibration() {
    runWithController(doc(), seams(), "CPanelSwitchPage::OnSelendokCmbMinRpm()", [this] {
        auto& setup = doc()->editSettings().m_advancedSetup;
        const bool on = m_autoCalibration->isChecked();
        if (((setup.m_advancedFlags & kAdvFlagAutoCalibration) != 0) == on)
            return;
        setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagAutoCalibration, on);
        runPanelSteps(*doc(), seams(), {PanelStep::AdvancedSetup});
    });
}

// A port error while dragging must not escape into the event loop: it is
// reported like any handler's.
void CPanelSwitchPage::OnHScroll(int slider) {
    if (slider < 0 || slider > 3)
        return;
    const auto index = static_cast<std::size_t>(slider);
    const int position = m_sliders[index]->value();
    m_numbers[index]->setText(QString::number(position));
    if (doc() == nullptr || !doc()->isConnected())
        return;
    CBusyScope busy(seams().cursor);
    runPanelHandler(seams(), "CPanelSwitchPage::OnHScroll()", [this, index, position] {
        const auto marks = marksOf(doc()->editSettings().m_sensorsSetup);
        if (*marks[index] == position)
            return;
        *marks[index] = static_cast<std::uint8_t>(position);
        runPanelSteps(*doc(), seams(), {PanelStep::Sensors});
    });
}
