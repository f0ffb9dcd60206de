#pragma once

#include "texts/MultiLangDlgWnd.h"

// The "Ustaw..." value dialog of the map grid.
class CMapSetDlgTexts : public CMultiLangDlgWnd {
public:
    CMapSetDlgTexts() { fill(); }
    void fill() override;
};
