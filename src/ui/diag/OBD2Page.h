#pragma once

#include "pages/AppPropPage.h"

class COBD2Page : public CAppPropPage {
    Q_OBJECT
public:
    explicit COBD2Page(QWidget* parent = nullptr);
};
