#pragma once

// The grid's right-click menu: one popup "Poprawki" with add, subtract, set,
// a separator and clear. Each interface language has its own menu resource;
// the item texts belong to the resource, not to the phrase table.
#include <string>

namespace vexor {

inline constexpr int kCmdMapAdd = 32785;
inline constexpr int kCmdMapSubb = 32786;
inline constexpr int kCmdMapClear = 32787;
inline constexpr int kCmdMapSet = 32788;

inline constexpr int kMapMenuPolish = 133;
inline constexpr int kMapMenuEnglish = 135; // also every language without its own menu

struct SMapMenuTexts {
    const char* popup;
    const char* add;
    const char* subtract;
    const char* set;
    const char* clear;
};

// The item texts as the grid shows them in a language.
struct SMapMenuStrings {
    std::string popup;
    std::string add;
    std::string subtract;
    std::string set;
    std::string clear;
};

// The menu resource for an interface language index (lang/Language.h).
int mapMenuId(int language);
// Texts of a menu resource; an unknown id gives the English menu.
SMapMenuTexts mapMenuTexts(int menuId);
// The texts of the menu resource; a language whose texts come from a
// language file has no resource of its own, so it gets the Polish menu's
// items from its file, and the English item where the file has none.
SMapMenuStrings mapMenuStrings(int menuId, int language);

} // namespace vexor
