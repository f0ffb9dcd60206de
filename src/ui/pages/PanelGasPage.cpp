#include "pages/PanelGasPage.h"

#include "app/IDocumentPort.h"
#include "controls/ChoiceFill.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "lang/Translate.h"
#include "pages/PanelIds.h"
#include "pages/PanelWrite.h"
#include "panels/PanelPresets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace vexor;
using namespace vexor::panel_ids;

namespace {

QString tr8(const char* polish) {
    return QString::fromStdString(translate(polish));
}

QGroupBox* addGroup(QVBoxLayout* column, QWidget* page, int id, QGridLayout*& grid) {
    auto* group = new QGroupBox(page);
    setCtrlId(group, id);
    grid = new QGridLayout(group);
    // Extra width goes past the units, so the boxes keep their size.
    grid->setColumnStretch(3, 1);
    column->addWidget(group);
    return group;
}

CValueCmbBox* addRow(QGridLayout* grid, QWidget* owner, int labelId, int comboId,
                     const char* unit) {
    const int row = grid->rowCount();
    auto* label = new QLabel(owner);
    setCtrlId(label, labelId);
    auto* combo = new CValueCmbBox(owner);
    setCtrlId(combo, comboId);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    if (unit != nullptr)
        grid->addWidget(new QLabel(QString::fromUtf8(unit), owner), row, 2);
    return combo;
}

} // namespace

CPanelGasPage::CPanelGasPage(QWidget* parent) : CAppPropPage("Panel Gaz", parent) {
    setTextScope(this);
    auto* column = new QVBoxLayout(this);
    column->addWidget(gateBar());
    QGridLayout* grid = nullptr;

    QGroupBox* injGroup = addGroup(column, this, kGrpLpgInj, grid);
    m_lpgInj = new CValueCmbBox(injGroup);
    setCtrlId(m_lpgInj, kCmbLpgInj);
    grid->addWidget(m_lpgInj, 0, 0);

    QGroupBox* pressGroup = addGroup(column, this, kGrpPressures, grid);
    m_pressSwitch = addRow(grid, pressGroup, kLblPressSwitch, kCmbPressSwitch, "kPa");
    m_pressRef = addRow(grid, pressGroup, kLblPressRef, kCmbPressRef, "kPa");

    QGroupBox* sensorGroup = addGroup(column, this, kGrpSensors, grid);
    m_pressSensor = addRow(grid, sensorGroup, kLblPressSensorType, kCmbPressSensorType, nullptr);
    m_temprRed = addRow(grid, sensorGroup, kLblTemprRedSensor, kCmbTemprRedSensor, nullptr);
    m_temprLpg = addRow(grid, sensorGroup, kLblTemprLpgSensor, kCmbTemprLpgSensor, nullptr);
    column->addStretch(1);

    connect(m_lpgInj, &CValueCmbBox::picked, this, &CPanelGasPage::OnSelendokCmbLpgInj);
    connect(m_pressSwitch, &CValueCmbBox::picked, this, &CPanelGasPage::OnSelendokCmbPressSwitch);
    connect(m_pressRef, &CValueCmbBox::picked, this, &CPanelGasPage::OnSelendokCmbPressRef);
    connect(m_pressSensor, &CValueCmbBox::picked, this,
            &CPanelGasPage::OnSelendokCmbPressSensorType);
    connect(m_temprRed, &CValueCmbBox::picked, this, &CPanelGasPage::OnSelendokCmbTemprRedSensor);
    connect(m_temprLpg, &CValueCmbBox::picked, this, &CPanelGasPage::OnSelendokCmbTemprLpgSensor);
    m_texts.apply(this);
}

void CPanelGasPage::updatePage() {
    m_texts.apply(this);
    const DeviceSettings* image = doc() != nullptr ? &doc()->settings() : nullptr;
    const std::int32_t version = image != nullptr ? image->m_devInfo.m_version : 0;
    fillChoices(*m_lpgInj, Choice::InjectorType, version);
    fillChoices(*m_pressSwitch, Choice::SwitchPressure, version);
    fillChoices(*m_pressRef, Choice::PressureRefGas, version);
    fillChoices(*m_temprRed, Choice::TemprSensor, version);
    fillChoices(*m_temprLpg, Choice::TemprSensor, version);
    // Older controllers know no 250 kPa sensor: the list leaves it out.
    fillChoices(*m_pressSensor, Choice::PressureSensor, version);
    if (image == nullptr)
        return;

    m_lpgInj->showValue(image->m_adv.m_injectorType);
    m_pressSwitch->showValue(image->m_base.m_switchPressure);
    m_pressRef->showValue(image->m_base.m_pressureRef);
    // A 250 kPa sensor set on a controller that does not offer it shows as
    // what it is, not as the first entry.
    const int sensor = pressureSensorType(image->m_advancedSetup);
    m_pressSensor->showValue(sensor, sensor == 2 ? tr8("KORVANTIS 250KPA") : QString());
    m_temprRed->showValue(image->m_sensorsSetup.m_temprEngineSensor);
    m_temprLpg->showValue(image->m_sensorsSetup.m_temprLPGSensor);
    showUnread({SettingBlock::DevInfo, SettingBlock::Sensors, SettingBlock::Base, SettingBlock::Adv,
                SettingBlock::AdvancedSetup});
}

void CPanelGasPage::OnSelendokCmbLpgInj() {
    runEdit("CPanelGasPage::OnSelendokCmbLpgInj()", [this] {
        const double value = m_lpgInj->selectedValue();
        auto& adv = doc()->editSettings().m_adv;
        if (value < 0 || value == adv.m_injectorType)
            return;
        applyInjectorType(adv, static_cast<std::uint8_t>(value));
        writePanelBlocks(*doc(), seams(), {SettingBlock::Adv});
    });
}

void CPanelGasPage::OnSelendokCmbPressRef() {
    runEdit("CPanelGasPage::OnSelendokCmbPressRef()", [this] {
        const double value = m_pressRef->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_base.m_pressureRef, value))
            writePanelBlocks(*doc(), seams(), {SettingBlock::Base});
    });
}

void CPanelGasPage::OnSelendokCmbPressSwitch() {
    runEdit("CPanelGasPage::OnSelendokCmbPressSwitch()", [this] {
        const double value = m_pressSwitch->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_base.m_switchPressure, value))
            writePanelBlocks(*doc(), seams(), {SettingBlock::Base});
    });
}

// Written even when unchanged: the refused write tells the fitter the
// sensor setting did not reach the controller.
void CPanelGasPage::OnSelendokCmbPressSensorType() {
    runEdit("CPanelGasPage::OnSelendokCmbPressSensorType()", [this] {
        const double value = m_pressSensor->selectedValue();
        if (value < 0)
            return;
        applyPressureSensorType(doc()->editSettings().m_advancedSetup, static_cast<int>(value));
        writePanelBlocks(*doc(), seams(), {SettingBlock::AdvancedSetup}, kRestartAfter);
    });
}

void CPanelGasPage::writeTemprSensor(CValueCmbBox* box,
                                     std::uint8_t DeviceSettings::SensorsSetup::*member,
                                     const char* reportName) {
    runEdit(reportName, [this, box, member] {
        const double value = box->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_sensorsSetup.*member, value))
            writePanelBlocks(*doc(), seams(),
                             {SettingBlock::Base, SettingBlock::Adv, SettingBlock::Sensors});
    });
}

void CPanelGasPage::OnSelendokCmbTemprRedSensor() {
    writeTemprSensor(m_temprRed, &DeviceSettings::SensorsSetup::m_temprEngineSensor,
                     "CPanelGasPage::OnSelendokCmbTemprRedSensor()");
}

void CPanelGasPage::OnSelendokCmbTemprLpgSensor() {
    writeTemprSensor(m_temprLpg, &DeviceSettings::SensorsSetup::m_temprLPGSensor,
                     "CPanelGasPage::OnSelendokCmbTemprLpgSensor()");
}
