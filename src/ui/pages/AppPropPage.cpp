#include "pages/AppPropPage.h"

#include <utility>

CAppPropPage::CAppPropPage(std::string polishCaption, QWidget* parent)
    : QWidget(parent), m_caption(std::move(polishCaption)) {}
