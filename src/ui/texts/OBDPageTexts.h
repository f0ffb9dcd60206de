#pragma once

#include "texts/MultiLangDlgWnd.h"

class COBDPageTexts : public CMultiLangDlgWnd {
public:
    COBDPageTexts() { fill(); }
    void fill() override;
};
