#pragma once

#include "device/DeviceSettings.h"
#include "pages/AppPropPage.h"
#include "pages/SettingBinding.h"
#include "texts/PanelGasTexts.h"

class CValueCmbBox;

// The gas side: injector type, the pressures the controller adapts to and the
// gas-side sensors. Every change is written to the controller at once.
class CPanelGasPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CPanelGasPage(QWidget* parent = nullptr);

    void updatePage() override;

    void OnSelendokCmbLpgInj();
    void OnSelendokCmbPressRef();
    void OnSelendokCmbPressSensorType();
    void OnSelendokCmbPressSwitch();
    void OnSelendokCmbTemprRedSensor();
    void OnSelendokCmbTemprLpgSensor();

private:
    // A temperature sensor type into its member; the switch temperature and
    // warming limit are written again so they keep their meaning in °C.
    void writeTemprSensor(const vexor::CSettingBinding& sensor, const char* reportName);

    CPanelGasTexts m_texts;
    vexor::CSettingBinding m_lpgInj;
    vexor::CSettingBinding m_pressSwitch;
    vexor::CSettingBinding m_pressRef;
    // Two flag bits, in two blocks: no row of its own.
    CValueCmbBox* m_pressSensor;
    vexor::CSettingBinding m_temprRed;
    vexor::CSettingBinding m_temprLpg;
};
