#pragma once

#include "texts/MultiLangDlgWnd.h"

class CPanelGasTexts : public CMultiLangDlgWnd {
public:
    CPanelGasTexts() { fill(); }
    void fill() override;
};
