#pragma once

#include "lang/MultiLangRes.h"

class QMenu;
class QMenuBar;

// Texts of a menu: entries 0, 1, ... name the top-level pop-ups by position,
// positive ids the items by their ctrlId.
class CMultiLangMenu : public CMultiLangRes {
public:
    // Every pop-up title by position and every item of every pop-up by id.
    void apply(QMenuBar* menuBar) const;
    // Only the items of the first pop-up of the menu (context menus are built
    // as a menu holding one pop-up); a menu without pop-ups gets its own items.
    void applyFirstPopup(QMenu* menu) const;

private:
    void applyItems(QMenu* popup) const;
};
