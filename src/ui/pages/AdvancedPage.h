#pragma once

#include "pages/AppPropPage.h"

class CAdvancedPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CAdvancedPage(QWidget* parent = nullptr);
};
