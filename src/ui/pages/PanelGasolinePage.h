#pragma once

#include "pages/AppPropPage.h"
#include "pages/FlagBinding.h"
#include "pages/SettingBinding.h"
#include "texts/PanelGasolineTexts.h"

#include <functional>

class CValueCmbBox;

// How the petrol side of the car is wired: coil division, RPM signal level,
// engine type, lambda sensor, petrol injection sequence and the injector
// drive polarity. Every change is written to the controller at once.
class CPanelGasolinePage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CPanelGasolinePage(QWidget* parent = nullptr);

    void updatePage() override;

    // Tells the main view's lambda displays the new sensor type.
    void setLambdaTypeHook(std::function<void(int lambdaType)> hook) {
        m_lambdaTypeHook = std::move(hook);
    }

    void OnSelendokCmbEngineType();
    void OnChkInjSignal();
    void OnSelendokCmbLambdaType();
    void OnSelendokCmbRpmDiv();
    void OnSelendokCmbRpmLevel();
    void OnSelendokCmbGasInjType();

private:
    CPanelGasolineTexts m_texts;
    vexor::CSettingBinding m_rpmDiv;
    // Flag bits and the wiring pattern: no row of their own to bind.
    CValueCmbBox* m_rpmLevel;
    CValueCmbBox* m_engineType;
    vexor::CSettingBinding m_lambdaType;
    CValueCmbBox* m_injType;
    vexor::CFlagBinding m_injSignal;
    std::function<void(int)> m_lambdaTypeHook;
};
