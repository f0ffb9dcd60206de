#include "maps/MapCorrPage.h"

#include "pages/PageCaption.h"

CMapCorrPage::CMapCorrPage(QWidget* parent) : CAppPropPage("Mapa", parent) {
    vexor::showPageCaption(this);
}
