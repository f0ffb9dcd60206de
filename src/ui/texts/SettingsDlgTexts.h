#pragma once

#include "texts/MultiLangDlgWnd.h"

class CSettingsDlgTexts : public CMultiLangDlgWnd {
public:
    CSettingsDlgTexts() { fill(); }
    void fill() override;
};
