#pragma once

#include <QString>

#include <vector>

class QMenu;
class QMenuBar;
class QWidget;

namespace vexor {

// Alt mnemonics for menus in every language: each entry gets an '&' before
// one of its letters, preferring the first letter of a word, so that no two
// entries of one menu (nor two menu titles) share a key. The texts come from
// fourteen translation tables, so the keys are chosen when the texts are
// applied rather than written into each translation.

// The texts with mnemonics, unique within the list; an entry with no free
// letter or digit is left without one. Any '&' already in a text is dropped
// first ("&&", a literal ampersand, stays).
std::vector<QString> withMnemonics(const std::vector<QString>& texts);

// The text as shown, without its mnemonic marker.
QString withoutMnemonic(const QString& text);

// Menu titles of the bar, and the entries of each menu and sub-menu.
void assignMnemonics(QMenuBar* bar);
void assignMnemonics(QMenu* menu);
// The buttons and check boxes shown in one window (not those of windows
// inside it), so that no two of them share a key.
void assignMnemonics(QWidget* window);

} // namespace vexor
