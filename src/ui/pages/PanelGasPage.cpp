#include "pages/PanelGasPage.h"

#include "pages/PageCaption.h"

CPanelGasPage::CPanelGasPage(QWidget* parent) : CAppPropPage("Panel Gaz", parent) {
    vexor::showPageCaption(this);
}
