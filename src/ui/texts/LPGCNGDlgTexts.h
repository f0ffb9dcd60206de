#pragma once

#include "texts/MultiLangDlgWnd.h"

// The module-type question asked at start.
class CLPGCNGDlgTexts : public CMultiLangDlgWnd {
public:
    CLPGCNGDlgTexts() { fill(); }
    void fill() override;
};
