#include "maps/MapPage.h"

#include "pages/PageCaption.h"

CMapPage::CMapPage(QWidget* parent) : CAppPropPage("Kalibracja", parent) {
    vexor::showPageCaption(this);
}
