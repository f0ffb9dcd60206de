#pragma once

#include "texts/MultiLangDlgWnd.h"

class CAboutDlgTexts : public CMultiLangDlgWnd {
public:
    CAboutDlgTexts() { fill(); }
    void fill() override;
};
