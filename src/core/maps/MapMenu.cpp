#include "maps/MapMenu.h"

#include "lang/Language.h"

namespace vexor {

namespace {

struct SMenuEntry {
    int language;
    int menuId;
    SMapMenuTexts texts;
};

// Texts kept exactly as the menu resources carry them.
constexpr SMenuEntry kMenus[] = {
    {kLangPolish, 133, {"Poprawki", "Dodaj...", "Odejmij...", "Ustaw..", "Kasuj poprawki"}},
    {kLangItalian,
     136,
     {"Poprawki", "Aggiungere...", "Anullare...", "Impostazione...", "Liquidare correzione"}},
    {kLangCroatian, 137, {"Poprawki", "Dodaj...", "Ispod...", "Podesi..", "Očisti ispravke"}},
    {kLangPortuguese,
     138,
     {"Poprawki", "Adicionar...", "Anular...", "Ajustes...", "Apagar correçoes"}},
    {kLangSpanish,
     139,
     {"Poprawki", "A?adir....", "Anular...", "Ajustes...", "Borrar correcciones"}},
    {kLangRussian, 140, {"Poprawki", "Добавить", "Отнять", "Установит", "Удалить коррекции"}},
    {kLangTurkish, 141, {"Poprawki", "Eklemek", "Çykarma", "Takym", "Temiz Dodrular"}},
    {kLangGerman,
     142,
     {"Poprawki", "Hinzugeben", "Abziehen", "Wert einstellen", "Korrekturen löschen"}},
    {kLangSlovenian, 143, {"Poprawki", "Dodaj...", "Odštej...", "Nastavi..", "Izbriši popravke"}},
};

constexpr SMapMenuTexts kEnglish{"Poprawki", "Add...", "Substract...", "Set..",
                                 "Clear corrections"};

} // namespace

int mapMenuId(int language) {
    for (const SMenuEntry& e : kMenus)
        if (e.language == language)
            return e.menuId;
    return kMapMenuEnglish;
}

SMapMenuTexts mapMenuTexts(int menuId) {
    for (const SMenuEntry& e : kMenus)
        if (e.menuId == menuId)
            return e.texts;
    return kEnglish;
}

} // namespace vexor
