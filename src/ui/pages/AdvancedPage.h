#pragma once

#include "pages/AppPropPage.h"
#include "pages/FlagBinding.h"
#include "pages/SettingBinding.h"
#include "texts/AdvancedPageTexts.h"

#include <array>
#include <functional>

struct DeviceSettings;
class CValueCmbBox;
class QCheckBox;

// Injector warming, pressure corrections, cut-off, minimum and ignored
// injection times and the one-time enrichment after switch-over. Only the
// service fitter may use it: the page asks for the service password when it
// is shown, and stays greyed until the password is given. Every change is
// written to the controller at once.
class CAdvancedPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CAdvancedPage(QWidget* parent = nullptr);

    bool activate() override;
    void updatePage() override;

    const CAdvancedPageTexts& texts() const { return m_texts; }

public slots:
    void OnSelendokCmbWarminTime();
    void OnSelendokCmbPressRef();
    void OnSelendokCmbPressGain();
    void OnSelendokCmbMinLpgInjTime();
    void OnSelendokCmbIgnoreTime();
    void OnSelendokCmbCutoffPressure();
    void OnSelendokCmbCutoffExitDelay();
    void OnSelendokSwitchCorr();
    void OnSelendokSwitchCorrTime();
    void OnChkInjWarming();
    void OnChkCutOffSwitch();
    void OnChkContinuousInjection();
    void OnChkFastLpgSwitch();
    void OnChkSwitchCorrEnable();

private:
    void buildForm();
    // The value boxes, in the order the page fills them.
    const std::array<const vexor::CSettingBinding*, 9> combos() const;
    // The handler of a value combo box: nothing without a controller or when
    // the chosen value equals the image's at the box's precision; otherwise
    // the value goes into the image (by `store`, else into the row's member)
    // and the row's block to the controller.
    void onCombo(const char* handler, const vexor::CSettingBinding& bound,
                 const std::function<void(DeviceSettings&, double)>& store = {});
    // The handler of a check box: the box's state into the image, then the
    // row's block to the controller (no equality test).
    void onCheck(const char* handler, const vexor::CFlagBinding& bound, bool busyCursor);
    // Without the service password the page is greyed and writes nothing.
    bool locked() const;
    // Greys the page behind the password note, or behind the note on
    // blocks not read, or makes it live.
    void showLock();
    // Writes the block and shows the failure message; a port error is
    // reported under the handler's name.
    void write(const char* handler, vexor::SettingBlock block);

    CAdvancedPageTexts m_texts;
    vexor::CSettingBinding m_warmingTime;
    vexor::CSettingBinding m_pressureRef;
    vexor::CSettingBinding m_pressureGain;
    vexor::CSettingBinding m_cutOffPressure;
    vexor::CSettingBinding m_cutOffExitDelay;
    vexor::CSettingBinding m_minLpgTime;
    vexor::CSettingBinding m_ignoreTime;
    vexor::CSettingBinding m_switchCorr;
    vexor::CSettingBinding m_switchCorrTime;
    vexor::CFlagBinding m_chkWarming;
    vexor::CFlagBinding m_chkFast;
    vexor::CFlagBinding m_chkCutOff;
    vexor::CFlagBinding m_chkContinuous;
    vexor::CFlagBinding m_chkSwitchCorr;
};
