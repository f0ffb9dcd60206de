#pragma once

#include "texts/MultiLangDlgWnd.h"

class CServiceTexts : public CMultiLangDlgWnd {
public:
    CServiceTexts() { fill(); }
    void fill() override;
};
