#include "texts/MultiLangMenu.h"

#include "controls/CtrlId.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void CMultiLangMenu::applyItems(QMenu* popup) const {
    const QList<QAction*> items = popup->actions();
    for (QAction* item : items) {
        const int id = vexor::ctrlId(item);
        if (id > 0 && contains(id))
            item->setText(QString::fromStdString(text(id)));
    }
}

void CMultiLangMenu::apply(QMenuBar* menuBar) const {
    if (menuBar == nullptr)
        return;
    const QList<QAction*> top = menuBar->actions();
    for (int i = 0; i < top.size(); ++i) {
        if (contains(i))
            top[i]->setText(QString::fromStdString(text(i)));
        if (QMenu* popup = top[i]->menu())
            applyItems(popup);
    }
    menuBar->update();
}

void CMultiLangMenu::applyFirstPopup(QMenu* menu) const {
    if (menu == nullptr)
        return;
    const QList<QAction*> top = menu->actions();
    for (QAction* action : top) {
        if (QMenu* popup = action->menu()) {
            applyItems(popup);
            return;
        }
    }
    applyItems(menu);
}
