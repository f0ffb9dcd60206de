#pragma once

#include "pages/AppPropPage.h"

class CPanelSwitchPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CPanelSwitchPage(QWidget* parent = nullptr);
};
