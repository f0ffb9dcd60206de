#pragma once

#include "diag/OscyloskopPage.h"

// The oscilloscope page on the larger form the charts dialog holds.
class COscyloskopPageDlg : public COscyloskopPage {
    Q_OBJECT
public:
    explicit COscyloskopPageDlg(QWidget* parent = nullptr);
};
