#pragma once

#include "obd/ObdPageView.h"

class CColorStatic;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QWidget;

// The OBD page's scan-tool part: readiness monitors and freeze frame (one
// tab widget), pending and permanent code lists (tabs beside the stored
// codes), VIN and calibration ID fields and the button that reads them. The
// page places the widgets; this class fills them from the page's view.
class CObdScanWidgets {
public:
    explicit CObdScanWidgets(QWidget* parent);

    QTabWidget* dataTabs() const { return m_dataTabs; }
    QPushButton* readButton() const { return m_read; }
    CColorStatic* vinField() const { return m_vin; }
    CColorStatic* calibrationField() const { return m_calibration; }
    // Adds the pending and permanent tabs to the code tab widget, after the
    // stored codes' tab the page made.
    void addCodeTabs(QTabWidget* codeTabs);

    // Tab captions and headers in the current language.
    void applyTexts(QTabWidget* codeTabs);
    void show(const SObdPageView& view);

private:
    QTabWidget* m_dataTabs;
    QTreeWidget* m_readiness;
    QTreeWidget* m_freeze;
    QListWidget* m_pending;
    QListWidget* m_permanent;
    QPushButton* m_read;
    CColorStatic* m_vin;
    CColorStatic* m_calibration;
};
