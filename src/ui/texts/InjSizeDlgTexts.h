#pragma once

#include "texts/MultiLangDlgWnd.h"

// The nozzle diameter calculator.
class CInjSizeDlgTexts : public CMultiLangDlgWnd {
public:
    CInjSizeDlgTexts() { fill(); }
    void fill() override;
};
