#include "maps/MapMenu.h"

#include "lang/Language.h"

namespace vexor {

namespace {

struct SMenuEntry {
    int language;
    int menuId;
    SMapMenuTexts texts;
};

// The item texts of each language's menu, spelt as the value dialogs spell them.
constexpr SMenuEntry kMenus[] = {
    {kLangPolish, 133, {"Poprawki", "Dodaj...", "Odejmij...", "Ustaw..", "Kasuj poprawki"}},
    {kLangItalian,
     136,
     {"Poprawki", "Aggiungere...", "Sottrarre...", "Impostare...", "Cancellare correzioni"}},
    {kLangCroatian, 137, {"Poprawki", "Dodaj...", "Oduzmi...", "Podesi...", "Očisti ispravke"}},
    {kLangPortuguese,
     138,
     {"Poprawki", "Adicionar...", "Subtrair...", "Ajustar...", "Apagar correções"}},
    {kLangSpanish,
     139,
     {"Poprawki", "Añadir...", "Restar...", "Ajustar...", "Borrar correcciones"}},
    {kLangRussian, 140, {"Poprawki", "Добавить...", "Отнять...", "Установить...", "Удалить коррекции"}},
    {kLangTurkish, 141, {"Poprawki", "Ekle...", "Çıkar...", "Ayarla...", "Düzeltmeleri sil"}},
    {kLangGerman,
     142,
     {"Poprawki", "Hinzugeben", "Abziehen", "Wert einstellen", "Korrekturen löschen"}},
    {kLangSlovenian, 143, {"Poprawki", "Dodaj...", "Odštej...", "Nastavi..", "Izbriši popravke"}},
};

constexpr SMapMenuTexts kEnglish{"Poprawki", "Add...", "Subtract...", "Set...",
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
