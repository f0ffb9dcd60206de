#include "pages/AdvancedPage.h"

#include "app/IDocumentPort.h"
#include "common/IError.h"
#include "common/Rounding.h"
#include "controls/CtrlId.h"
#include "controls/ValueCmbBox.h"
#include "device/DeviceSettings.h"
#include "lang/Translate.h"
#include "pages/AdvancedPageIds.h"
#include "pages/PasswdDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <array>
#include <cstdint>
#include <memory>

using namespace vexor::ids;

namespace {

// Advanced flags: bits 0 and 1 injector warming, bit 2 cut-off on petrol,
// bit 3 continuous petrol injection. Base flags: bit 6 FAST mode.
constexpr std::uint8_t kAdvWarming = 0x03;
constexpr std::uint8_t kAdvCutOff = 0x04;
constexpr std::uint8_t kAdvContinuous = 0x08;
constexpr std::uint8_t kBaseFast = 0x40;

void setBits(std::uint8_t& flags, std::uint8_t bits, bool on) {
    flags = on ? static_cast<std::uint8_t>(flags | bits) : static_cast<std::uint8_t>(flags & ~bits);
}

std::uint8_t toByte(double value) {
    return static_cast<std::uint8_t>(vexor::roundInt(value));
}

QLabel* label(QWidget* parent, int id) {
    auto* text = new QLabel(parent);
    vexor::setCtrlId(text, id);
    return text;
}

QLabel* unit(QWidget* parent, const vexor::CSettingBinding& bound) {
    return new QLabel(bound.unitText(), parent);
}

} // namespace

CAdvancedPage::CAdvancedPage(QWidget* parent)
    : CAppPropPage("Zaawansowane", parent),
      m_warmingTime(new CValueCmbBox(this), "m_adv.m_warmingTime"),
      // The working pressure is offered up to 200 kPa here, 250 on the gas panel.
      m_pressureRef(new CValueCmbBox(this), "m_base.m_pressureRef", vexor::Choice::PressureRefAdv),
      m_pressureGain(new CValueCmbBox(this), "m_base.m_pressureGain"),
      m_cutOffPressure(new CValueCmbBox(this), "m_adv.m_cutOffPressSwitch"),
      m_cutOffExitDelay(new CValueCmbBox(this), "m_adv.m_cutOffExitDelay"),
      m_minLpgTime(new CValueCmbBox(this), "m_adv.m_minLPGTime"),
      m_ignoreTime(new CValueCmbBox(this), "m_adv.m_ignoreLPGTime"),
      m_switchCorr(new CValueCmbBox(this), "m_advancedSetup.m_switchCorr"),
      m_switchCorrTime(new CValueCmbBox(this), "m_advancedSetup.m_switchCorrTime"),
      m_chkWarming(new QCheckBox(this), "m_adv.m_flags", kAdvWarming),
      m_chkFast(new QCheckBox(this), "m_base.m_flags", kBaseFast),
      m_chkCutOff(new QCheckBox(this), "m_adv.m_flags", kAdvCutOff),
      m_chkContinuous(new QCheckBox(this), "m_adv.m_flags", kAdvContinuous),
      m_chkSwitchCorr(new QCheckBox(this), "m_advancedSetup.m_advancedFlags",
                      vexor::kAdvFlagSwitchCorr) {
    buildForm();
    m_texts.apply(this);
}

void CAdvancedPage::buildForm() {
    const std::array<std::pair<QWidget*, int>, 14> ids = {{
        {m_warmingTime.box(), kAdvWarmingTime},
        {m_pressureRef.box(), kAdvPressureRef},
        {m_pressureGain.box(), kAdvPressureGain},
        {m_cutOffPressure.box(), kAdvCutOffPressure},
        {m_cutOffExitDelay.box(), kAdvCutOffExitDelay},
        {m_minLpgTime.box(), kAdvMinLpgTime},
        {m_ignoreTime.box(), kAdvIgnoreTime},
        {m_switchCorr.box(), kAdvSwitchCorr},
        {m_switchCorrTime.box(), kAdvSwitchCorrTime},
        {m_chkWarming.box(), kAdvChkWarming},
        {m_chkFast.box(), kAdvChkFast},
        {m_chkCutOff.box(), kAdvChkCutOff},
        {m_chkContinuous.box(), kAdvChkContinuous},
        {m_chkSwitchCorr.box(), kAdvChkSwitchCorr},
    }};
    for (const auto& [widget, id] : ids)
        vexor::setCtrlId(widget, id);

    auto* warming = new QGroupBox(this);
    vexor::setCtrlId(warming, kAdvGrpWarming);
    auto* warmingGrid = new QGridLayout(warming);
    warmingGrid->addWidget(m_chkWarming.box(), 0, 0, 1, 3);
    warmingGrid->addWidget(label(warming, kAdvLblWarmingTime), 1, 0);
    warmingGrid->addWidget(m_warmingTime.box(), 1, 1);
    warmingGrid->addWidget(unit(warming, m_warmingTime), 1, 2);

    auto* pressure = new QGroupBox(this);
    vexor::setCtrlId(pressure, kAdvGrpPressure);
    auto* pressureGrid = new QGridLayout(pressure);
    pressureGrid->addWidget(label(pressure, kAdvLblPressureRef), 0, 0);
    pressureGrid->addWidget(m_pressureRef.box(), 0, 1);
    pressureGrid->addWidget(unit(pressure, m_pressureRef), 0, 2);
    pressureGrid->addWidget(label(pressure, kAdvLblPressureGain), 1, 0);
    pressureGrid->addWidget(m_pressureGain.box(), 1, 1);

    auto* cutOff = new QGroupBox(this);
    vexor::setCtrlId(cutOff, kAdvGrpCutOff);
    auto* cutOffGrid = new QGridLayout(cutOff);
    cutOffGrid->addWidget(m_chkCutOff.box(), 0, 0, 1, 3);
    cutOffGrid->addWidget(label(cutOff, kAdvLblCutOffPressure), 1, 0);
    cutOffGrid->addWidget(m_cutOffPressure.box(), 1, 1);
    cutOffGrid->addWidget(unit(cutOff, m_cutOffPressure), 1, 2);
    cutOffGrid->addWidget(label(cutOff, kAdvLblCutOffExitDelay), 2, 0);
    cutOffGrid->addWidget(m_cutOffExitDelay.box(), 2, 1);
    cutOffGrid->addWidget(unit(cutOff, m_cutOffExitDelay), 2, 2);

    // Extra width goes past the units, so the boxes keep their size.
    for (QGridLayout* inner : {warmingGrid, pressureGrid, cutOffGrid})
        inner->setColumnStretch(3, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(gateBar());
    auto* grid = new QGridLayout;
    outer->addLayout(grid, 1);
    grid->addWidget(warming, 0, 0, 1, 4);
    grid->addWidget(pressure, 0, 4, 1, 3);
    grid->addWidget(cutOff, 1, 0, 1, 4);
    grid->addWidget(m_chkFast.box(), 1, 4, 1, 3, Qt::AlignTop);
    grid->addWidget(label(this, kAdvLblMinLpgTime), 2, 0);
    grid->addWidget(m_minLpgTime.box(), 2, 1);
    grid->addWidget(unit(this, m_minLpgTime), 2, 2);
    grid->addWidget(label(this, kAdvLblIgnoreTime), 3, 0);
    grid->addWidget(m_ignoreTime.box(), 3, 1);
    grid->addWidget(unit(this, m_ignoreTime), 3, 2);
    grid->addWidget(m_chkContinuous.box(), 4, 0, 1, 4);
    grid->addWidget(m_chkSwitchCorr.box(), 5, 0);
    grid->addWidget(m_switchCorr.box(), 5, 1);
    grid->addWidget(unit(this, m_switchCorr), 5, 2);
    grid->addWidget(label(this, kAdvLblSwitchCorrTime), 5, 3);
    grid->addWidget(m_switchCorrTime.box(), 5, 4);
    grid->addWidget(unit(this, m_switchCorrTime), 5, 5);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(7, 1);

    // "picked" fires only for the user's choice of a real entry, never for a
    // refill.
    const auto onPick = [this](CValueCmbBox* box, void (CAdvancedPage::*slot)()) {
        connect(box, &CValueCmbBox::picked, this, slot);
    };
    onPick(m_warmingTime.box(), &CAdvancedPage::OnSelendokCmbWarminTime);
    onPick(m_pressureRef.box(), &CAdvancedPage::OnSelendokCmbPressRef);
    onPick(m_pressureGain.box(), &CAdvancedPage::OnSelendokCmbPressGain);
    onPick(m_minLpgTime.box(), &CAdvancedPage::OnSelendokCmbMinLpgInjTime);
    onPick(m_ignoreTime.box(), &CAdvancedPage::OnSelendokCmbIgnoreTime);
    onPick(m_cutOffPressure.box(), &CAdvancedPage::OnSelendokCmbCutoffPressure);
    onPick(m_cutOffExitDelay.box(), &CAdvancedPage::OnSelendokCmbCutoffExitDelay);
    onPick(m_switchCorr.box(), &CAdvancedPage::OnSelendokSwitchCorr);
    onPick(m_switchCorrTime.box(), &CAdvancedPage::OnSelendokSwitchCorrTime);
    connect(m_chkWarming.box(), &QCheckBox::clicked, this, &CAdvancedPage::OnChkInjWarming);
    connect(m_chkCutOff.box(), &QCheckBox::clicked, this, &CAdvancedPage::OnChkCutOffSwitch);
    connect(m_chkContinuous.box(), &QCheckBox::clicked, this,
            &CAdvancedPage::OnChkContinuousInjection);
    connect(m_chkFast.box(), &QCheckBox::clicked, this, &CAdvancedPage::OnChkFastLpgSwitch);
    connect(m_chkSwitchCorr.box(), &QCheckBox::clicked, this,
            &CAdvancedPage::OnChkSwitchCorrEnable);
}

bool CAdvancedPage::activate() {
    // Without the password the page is shown, but greyed and writing
    // nothing, until the password is given.
    if (doc() != nullptr && !doc()->serviceAccess())
        CPasswdDlg::ensureServiceAccess(*doc(), this);
    updatePage();
    return true;
}

bool CAdvancedPage::locked() const {
    return doc() == nullptr || !doc()->serviceAccess();
}

void CAdvancedPage::showLock() {
    if (!locked()) {
        showUnread({vexor::SettingBlock::Base, vexor::SettingBlock::Adv,
                    vexor::SettingBlock::AdvancedSetup});
        return;
    }
    setGate(QString::fromStdString(vexor::translate("Ta strona wymaga hasła serwisowego.")),
            QString::fromStdString(vexor::translate("Podaj hasło")), [this] {
                if (doc() != nullptr && CPasswdDlg::ensureServiceAccess(*doc(), this))
                    updatePage();
            });
}

const std::array<const vexor::CSettingBinding*, 9> CAdvancedPage::combos() const {
    return {&m_warmingTime, &m_pressureRef, &m_pressureGain, &m_cutOffPressure, &m_cutOffExitDelay,
            &m_minLpgTime,  &m_ignoreTime,  &m_switchCorr,   &m_switchCorrTime};
}

void CAdvancedPage::updatePage() {
    m_texts.apply(this);
    const std::int32_t version = doc() != nullptr ? doc()->settings().m_devInfo.m_version : 0;
    for (const vexor::CSettingBinding* bound : combos())
        bound->fill(version);
    showLock();
    if (doc() == nullptr)
        return;
    const DeviceSettings& s = doc()->settings();
    for (const vexor::CSettingBinding* bound : combos())
        bound->show(s);
    // The warming box follows its first bit; a click sets or clears both.
    m_chkWarming.box()->setChecked(s.m_adv.m_flags & 0x01);
    for (const vexor::CFlagBinding* bound :
         {&m_chkCutOff, &m_chkContinuous, &m_chkFast, &m_chkSwitchCorr})
        bound->show(s);
}

void CAdvancedPage::write(const char* handler, vexor::SettingBlock block) {
    try {
        if (!doc()->writeBlock(block))
            seams().message(vexor::translate(vexor::kMsgPanelWriteFailed),
                            IUserPrompt::Icon::Error);
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        seams().message(std::string(handler) + "\n" + vexor::translate(error->description()),
                        IUserPrompt::Icon::Error);
    }
}

void CAdvancedPage::onCombo(const char* handler, const vexor::CSettingBinding& bound,
                            const std::function<void(DeviceSettings&, double)>& store) {
    const double current = doc() != nullptr ? bound.value(doc()->settings()) : 0;
    const CValueCmbBox* box = bound.box();
    if (gated() || refuseOffline() || box->selectedValue() < 0)
        return;
    const double value = box->selectedValue();
    const int precision = box->precisionAt(box->currentIndex());
    if (CValueCmbBox::formatNumber(value, precision) ==
        CValueCmbBox::formatNumber(current, precision))
        return;
    CBusyScope busy(seams().cursor);
    if (refuseChange())
        return;
    if (store)
        store(doc()->editSettings(), value);
    else
        bound.row().setNumber(doc()->editSettings(), value);
    write(handler, bound.block());
}

void CAdvancedPage::onCheck(const char* handler, const vexor::CFlagBinding& bound,
                            bool busyCursor) {
    if (gated() || refuseChange())
        return;
    CBusyScope busy(busyCursor ? seams().cursor : nullptr);
    bound.store(doc()->editSettings());
    write(handler, bound.block());
}

void CAdvancedPage::OnSelendokCmbWarminTime() {
    onCombo("CAdvancedPage::OnSelendokCmbWarminTime()", m_warmingTime);
}

void CAdvancedPage::OnSelendokCmbPressRef() {
    onCombo("CAdvancedPage::OnSelendokCmbPressRef()", m_pressureRef);
}

void CAdvancedPage::OnSelendokCmbPressGain() {
    onCombo("CAdvancedPage::OnSelendokCmbPressGain()", m_pressureGain);
}

void CAdvancedPage::OnSelendokCmbMinLpgInjTime() {
    onCombo("CAdvancedPage::OnSelendokCmbMinLpgInjTime()", m_minLpgTime);
}

void CAdvancedPage::OnSelendokCmbIgnoreTime() {
    onCombo("CAdvancedPage::OnSelendokCmbIgnoreTime()", m_ignoreTime);
}

void CAdvancedPage::OnSelendokCmbCutoffPressure() {
    onCombo("CAdvancedPage::OnSelendokCmbCutoffPressure()", m_cutOffPressure);
}

void CAdvancedPage::OnSelendokCmbCutoffExitDelay() {
    onCombo("CAdvancedPage::OnSelendokCmbCutoffExitDelay()", m_cutOffExitDelay);
}

void CAdvancedPage::OnSelendokSwitchCorr() {
    onCombo("CAdvancedPage::OnSelendokSwitchCorr()", m_switchCorr,
            [this](DeviceSettings& s, double v) {
                s.m_advancedSetup.m_switchCorr = toByte(v);
                // No enrichment to give: the enrichment is switched off with it.
                if (s.m_advancedSetup.m_switchCorr == 0) {
                    setBits(s.m_advancedSetup.m_advancedFlags, vexor::kAdvFlagSwitchCorr, false);
                    m_chkSwitchCorr.box()->setChecked(false);
                }
            });
}

void CAdvancedPage::OnSelendokSwitchCorrTime() {
    onCombo("CSettingsPage::OnSelendokSwitchCorrTime()", m_switchCorrTime);
}

void CAdvancedPage::OnChkInjWarming() {
    onCheck("CAdvancedPage::OnChkInjWarming()", m_chkWarming, true);
}

void CAdvancedPage::OnChkCutOffSwitch() {
    onCheck("CAdvancedPage::OnChkCutOffSwitch()", m_chkCutOff, true);
}

void CAdvancedPage::OnChkContinuousInjection() {
    onCheck("CAdvancedPage::OnChkCutOffSwitch()", m_chkContinuous, true);
}

void CAdvancedPage::OnChkFastLpgSwitch() {
    onCheck("CAdvancedPage::OnChkFastLpgSwitch()", m_chkFast, false);
}

void CAdvancedPage::OnChkSwitchCorrEnable() {
    onCheck("CAdvancedPage::OnChkSwitchCorrEnable()", m_chkSwitchCorr, true);
}
