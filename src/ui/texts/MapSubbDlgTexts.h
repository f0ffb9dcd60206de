#pragma once

#include "texts/MultiLangDlgWnd.h"

// The "Odejmij..." value dialog of the map grid.
class CMapSubbDlgTexts : public CMultiLangDlgWnd {
public:
    CMapSubbDlgTexts() { fill(); }
    void fill() override;
};
