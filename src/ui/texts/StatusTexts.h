#pragma once

#include "texts/MultiLangWnd.h"

// The status line under the main window.
class CStatusTexts : public CMultiLangWnd {
public:
    enum Id {
        Connected = 1,
        Demo = 2,
        NotConnected = 3,
        Faults = 4,
        NoFaults = 5,
        Stale = 6,
        Lost = 7
    };

    CStatusTexts() { fill(); }
    void fill() override;
};
