#pragma once

#include "pages/AppPropPage.h"

class CPanelGasolinePage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CPanelGasolinePage(QWidget* parent = nullptr);
};
