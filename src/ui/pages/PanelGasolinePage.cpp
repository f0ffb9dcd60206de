#include "pages/PanelGasolinePage.h"

#include "app/IDocumentPort.h"
#include "controls/ChoiceFill.h"
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
#include <QVBoxLayout>

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

// A wiring the box has no entry for, shown by its name when it has one,
// else by its bytes.
QString wiringText(const DeviceSettings& image, int pattern) {
    if (pattern == InjPatternSemiSequential)
        return tr8("Półsekwencja");
    QStringList bytes;
    const int count = image.m_devInfo.m_injCount >= 1 && image.m_devInfo.m_injCount <= 8
                          ? image.m_devInfo.m_injCount
                          : static_cast<int>(image.m_adv.m_injSequence.size());
    for (int i = 0; i < count; ++i)
        bytes << QStringLiteral("%1")
                     .arg(image.m_adv.m_injSequence[static_cast<std::size_t>(i)], 2, 16,
                          QLatin1Char('0'))
                     .toUpper();
    return bytes.join(QLatin1Char(' '));
}

} // namespace

CPanelGasolinePage::CPanelGasolinePage(QWidget* parent) : CAppPropPage("Panel Petrol", parent) {
    setTextScope(this);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(gateBar());
    auto* grid = new QGridLayout;
    outer->addLayout(grid, 1);
    m_rpmDiv = CSettingBinding(addRow(grid, this, kLblRpmDiv, kCmbRpmDiv), "m_base.m_sparkDivider");
    m_rpmLevel = addRow(grid, this, kLblRpmLevel, kCmbRpmLevel);
    m_engineType = addRow(grid, this, kLblEngineType, kCmbEngineType);
    m_lambdaType = CSettingBinding(addRow(grid, this, kLblLambdaType, kCmbLambdaType),
                                   "m_sensorsSetup.m_lambdaType");
    m_injType = addRow(grid, this, kLblGasInjType, kCmbGasInjType);
    auto* injSignal = new QCheckBox(this);
    setCtrlId(injSignal, kChkInjSignal);
    m_injSignal = CFlagBinding(injSignal, "m_adv.m_engineSignalBehavior", kEngineSignalPlus);
    grid->addWidget(injSignal, grid->rowCount(), 0, 1, 2);
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(2, 1);

    connect(m_rpmDiv.box(), &CValueCmbBox::picked, this, &CPanelGasolinePage::OnSelendokCmbRpmDiv);
    connect(m_rpmLevel, &CValueCmbBox::picked, this, &CPanelGasolinePage::OnSelendokCmbRpmLevel);
    connect(m_engineType, &CValueCmbBox::picked, this,
            &CPanelGasolinePage::OnSelendokCmbEngineType);
    connect(m_lambdaType.box(), &CValueCmbBox::picked, this,
            &CPanelGasolinePage::OnSelendokCmbLambdaType);
    connect(m_injType, &CValueCmbBox::picked, this, &CPanelGasolinePage::OnSelendokCmbGasInjType);
    connect(m_injSignal.box(), &QCheckBox::clicked, this, &CPanelGasolinePage::OnChkInjSignal);
    m_texts.apply(this);
}

void CPanelGasolinePage::updatePage() {
    m_texts.apply(this);
    const std::int32_t version = doc() != nullptr ? doc()->settings().m_devInfo.m_version : 0;
    m_rpmDiv.fill(version);
    fillChoices(*m_rpmLevel, Choice::RpmLevel, version);
    fillChoices(*m_engineType, Choice::EngineType, version);
    m_lambdaType.fill(version);
    fillChoices(*m_injType, Choice::InjSequence, version);
    if (doc() == nullptr)
        return;

    const DeviceSettings& image = doc()->settings();
    const std::uint8_t flags = image.m_advancedSetup.m_advancedFlags;
    m_rpmDiv.show(image);
    m_rpmLevel->showValue((flags & kAdvFlagRpm5V) ? 1 : 0);
    m_engineType->showValue((flags & kAdvFlagTurbo) ? 1 : 0);
    m_lambdaType.show(image);
    // Semi-sequential and unnamed wirings have no entry: they are shown as
    // they are until the fitter picks one.
    const int pattern = recognizeInjPattern(image.m_adv.m_injSequence, image.m_devInfo.m_injCount);
    m_injType->showValue(pattern, wiringText(image, pattern));
    m_injSignal.show(image);
    showUnread({SettingBlock::DevInfo, SettingBlock::Sensors, SettingBlock::Base, SettingBlock::Adv,
                SettingBlock::AdvancedSetup});
}

void CPanelGasolinePage::OnSelendokCmbEngineType() {
    runEdit("CPanelGasolinePage::OnSelendokCmbEngineType()", [this] {
        if (m_engineType->selectedValue() < 0)
            return;
        const bool turbo = m_engineType->selectedValue() == 1;
        auto& setup = doc()->editSettings().m_advancedSetup;
        setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagTurbo, turbo);
        writePanelBlocks(*doc(), seams(), {SettingBlock::AdvancedSetup});
    });
}

void CPanelGasolinePage::OnSelendokCmbRpmLevel() {
    runEdit("CPanelGasolinePage::OnSelendokCmbRpmLevel()", [this] {
        if (m_rpmLevel->selectedValue() < 0)
            return;
        const bool fiveVolt = m_rpmLevel->selectedValue() == 1;
        auto& setup = doc()->editSettings().m_advancedSetup;
        setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagRpm5V, fiveVolt);
        writePanelBlocks(*doc(), seams(), {SettingBlock::AdvancedSetup});
    });
}

void CPanelGasolinePage::OnChkInjSignal() {
    editFlag("CPanelGasolinePage::OnChkInjSignal()", m_injSignal, kPetrolFirst | kRestartAfter);
}

void CPanelGasolinePage::OnSelendokCmbLambdaType() {
    runEdit("CPanelGasolinePage::OnSelendokCmbLambdaType()", [this] {
        DeviceSettings& image = doc()->editSettings();
        if (!m_lambdaType.take(image))
            return;
        if (m_lambdaTypeHook)
            m_lambdaTypeHook(image.m_sensorsSetup.m_lambdaType);
        writePanelBlocks(*doc(), seams(), {SettingBlock::Sensors});
    });
}

void CPanelGasolinePage::OnSelendokCmbRpmDiv() {
    editSetting("CPanelGasolinePage::OnSelendokCmbRpmDiv()", m_rpmDiv);
}

void CPanelGasolinePage::OnSelendokCmbGasInjType() {
    runEdit("CPanelGasolinePage::OnSelendokCmbGasInjType()", [this] {
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
        writePanelBlocks(*doc(), seams(), {SettingBlock::Adv}, kPetrolFirst | kRestartAfter);
    });
}
