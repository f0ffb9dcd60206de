#pragma once

#include "texts/MultiLangDlgWnd.h"

class CPanelGasolineTexts : public CMultiLangDlgWnd {
public:
    CPanelGasolineTexts() { fill(); }
    void fill() override;
};
