#pragma once

#include "maps/CalibrationPageCore.h"
#include "pages/AppPropPage.h"
#include "texts/MapCreateTexts.h"

#include <QTimer>

#include <memory>

class CAutoCalibration;
class CLPGDeviceLink;
class CMultiplierChartWidget;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The calibration page "Kalibracja": the two load maps the controller collects
// while driving, drawn as clouds under the multiplier line; the buttons that
// compute, clear and edit the line and clear the maps; the live injection
// times; and the automatic calibration at idle. The maps, the line and the
// calibration run live in the core; the page feeds them its controls and
// shows what they hold.
//
// Without a device document behind the port (nothing to calibrate) the page
// shows an empty chart and its buttons do nothing.
class CMapPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CMapPage(QWidget* parent = nullptr);
    ~CMapPage() override;

    // While the automatic calibration runs the main window must not close and
    // the busy-guarded toolbar commands do nothing. The page sets the flag
    // whenever a run starts or ends.
    bool isCalibrating() const { return m_calibrating; }
    void setCalibrating(bool calibrating) { m_calibrating = calibrating; }

    bool canLeave() override;
    void refreshLive() override;
    // Texts, the line from the settings image, the maps read again, the
    // button states and the main correction.
    void updatePage() override;

    // The button handlers, callable by tests as a click would.
    void OnBtnCreate();
    void OnBtnClrMap();
    void OnBtnClrMapLpg();
    void OnBtnClearCorr();
    void OnBtnAutoCal();
    void OnChkLock();
    // The map proposal over the map page's grid (its Undo takes it back).
    void OnProposeMap();

    // Null until a device document is attached.
    CCalibrationPageCore* core();
    CAutoCalibration* autoCalibration();
    CMultiplierChartWidget* chart() const { return m_chart; }
    QPushButton* proposeButton() const { return m_btnPropose; }
    QTimer& calibrationTimer() { return m_calTimer; }
    const CMapCreateTexts& texts() const { return m_texts; }

protected:
    // The charts window's twin adds its sensor fields here.
    virtual void showLive(const SCalibrationLive& live);
    // Sets a label's text only when it differs, so a refresh stays cheap.
    static void setField(QLabel* field, const QString& text);
    static void setField(QLabel* field, const std::string& text);
    QLabel* addField(int id, int x, int y, int w);
    QLabel* addLabel(int id, int x, int y, int w);
    QProgressBar* progressBar() const { return m_progress; }

private:
    void buildForm();
    bool ensureCore();
    void onChartAction(const CMultiplierChart::SAction& action);
    void onTick();
    void setTabsEnabled(bool enabled);
    void showMaps();
    void showMainCorr(double ms);
    void updateAutoCalButton();

    CMapCreateTexts m_texts;
    std::unique_ptr<CCalibrationPageCore> m_core;
    std::unique_ptr<CLPGDeviceLink> m_link;
    std::unique_ptr<CAutoCalibration> m_autoCal;
    QTimer m_calTimer;
    bool m_calibrating = false;
    bool m_progressUsed = false;

    CMultiplierChartWidget* m_chart = nullptr;
    QPushButton* m_btnAutoCal = nullptr;
    QPushButton* m_btnPropose = nullptr;
    QPushButton* m_btnCompute = nullptr;
    QPushButton* m_btnClearPetrol = nullptr;
    QPushButton* m_btnClearGas = nullptr;
    QPushButton* m_btnClearLine = nullptr;
    QCheckBox* m_chkLock = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_petrolTime = nullptr;
    QLabel* m_gasTime = nullptr;
    QLabel* m_petrolFill = nullptr;
    QLabel* m_gasFill = nullptr;
    QLabel* m_mainCorr = nullptr;
};
