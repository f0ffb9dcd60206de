#include "app/QtBusyCursor.h"

#include <QApplication>
#include <QCursor>

void CQtBusyCursor::begin() {
    ++m_depth;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CQtBusyCursor::end() {
    if (m_depth > 0)
        --m_depth;
    QApplication::restoreOverrideCursor();
}
