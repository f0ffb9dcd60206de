#pragma once

#include "texts/MultiLangDlgWnd.h"

// Texts of the charts window.
class CChartDlgTexts : public CMultiLangDlgWnd {
public:
    CChartDlgTexts() { fill(); }
    void fill() override;
};
