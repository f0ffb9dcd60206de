#include "app/DialogMnemonics.h"

#include "app/Mnemonics.h"

#include <QDialog>
#include <QEvent>

bool CDialogMnemonics::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog != nullptr && dialog->isWindow())
            vexor::assignMnemonics(dialog);
    }
    return QObject::eventFilter(watched, event);
}
