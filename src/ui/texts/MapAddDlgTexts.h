#pragma once

#include "texts/MultiLangDlgWnd.h"

// The "Dodaj..." value dialog of the map grid.
class CMapAddDlgTexts : public CMultiLangDlgWnd {
public:
    CMapAddDlgTexts() { fill(); }
    void fill() override;
};
