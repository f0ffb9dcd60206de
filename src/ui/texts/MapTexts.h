#pragma once

#include "texts/MultiLangDlgWnd.h"

// The "Mapa" page: its caption; the grid draws its own labels.
class CMapTexts : public CMultiLangDlgWnd {
public:
    CMapTexts() { fill(); }
    void fill() override;
};
