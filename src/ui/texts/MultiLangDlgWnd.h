#pragma once

#include "texts/MultiLangWnd.h"

// A window text object whose entry -2 is the window's own caption.
class CMultiLangDlgWnd : public CMultiLangWnd {
public:
    static constexpr int kCaptionId = -2;

    void apply(QWidget* window) const override;
};
