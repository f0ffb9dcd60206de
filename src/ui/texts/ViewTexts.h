#pragma once

#include "texts/MultiLangDlgWnd.h"

// Labels, group frames and buttons of the main view; the live-display dialog
// shares them.
class CViewTexts : public CMultiLangDlgWnd {
public:
    CViewTexts() { fill(); }
    void fill() override;
};
