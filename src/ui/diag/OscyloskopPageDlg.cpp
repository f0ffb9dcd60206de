#include "diag/OscyloskopPageDlg.h"

COscyloskopPageDlg::COscyloskopPageDlg(QWidget* parent) : COscyloskopPage(parent) {
    setMinimumSize(900, 560);
}
