#pragma once

#include "texts/MultiLangDlgWnd.h"

class CPasswdDlgTexts : public CMultiLangDlgWnd {
public:
    CPasswdDlgTexts() { fill(); }
    void fill() override;
};
