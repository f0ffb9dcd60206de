#include "pages/AppPropSheet.h"

#include "pages/AppPropPage.h"

#include <QSignalBlocker>

CAppPropSheet::CAppPropSheet(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &CAppPropSheet::onCurrentChanged);
}

int CAppPropSheet::addPage(CAppPropPage* page, const QString& caption) {
    const int index = addTab(page, caption);
    if (m_shown < 0)
        m_shown = currentIndex();
    return index;
}

CAppPropPage* CAppPropSheet::page(int index) const {
    return qobject_cast<CAppPropPage*>(widget(index));
}

CAppPropPage* CAppPropSheet::activePage() const {
    return page(currentIndex());
}

// The tab bar has already switched when currentChanged arrives, so a refusal
// switches straight back with the signal blocked: the refused page never sees
// activate() and the page that refused never sees a second canLeave().
void CAppPropSheet::onCurrentChanged(int index) {
    if (m_switching || index == m_shown)
        return;
    CAppPropPage* leaving = page(m_shown);
    CAppPropPage* coming = page(index);
    bool allowed = leaving == nullptr || leaving->canLeave();
    if (allowed && coming != nullptr)
        allowed = coming->activate();
    if (allowed) {
        m_shown = index;
        return;
    }
    m_switching = true;
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(m_shown);
    }
    m_switching = false;
}
