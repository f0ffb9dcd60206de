#pragma once

#include "texts/MultiLangDlgWnd.h"

class CChartPageTexts : public CMultiLangDlgWnd {
public:
    CChartPageTexts() { fill(); }
    void fill() override;
};
