#include "pages/PanelGasolinePage.h"

#include "pages/PageCaption.h"

CPanelGasolinePage::CPanelGasolinePage(QWidget* parent) : CAppPropPage("Panel Petrol", parent) {
    vexor::showPageCaption(this);
}
