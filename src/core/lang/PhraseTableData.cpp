#include "lang/PhraseTableData.h"

namespace vexor {

namespace {

// Polish, English, Italian, Spanish, Portuguese, Croatian, Russian, Turkish,
// German, Slovenian, (unused), (unused).
constexpr PhraseRow kRows[] = {
    {"Nie powiodło się wpisanie ustawień do urządzenia!",
     "Failed to write the settings to the controller!",
     "Scrittura delle impostazioni nella centralina non riuscita!",
     "¡No se han podido escribir los ajustes en la centralita!",
     "Falha ao gravar as configurações na centralina!",
     "Upisivanje postavki u uređaj nije uspjelo!", "Не удалось записать настройки в контроллер!",
     "Ayarlar cihaza yazılamadı!",
     "Die Einstellungen konnten nicht in das Steuergerät geschrieben werden!",
     "Vpis nastavitev v napravo ni uspel!", "", ""},
};

} // namespace

std::span<const PhraseRow> phraseRows() {
    return kRows;
}

} // namespace vexor
