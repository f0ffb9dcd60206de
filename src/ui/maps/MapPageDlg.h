#pragma once

#include "maps/MapPage.h"

#include <array>
#include <memory>
#include <vector>

class CLambdaDisplay;
class CObdDiagnostic;
class QGroupBox;

// The calibration page as the first page of the charts window: a larger
// chart, and beside it the live sensor values, the two lambda bars and, when
// the car answers OBD requests, its fuel trims and oxygen sensors.
class CMapPageDlg : public CMapPage {
    Q_OBJECT
public:
    explicit CMapPageDlg(QWidget* parent = nullptr);
    ~CMapPageDlg() override;

    // After the document is attached: hides the progress bar until the
    // calibration button is first used, and shows the OBD group only when the
    // car's OBD values can be read (otherwise the chart takes its room).
    void initDialog();
    bool obdShown() const;

protected:
    void showLive(const SCalibrationLive& live) override;

private:
    void buildSensors();
    void buildObd();

    std::unique_ptr<CObdDiagnostic> m_obd;
    std::vector<QWidget*> m_bottomRow;
    QGroupBox* m_obdGroup = nullptr;
    std::array<QLabel*, 8> m_obdFields{};
    CLambdaDisplay* m_bar1 = nullptr;
    CLambdaDisplay* m_bar2 = nullptr;
    QLabel* m_lambda1 = nullptr;
    QLabel* m_lambda2 = nullptr;
    QLabel* m_gasPressure = nullptr;
    QLabel* m_manifold = nullptr;
    QLabel* m_gasTempr = nullptr;
    QLabel* m_reducerTempr = nullptr;
};
