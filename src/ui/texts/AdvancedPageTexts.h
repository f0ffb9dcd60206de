#pragma once

#include "texts/MultiLangDlgWnd.h"

class CAdvancedPageTexts : public CMultiLangDlgWnd {
public:
    CAdvancedPageTexts() { fill(); }
    void fill() override;
};
