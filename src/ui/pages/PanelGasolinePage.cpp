#include "pages/PanelGasolinePage.h"

#include "app/IDocumentPort.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/InjPattern.h"
#include "lang/Translate.h"
#include "pages/PanelIds.h"
#include "pages/PanelWrite.h"
#include "panels/PanelPresets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

using namespace vexor;
using namespace vexor::panel_ids;

namespace {

QString tr8(const char* polish) {
    return QString::fromStdString(translate(polish));
}

CValueCmbBox* addRow(QGridLayout* grid, QWidget* page, int labelId, int comboId) {
    const int row = grid->rowCount();
    auto* label = new QLabel(page);
    setCtrlId(label, labelId);
    auto* combo = new CValueCmbBox(page);
    setCtrlId(combo, comboId);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    return combo;
}

} // namespace

CPanelGasolinePage::CPanelGasolinePage(QWidget* parent) : CAppPropPage("Panel Petrol", parent) {
    setTextScope(this);
    auto* grid = new QGridLayout(this);
    m_rpmDiv = addRow(grid, this, kLblRpmDiv, kCmbRpmDiv);
    m_rpmLevel = addRow(grid, this, kLblRpmLevel, kCmbRpmLevel);
    m_engineType = addRow(grid, this, kLblEngineType, kCmbEngineType);
    m_lambdaType = addRow(grid, this, kLblLambdaType, kCmbLambdaType);
    m_injType = addRow(grid, this, kLblGasInjType, kCmbGasInjType);
    m_injSignal = new QCheckBox(this);
    setCtrlId(m_injSignal, kChkInjSignal);
    grid->addWidget(m_injSignal, grid->rowCount(), 0, 1, 2);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(2, 1);

    connect(m_rpmDiv, &QComboBox::activated, this, &CPanelGasolinePage::OnSelendokCmbRpmDiv);
    connect(m_rpmLevel, &QComboBox::activated, this, &CPanelGasolinePage::OnSelendokCmbRpmLevel);
    connect(m_engineType, &QComboBox::activated, this,
            &CPanelGasolinePage::OnSelendokCmbEngineType);
    connect(m_lambdaType, &QComboBox::activated, this,
            &CPanelGasolinePage::OnSelendokCmbLambdaType);
    connect(m_injType, &QComboBox::activated, this, &CPanelGasolinePage::OnSelendokCmbGasInjType);
    connect(m_injSignal, &QCheckBox::clicked, this, &CPanelGasolinePage::OnChkInjSignal);
    m_texts.apply(this);
}

void CPanelGasolinePage::updatePage() {
    m_texts.apply(this);
    m_rpmDiv->setEntries({CValueCmbBox::numberEntry(1, 0), CValueCmbBox::numberEntry(2, 0),
                          CValueCmbBox::numberEntry(3, 0), CValueCmbBox::numberEntry(4, 0),
                          CValueCmbBox::numberEntry(5, 0), CValueCmbBox::numberEntry(6, 0),
                          CValueCmbBox::numberEntry(8, 0)});
    m_rpmLevel->setEntries(
        {CValueCmbBox::textEntry(tr8("5 V"), 1), CValueCmbBox::textEntry(tr8("12 V"), 0)});
    m_engineType->setEntries(
        {CValueCmbBox::textEntry(tr8("STANDARD"), 0), CValueCmbBox::textEntry(tr8("TURBO"), 1)});
    m_lambdaType->setEntries({CValueCmbBox::textEntry(tr8("0 - 1 Volt"), 1),
                              CValueCmbBox::textEntry(tr8("0.8 - 1.6 Volt"), 6),
                              CValueCmbBox::textEntry(tr8("0 - 5 Volt"), 2),
                              CValueCmbBox::textEntry(tr8("5 - 0 Volt"), 4)});
    m_injType->setEntries({CValueCmbBox::textEntry(tr8("Sekwencja"), InjPatternSequential),
                           CValueCmbBox::textEntry(tr8("Full group"), InjPatternFullGroup)});
    if (doc() == nullptr)
        return;

    const DeviceSettings& image = doc()->settings();
    const std::uint8_t flags = image.m_advancedSetup.m_advancedFlags;
    m_rpmDiv->selectValue(image.m_base.m_sparkDivider);
    m_rpmLevel->selectValue((flags & kAdvFlagRpm5V) ? 1 : 0);
    m_engineType->selectValue((flags & kAdvFlagTurbo) ? 1 : 0);
    m_lambdaType->selectValue(image.m_sensorsSetup.m_lambdaType);
    // A wiring without an entry (semi-sequential, or none with a name)
    // leaves the box as it was.
    m_injType->selectValue(
        recognizeInjPattern(image.m_adv.m_injSequence, image.m_devInfo.m_injCount));
    m_injSignal->setChecked((image.m_adv.m_engineSignalBehavior & kEngineSignalPlus) != 0);
}

void CPanelGasolinePage::OnSelendokCmbEngineType() {
    runWithController(doc(), seams(), "CPanelGasolinePage::OnSelendokCmbEngineType()", [this] {
        const bool turbo = m_engineType->selectedValue() == 1;
        auto& setup = doc()->editSettings().m_advancedSetup;
        setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagTurbo, turbo);
        runPanelSteps(*doc(), seams(), {PanelStep::AdvancedSetup});
    });
}

void CPanelGasolinePage::OnSelendokCmbRpmLevel() {
    runWithController(doc(), seams(), "CPanelGasolinePage::OnSelendokCmbRpmLevel()", [this] {
        const bool fiveVolt = m_rpmLevel->selectedValue() == 1;
        auto& setup = doc()->editSettings().m_advancedSetup;
        setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagRpm5V, fiveVolt);
        runPanelSteps(*doc(), seams(), {PanelStep::AdvancedSetup});
    });
}

void CPanelGasolinePage::OnChkInjSignal() {
    runWithController(doc(), seams(), "CPanelGasolinePage::OnChkInjSignal()", [this] {
        auto& adv = doc()->editSettings().m_adv;
        const bool plus = m_injSignal->isChecked();
        if (((adv.m_engineSignalBehavior & kEngineSignalPlus) != 0) == plus)
            return;
        adv.m_engineSignalBehavior = withBit(adv.m_engineSignalBehavior, kEngineSignalPlus, plus);
        runPanelSteps(*doc(), seams(), {PanelStep::WaitPetrol, PanelStep::Adv, PanelStep::Restart});
    });
}

void CPanelGasolinePage::OnSelendokCmbLambdaType() {
    runWithController(doc(), seams(), "CPanelGasolinePage::OnSelendokCmbLambdaType()", [this] {
        const double value = m_lambdaType->selectedValue();
        auto& sensors = doc()->editSettings().m_sensorsSetup;
        if (!takePanelChoice(sensors.m_lambdaType, value))
            return;
        if (m_lambdaTypeHook)
            m_lambdaTypeHook(sensors.m_lambdaType);
        runPanelSteps(*doc(), seams(), {PanelStep::Sensors});
    });
}

void CPanelGasolinePage::OnSelendokCmbRpmDiv() {
    runWithController(doc(), seams(), "CPanelGasolinePage::OnSelendokCmbRpmDiv()", [this] {
        const double value = m_rpmDiv->selectedValue();
        if (takePanelChoice(doc()->editSettings().m_base.m_sparkDivider, value))
            runPanelSteps(*doc(), seams(), {PanelStep::Base});
    });
}

// Tried also without a connection: the refused write tells the fitter that
// the change did not reach the controller.
void CPanelGasolinePage::OnSelendokCmbGasInjType() {
    if (doc() == nullptr)
        return;
    CBusyScope busy(seams().cursor);
    runPanelHandler(seams(), "CPanelGasolinePage::OnSelendokCmbGasInjType()", [this] {
        const double value = m_injType->selectedValue();
        if (value < 0)
            return;
        const int chosen = static_cast<int>(value);
        const InjPattern pattern = chosen == InjPatternSemiSequential ? InjPatternSemiSequential
                                   : chosen == InjPatternFullGroup    ? InjPatternFullGroup
                                                                      : InjPatternSequential;
        DeviceSettings& image = doc()->editSettings();
        const InjSequence wiring = injPatternForCount(pattern, image.m_devInfo.m_injCount);
        // The controller restarts for this one: skip it when nothing changes.
        if (wiring == image.m_adv.m_injSequence)
            return;
        image.m_adv.m_injSequence = wiring;
        runPanelSteps(*doc(), seams(), {PanelStep::WaitPetrol, PanelStep::Adv, PanelStep::Restart});
    });
}
