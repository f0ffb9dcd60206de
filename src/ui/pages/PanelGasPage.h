#pragma once

#include "device/DeviceSettings.h"
#include "pages/AppPropPage.h"
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
    void writeTemprSensor(CValueCmbBox* box, std::uint8_t DeviceSettings::SensorsSetup::*member,
                          const char* reportName);

    CPanelGasTexts m_texts;
    CValueCmbBox* m_lpgInj;
    CValueCmbBox* m_pressSwitch;
    CValueCmbBox* m_pressRef;
    CValueCmbBox* m_pressSensor;
    CValueCmbBox* m_temprRed;
    CValueCmbBox* m_temprLpg;
};
