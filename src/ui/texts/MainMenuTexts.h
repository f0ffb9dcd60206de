#pragma once

#include "texts/MultiLangMenu.h"

// The main menu: the "file" and "about" pop-ups by position, exit and About by
// command id.
class CMainMenuTexts : public CMultiLangMenu {
public:
    CMainMenuTexts() { fill(); }
    void fill() override;
};
