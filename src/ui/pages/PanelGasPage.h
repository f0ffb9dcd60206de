#pragma once

#include "pages/AppPropPage.h"

class CPanelGasPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CPanelGasPage(QWidget* parent = nullptr);
};
