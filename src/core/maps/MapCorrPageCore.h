#pragma once

#include "maps/InjMapModel.h"

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
    // to the record's operating point. True when the marker moved.
    bool liveRefresh();

private:
    CInjMapModel& m_model;
    CLPGDevice& m_device;
};
