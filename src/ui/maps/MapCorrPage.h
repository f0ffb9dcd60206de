#pragma once

#include "pages/AppPropPage.h"

class CMapCorrPage : public CAppPropPage {
    Q_OBJECT
public:
    explicit CMapCorrPage(QWidget* parent = nullptr);
};
