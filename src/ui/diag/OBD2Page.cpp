#include "diag/OBD2Page.h"

#include "pages/PageCaption.h"

COBD2Page::COBD2Page(QWidget* parent) : CAppPropPage(" OBD ", parent) {
    vexor::showPageCaption(this);
}
