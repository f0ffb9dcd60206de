#pragma once

#include "texts/MultiLangDlgWnd.h"

// The per-cylinder main correction dialog.
class CMainCorrDlgTexts : public CMultiLangDlgWnd {
public:
    CMainCorrDlgTexts() { fill(); }
    void fill() override;
};
