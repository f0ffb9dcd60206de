#pragma once

#include "app/ValuePanel.h"
#include "live/SwitchLights.h"
#include "platform/Seams.h"
#include "texts/ViewTexts.h"

#include <QWidget>

#include <array>
#include <cstdint>

class CAppPropPage;
class CAppPropSheet;
class CColorStatic;
class CMapPage;
class IDocumentPort;
class QCheckBox;
class QPushButton;
class QScrollArea;

// The main view: fuel switch and lights, the injector row, the live values and
// the page set. The frame's display timer drives refreshLive().
class CKorvantisView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFormWidth = 1000;
    static constexpr int kFormHeight = 610;
    // The switch and injector row above the page set, and the smallest page
    // set before the left part scrolls.
    static constexpr int kTopWidth = 730;
    static constexpr int kTopHeight = 120;
    static constexpr int kSheetMinWidth = 730;
    static constexpr int kSheetMinHeight = 475;
    // Display ticks without a new record after which the values count as
    // not live (1.5 s at the display period).
    static constexpr int kStaleTicks = 15;

    CKorvantisView(IDocumentPort& doc, const Seams& seams, QWidget* parent = nullptr);

    // Adds the eight pages to the page set in their fixed order.
    void createPages();
    bool isInitialised() const { return m_initialised; }

    // One display-timer tick: the newest record into every field.
    void refreshLive();
    // Texts in the current language, blank values without a controller, tab
    // captions, and the shown page brought up to date.
    void refreshTexts();
    // The shown page activated anew and refilled from the image.
    void refreshPage();

    // Called by the frame's timer; they only remember the state for the
    // status line.
    void setErrorIndicator(bool errorsPresent) { m_errorsPresent = errorsPresent; }
    void setConnectionState(bool connected) { m_connected = connected; }
    bool errorsPresent() const { return m_errorsPresent; }

    // While the calibration page runs its automatic calibration the window
    // must not close and the busy-guarded commands do nothing.
    bool isBusy() const;

    CAppPropSheet* sheet() const { return m_sheet; }
    CMapPage* mapPage() const { return m_mapPage; }
    const CViewTexts& texts() const { return m_texts; }
    const vexor::SValuePanel& valuePanel() const { return m_panel; }
    CColorStatic* light(int id) const;
    // A new lambda probe type: the displays relight at once.
    void setLambdaType(int type);
    // True while the values shown are not live (no new record, no polling).
    bool isStale() const { return m_stale; }
    // The part left of the live values that scrolls when the window is small.
    QScrollArea* pageScroller() const { return m_scroller; }
    QWidget* valuePanelHost() const { return m_panelHost; }

    // The last lambda probe voltages shown (0: probe 1, 1: probe 2), for the
    // lambda displays.
    double lambdaVolts(int probe) const { return m_lambdaVolts[probe == 0 ? 0 : 1]; }

signals:
    void lambdaTypeChanged(int type);
    void staleChanged(bool stale);

public slots:
    void OnBtnLpg();
    void OnBtnGasoline();
    void OnBtnAuto();
    void onTurnOffEm();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm();
    // Runs a handler body, reporting a thrown port error under the handler's
    // name.
    template <class F> void guarded(const char* handler, F&& body);
    void showLights(const vexor::SLightColors& colors);
    void showInjectors(const CDiag& record);
    // Counts display ticks without a new record; true when the values shown
    // are not live.
    bool trackStale(const CDiag& record);
    void showStale(bool stale);

    IDocumentPort& m_doc;
    Seams m_seams;
    CViewTexts m_texts;
    vexor::SValuePanel m_panel;
    std::array<QCheckBox*, 8> m_checks{};
    std::array<CColorStatic*, 8> m_labels{};
    std::array<CColorStatic*, 8> m_petrol{};
    std::array<CColorStatic*, 8> m_gas{};
    // Index 0 is light 1162, index 3 light 1165.
    std::array<CColorStatic*, 4> m_lights{};
    std::array<bool, 8> m_injectorFlags{};
    QPushButton* m_btnGasoline = nullptr;
    QPushButton* m_btnLpg = nullptr;
    QPushButton* m_btnAuto = nullptr;
    CAppPropSheet* m_sheet = nullptr;
    QScrollArea* m_scroller = nullptr;
    QWidget* m_panelHost = nullptr;
    CMapPage* m_mapPage = nullptr;
    vexor::CSwitchLights m_switchLights;
    double m_lambdaVolts[2] = {0.0, 0.0};
    bool m_initialised = false;
    bool m_stale = false;
    std::int32_t m_lastSample = -1;
    int m_sameSampleTicks = 0;
    bool m_errorsPresent = false;
    bool m_connected = false;
};
