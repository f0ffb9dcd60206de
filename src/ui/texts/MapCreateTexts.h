#pragma once

#include "texts/MultiLangDlgWnd.h"

// Texts of the calibration page and of its twin in the charts window.
class CMapCreateTexts : public CMultiLangDlgWnd {
public:
    CMapCreateTexts() { fill(); }
    void fill() override;
};
