#pragma once

#include "pages/AppPropPage.h"

// The calibration page. While its automatic calibration runs, the main window
// cannot close and the busy-guarded toolbar commands do nothing.
class CMapPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CMapPage(QWidget* parent = nullptr);

    bool isCalibrating() const { return m_calibrating; }
    void setCalibrating(bool calibrating) { m_calibrating = calibrating; }

private:
    bool m_calibrating = false;
};
