#pragma once

#include "texts/MultiLangWnd.h"

// Captions and tool tips of the toolbar buttons by command id. The buttons
// carry words under their icons, so they follow the language like the menu.
class CToolBarTexts : public CMultiLangWnd {
public:
    CToolBarTexts() { fill(); }
    void fill() override;
};
