#pragma once

#include "texts/MultiLangDlgWnd.h"

class CSwitchTexts : public CMultiLangDlgWnd {
public:
    CSwitchTexts() { fill(); }
    void fill() override;
};
