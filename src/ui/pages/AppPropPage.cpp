#include "pages/AppPropPage.h"

#include <utility>

CAppPropPage::CAppPropPage(std::string polishCaption, QWidget* parent)
    : QWidget(parent), m_caption(std::move(polishCaption)) {}

void CAppPropPage::attach(IDocumentPort& doc, const Seams& seams) {
    m_doc = &doc;
    m_seams = seams;
}
