#pragma once

#include "maps/InjMapModel.h"

#include <functional>

class CLPGDevice;

// The logic of the "Mapa" page around its grid: filling the grid from the
// document when the page is shown, the menu for the interface language, and
// the live point on every live refresh. The service-password gate stays with
// the window (the page shows nothing until the password was given).
class CMapCorrPageCore {
public:
    CMapCorrPageCore(CInjMapModel& model, CLPGDevice& device);

    // After the password gate: every cell from the document's map (with the
    // wait cursor), then the modified flag cleared, since the grid now shows
    // exactly what the document holds.
    void activate();
    // The grid's popup menu for the current interface language.
    int menuId() const;
    // Only while connected and once a live record exists: moves the marker
    // to the record's operating point and adds the point to the trail (with
    // a visit of its cell). True when the marker moved. Without live data
    // the trail still fades.
    bool liveRefresh();

    // The time the trail is measured in (the steady clock unless a test
    // moves its own).
    void setClock(std::function<CMapTrail::Clock::time_point()> clock) {
        m_clock = std::move(clock);
    }

private:
    CInjMapModel& m_model;
    CLPGDevice& m_device;
    std::function<CMapTrail::Clock::time_point()> m_clock = [] { return CMapTrail::Clock::now(); };
};
