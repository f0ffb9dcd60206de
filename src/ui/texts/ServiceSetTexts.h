#pragma once

#include "texts/MultiLangDlgWnd.h"

class CServiceSetTexts : public CMultiLangDlgWnd {
public:
    CServiceSetTexts() { fill(); }
    void fill() override;
};
