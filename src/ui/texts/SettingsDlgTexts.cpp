#include "texts/SettingsDlgTexts.h"

#include "pages/AdvancedPageIds.h"

using namespace vexor::ids;

// Slot order: Polish, English, Italian, Spanish, Portuguese, Croatian,
// Russian, Turkish, German, Slovenian.
void CSettingsDlgTexts::fill() {
    add(kCaptionId, "Odczyt/Zapis", "Read/Write", "Lettura/Scrittura", "Lectura/Escritura",
        "Leitura/Gravação", "Čitanje/Zapis", "Чтение/Запись", "Oku/Yaz", "Lesen/Schreiben",
        "Branje/Zapis");
    add(kSetBtnRead, "Odczyt", "Read", "Lettura", "Leer", "Ler", "Čitanje", "Чтение", "Oku",
        "Lesen", "Branje");
    add(kSetBtnWrite, "Zapis", "Write", "Scrittura", "Guardar", "Gravar", "Zapis", "Запись", "Yaz",
        "Schreiben", "Zapis");
    add(kSetBtnDefaults, "Ustawienia fabryczne", "Factory settings", "Impostazioni di fabbrica",
        "Ajustes de fábrica", "Configurações de fábrica", "Tvorničke postavke",
        "Заводские настройки", "Fabrika ayarları", "Werkseinstellungen", "Tovarniške nastavitve");
    add(kSetBtnFirmware, "Aktualizacja firmware", "Firmware update", "Aggiornamento firmware",
        "Actualización de firmware", "Atualização de firmware", "Ažuriranje firmvera",
        "Обновление прошивки", "Yazılım güncelleme", "Firmware-Aktualisierung",
        "Posodobitev strojne programske opreme");
}
