#pragma once

#include "texts/MultiLangDlgWnd.h"

class CErrDlgTexts : public CMultiLangDlgWnd {
public:
    CErrDlgTexts() { fill(); }
    void fill() override;
};
