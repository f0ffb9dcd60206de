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

CValueCmbBox* addRow(QGridLayout* grid, QWidget* owner, int labelId, int comboId) {
    const int row = grid->rowCount();
    auto* label = new QLabel(owner);
    setCtrlId(label, labelId);
    auto* combo = new CValueCmbBox(owner);
    setCtrlId(combo, comboId);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    return combo;
}

// A row of a box bound to a settings row, with the row's unit beside it.
CSettingBinding addBound(QGridLayout* grid, QWidget* owner, int labelId, int comboId,
                         const char* key) {
    const CSettingBinding bound(addRow(grid, owner, labelId, comboId), key);
    const QString unit = bound.unitText();
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit, owner), grid->rowCount() - 1, 2);
    return bound;
}

} // namespace

CPanelGasPage::CPanelGasPage(QWidget* parent) : CAppPropPage("Panel Gaz", parent) {
    setTextScope(this);
    auto* column = new QVBoxLayout(this);
    column->addWidget(gateBar());
    QGridLayout* grid = nullptr;

    QGroupBox* injGroup = addGroup(column, this, kGrpLpgInj, grid);
    auto* lpgInj = new CValueCmbBox(injGroup);
    setCtrlId(lpgInj, kCmbLpgInj);
    grid->addWidget(lpgInj, 0, 0);
    m_lpgInj = CSettingBinding(lpgInj, "m_adv.m_injectorType");

    QGroupBox* pressGroup = addGroup(column, this, kGrpPressures, grid);
    m_pressSwitch =
        addBound(grid, pressGroup, kLblPressSwitch, kCmbPressSwitch, "m_base.m_switchPressure");
    m_pressRef = addBound(grid, pressGroup, kLblPressRef, kCmbPressRef, "m_base.m_pressureRef");

    QGroupBox* sensorGroup = addGroup(column, this, kGrpSensors, grid);
    m_pressSensor = addRow(grid, sensorGroup, kLblPressSensorType, kCmbPressSensorType);
    m_temprRed = addBound(grid, sensorGroup, kLblTemprRedSensor, kCmbTemprRedSensor,
                          "m_sensorsSetup.m_temprEngineSensor");
    m_temprLpg = addBound(grid, sensorGroup, kLblTemprLpgSensor, kCmbTemprLpgSensor,
                          "m_sensorsSetup.m_temprLPGSensor");
    column->addStretch(1);

    connect(m_lpgInj.box(), &CValueCmbBox::picked, this, &CPanelGasPage::OnSelendokCmbLpgInj);
    connect(m_pressSwitch.box(), &CValueCmbBox::picked, this,
            &CPanelGasPage::OnSelendokCmbPressSwitch);
    connect(m_pressRef.box(), &CValueCmbBox::picked, this, &CPanelGasPage::OnSelendokCmbPressRef);
    connect(m_pressSensor, &CValueCmbBox::picked, this,
            &CPanelGasPage::OnSelendokCmbPressSensorType);
    connect(m_temprRed.box(), &CValueCmbBox::picked, this,
            &CPanelGasPage::OnSelendokCmbTemprRedSensor);
    connect(m_temprLpg.box(), &CValueCmbBox::picked, this,
            &CPanelGasPage::OnSelendokCmbTemprLpgSensor);
    m_texts.apply(this);
}

void CPanelGasPage::updatePage() {
    m_texts.apply(this);
    const DeviceSettings* image = doc() != nullptr ? &doc()->settings() : nullptr;
    const std::int32_t version = image != nullptr ? image->m_devInfo.m_version : 0;
    for (const CSettingBinding* bound :
         {&m_lpgInj, &m_pressSwitch, &m_pressRef, &m_temprRed, &m_temprLpg})
        bound->fill(version);
    // Older controllers know no 250 kPa sensor: the list leaves it out.
    fillChoices(*m_pressSensor, Choice::PressureSensor, version);
    if (image == nullptr)
        return;

    for (const CSettingBinding* bound : {&m_lpgInj, &m_pressSwitch, &m_pressRef})
        bound->show(*image);
    // A 250 kPa sensor set on a controller that does not offer it shows as
    // what it is, not as the first entry.
    const int sensor = pressureSensorType(image->m_advancedSetup);
    m_pressSensor->showValue(sensor, sensor == 2 ? tr8("KORVANTIS 250KPA") : QString());
    m_temprRed.show(*image);
    m_temprLpg.show(*image);
    showUnread({SettingBlock::DevInfo, SettingBlock::Sensors, SettingBlock::Base, SettingBlock::Adv,
                SettingBlock::AdvancedSetup});
}

void CPanelGasPage::OnSelendokCmbLpgInj() {
    runEdit("CPanelGasPage::OnSelendokCmbLpgInj()", [this] {
        const double value = m_lpgInj.box()->selectedValue();
        auto& adv = doc()->editSettings().m_adv;
        if (value < 0 || value == adv.m_injectorType)
            return;
        applyInjectorType(adv, static_cast<std::uint8_t>(value));
        writePanelBlocks(*doc(), seams(), {SettingBlock::Adv});
    });
}

void CPanelGasPage::OnSelendokCmbPressRef() {
    editSetting("CPanelGasPage::OnSelendokCmbPressRef()", m_pressRef);
}

void CPanelGasPage::OnSelendokCmbPressSwitch() {
    editSetting("CPanelGasPage::OnSelendokCmbPressSwitch()", m_pressSwitch);
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

void CPanelGasPage::writeTemprSensor(const CSettingBinding& sensor, const char* reportName) {
    runEdit(reportName, [this, &sensor] {
        if (sensor.take(doc()->editSettings()))
            writePanelBlocks(*doc(), seams(),
                             {SettingBlock::Base, SettingBlock::Adv, SettingBlock::Sensors});
    });
}

void CPanelGasPage::OnSelendokCmbTemprRedSensor() {
    writeTemprSensor(m_temprRed, "CPanelGasPage::OnSelendokCmbTemprRedSensor()");
}

void CPanelGasPage::OnSelendokCmbTemprLpgSensor() {
    writeTemprSensor(m_temprLpg, "CPanelGasPage::OnSelendokCmbTemprLpgSensor()");
}
