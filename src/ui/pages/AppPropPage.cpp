#include "pages/AppPropPage.h"

#include "controls/CtrlId.h"

#include <utility>

CAppPropPage::CAppPropPage(std::string polishCaption, QWidget* parent)
    : QWidget(parent), m_caption(std::move(polishCaption)) {
    // The page's controls take their texts from the page's own text object,
    // never from the view around it.
    vexor::setTextScope(this);
}

void CAppPropPage::attach(IDocumentPort& doc, const Seams& seams) {
    m_doc = &doc;
    m_seams = seams;
}
