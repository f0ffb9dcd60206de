#pragma once

#include "texts/MultiLangDlgWnd.h"

class CLangDlgTexts : public CMultiLangDlgWnd {
public:
    CLangDlgTexts() { fill(); }
    void fill() override;
};
