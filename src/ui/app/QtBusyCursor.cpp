#include "app/QtBusyCursor.h"

#include <QApplication>
#include <QCursor>

void CQtBusyCursor::begin() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CQtBusyCursor::end() {
    QApplication::restoreOverrideCursor();
}
