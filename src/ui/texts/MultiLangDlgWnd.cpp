#include "texts/MultiLangDlgWnd.h"

#include <QWidget>

void CMultiLangDlgWnd::apply(QWidget* window) const {
    if (window == nullptr)
        return;
    CMultiLangWnd::apply(window);
    window->setWindowTitle(qtext(kCaptionId));
}
