#pragma once

#include "pages/AppPropPage.h"

class COscyloskopPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit COscyloskopPage(QWidget* parent = nullptr);
};
