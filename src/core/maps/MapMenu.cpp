#include "maps/MapMenu.h"

#include "lang/Language.h"
#include "lang/LanguageFiles.h"

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
    {kLangRussian,
     140,
     {"Poprawki", "Добавить...", "Отнять...", "Установить...", "Удалить коррекции"}},
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

SMapMenuStrings mapMenuStrings(int menuId, int language) {
    const SMapMenuTexts own = mapMenuTexts(menuId);
    if (!isFileLanguage(language))
        return {own.popup, own.add, own.subtract, own.set, own.clear};
    const SMapMenuTexts polish = mapMenuTexts(kMapMenuPolish);
    const auto fromFile = [language](const char* key, const char* otherwise) {
        std::string text = lookupLanguageFile(language, key);
        return text == key ? std::string(otherwise) : text;
    };
    return {own.popup, fromFile(polish.add, own.add), fromFile(polish.subtract, own.subtract),
            fromFile(polish.set, own.set), fromFile(polish.clear, own.clear)};
}

} // namespace vexor
