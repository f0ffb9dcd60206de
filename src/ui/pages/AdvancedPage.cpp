#include "pages/AdvancedPage.h"

#include "pages/PageCaption.h"

CAdvancedPage::CAdvancedPage(QWidget* parent) : CAppPropPage("Zaawansowane", parent) {
    vexor::showPageCaption(this);
}
