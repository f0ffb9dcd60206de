#include "diag/OscyloskopPage.h"

#include "pages/PageCaption.h"

COscyloskopPage::COscyloskopPage(QWidget* parent) : CAppPropPage("Oscyloskop", parent) {
    vexor::showPageCaption(this);
}
