#include "app/QtEventPump.h"

#include <QCoreApplication>

void CQtEventPump::pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
