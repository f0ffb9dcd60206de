#pragma once

#include "platform/Seams.h"
#include "texts/ChartDlgTexts.h"

#include <QDialog>
#include <QTimer>

class CAppPropPage;
class CAppPropSheet;
class CMapPageDlg;
class IDocumentPort;
class QScrollArea;

// The charts window "Wykresy": the calibration page with its sensors and the
// oscilloscope on two tabs, in a scrollable area so it fits small screens.
// While a controller is connected its timer 5001 refreshes the shown page
// every 100 ms.
class CChartsDlg : public QDialog {
    Q_OBJECT
public:
    // The virtual area the pages are laid out on.
    static constexpr int kAreaWidth = 1010;
    static constexpr int kAreaHeight = 695;
    static constexpr int kTimerPeriodMs = 100;

    CChartsDlg(IDocumentPort& doc, const Seams& seams, QWidget* parent = nullptr);
    ~CChartsDlg() override;

    CAppPropSheet* sheet() const { return m_sheet; }
    CMapPageDlg* mapPage() const { return m_mapPage; }
    QScrollArea* scrollArea() const { return m_scroll; }
    QTimer& liveTimer() { return m_timer5001; }
    const CChartDlgTexts& texts() const { return m_texts; }

    // One tick of timer 5001: the shown page follows the newest live record.
    // A port error during a tick is dropped: the next tick tries again, and a
    // box every 100 ms would make the window unusable.
    void OnTimer();
    // Closing is refused while the page's calibration runs.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnInitDialog();
    bool busy() const;

    IDocumentPort& m_doc;
    Seams m_seams;
    CChartDlgTexts m_texts;
    QScrollArea* m_scroll = nullptr;
    CAppPropSheet* m_sheet = nullptr;
    CMapPageDlg* m_mapPage = nullptr;
    CAppPropPage* m_oscPage = nullptr;
    QTimer m_timer5001;
};
