#pragma once

#include "device/DeviceSettings.h"
#include "pages/AppPropPage.h"
#include "pages/FlagBinding.h"
#include "pages/SettingBinding.h"
#include "panels/FuelGauge.h"
#include "texts/SwitchTexts.h"

#include <array>

class CColorStatic;
class CValueCmbBox;
class QLabel;
class QSlider;
class QTimer;

// When the controller goes to gas and back to petrol, and the fuel-level
// gauge with its sensor marks. Every change is written to the controller at
// once; the live refresh follows the fuel level.
class CPanelSwitchPage : public CAppPropPage {
    Q_OBJECT
public:
    // The live refresh reads the fuel level on every n-th call.
    static constexpr int kFuelRefreshEvery = 5;
    // Quiet time after a key or wheel step of a mark slider before the
    // marks are written, so a run of steps is one write.
    static constexpr int kMarkSettleMs = 400;

    explicit CPanelSwitchPage(QWidget* parent = nullptr);

    void updatePage() override;
    void refreshLive() override;

    void OnSelendokCmbRpmSwitch();
    void OnSelendokCmbTemprSwitch();
    void OnSelendokCmbSwitchDelay();
    void OnSelendokCmbEmulatorDelay();
    void OnSelendokCmbPressAverage();
    void OnSelendokCmbMaxRpm();
    void OnSelendokCmbMinRpm();
    void OnSelendokCmbMaxLoad();
    void OnSelendokCmbFuelSensor();
    void OnChkMinLpgTempr();
    void OnChkAutoCalibration();
    // The fitter let go of a mark slider (0: full ... 3: quarter; -1: the
    // key or wheel steps came to rest): the marks go to the controller.
    void OnHScroll(int slider);

    const CFuelGauge& gauge() const { return m_gauge; }

private:
    void showMarks();
    // Greys the level and darkens the lamps while no live level stands
    // behind them.
    void showGaugeLive(bool live);
    void showGauge(std::uint8_t reading);

    CSwitchTexts m_texts;
    vexor::CSettingBinding m_temprSwitch;
    vexor::CSettingBinding m_rpmSwitch;
    vexor::CSettingBinding m_switchDelay;
    vexor::CSettingBinding m_emulatorDelay;
    vexor::CFlagBinding m_autoCalibration;
    vexor::CSettingBinding m_maxRpm;
    QLabel* m_maxLoadLabel;
    // Not in a settings file: no row to bind it to.
    CValueCmbBox* m_maxLoad;
    QLabel* m_maxLoadUnit;
    vexor::CSettingBinding m_pressAverage;
    vexor::CSettingBinding m_minRpm;
    vexor::CFlagBinding m_minLpgTempr;
    vexor::CSettingBinding m_fuelSensor;
    std::array<QSlider*, 4> m_sliders{};
    std::array<QLabel*, 4> m_numbers{};
    std::array<CColorStatic*, 4> m_lamps{}; // three levels, then the reserve
    QLabel* m_fuelLevel;
    std::array<QLabel*, 3> m_rpmUnits{};
    QTimer* m_markCommit = nullptr;
    CFuelGauge m_gauge;
    bool m_gaugeLive = true;
    int m_refreshCount = 0;
};
