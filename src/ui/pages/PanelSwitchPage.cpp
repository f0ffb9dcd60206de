#include "pages/PanelSwitchPage.h"

#include "pages/PageCaption.h"

CPanelSwitchPage::CPanelSwitchPage(QWidget* parent) : CAppPropPage("Przełącznik", parent) {
    vexor::showPageCaption(this);
}
