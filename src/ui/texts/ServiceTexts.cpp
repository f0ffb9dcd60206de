#include "texts/ServiceTexts.h"

#include "pages/AdvancedPageIds.h"

using namespace vexor::ids;

// Slot order: Polish, English, Italian, Spanish, Portuguese, Croatian,
// Russian, Turkish, German, Slovenian.
void CServiceTexts::fill() {
    add(kCaptionId, "Informacje o pojeździe", "Vehicle information", "Informazioni sul veicolo",
        "Información del vehículo", "Informações do veículo", "Podaci o vozilu",
        "Информация об автомобиле", "Araç bilgileri", "Fahrzeuginformationen", "Podatki o vozilu");
    add(kSrvGrpWorkTime, "Czas pracy", "Working time", "Tempo di funzionamento",
        "Tiempo de funcionamiento", "Tempo de funcionamento", "Vrijeme rada", "Время работы",
        "Çalışma süresi", "Betriebszeit", "Čas delovanja");
    add(kSrvLblPetrol, "Benzyna", "Petrol", "Benzina", "Gasolina", "Gasolina", "Benzin", "Бензин",
        "Benzin", "Benzin", "Bencin");
    add(kSrvLblGas, "Gaz", "Gas", "Gas", "Gas", "Gás", "Plin", "Газ", "Gaz", "Gas", "Plin");
    add(kSrvLblLastModified, "Ostatnia modyfikacja ustawień", "Last settings change",
        "Ultima modifica delle impostazioni", "Última modificación de ajustes",
        "Última alteração das configurações", "Posljednja izmjena postavki",
        "Последнее изменение настроек", "Son ayar değişikliği", "Letzte Änderung der Einstellungen",
        "Zadnja sprememba nastavitev");
    add(kSrvLblThisStation, "Kod serwisowy tego komputera", "Service code of this computer",
        "Codice di servizio di questo computer", "Código de servicio de este ordenador",
        "Código de serviço deste computador", "Servisni kod ovog računala",
        "Сервисный код этого компьютера", "Bu bilgisayarın servis kodu",
        "Servicecode dieses Computers", "Servisna koda tega računalnika");
    add(kSrvGrpInspection, "Przegląd", "Inspection", "Revisione", "Revisión", "Revisão", "Servis",
        "Техобслуживание", "Bakım", "Inspektion", "Servis");
    add(kSrvLblHoursLeft, "Czas jazdy pozostały do przeglądu", "Driving time left to inspection",
        "Tempo di guida fino alla revisione", "Tiempo de conducción hasta la revisión",
        "Tempo de condução até a revisão", "Preostalo vrijeme vožnje do servisa",
        "Время езды до техобслуживания", "Bakıma kalan sürüş süresi",
        "Verbleibende Fahrzeit bis zur Inspektion", "Preostali čas vožnje do servisa");
    add(kSrvBtnSet, "Ustaw", "Set", "Imposta", "Ajustar", "Definir", "Postavi", "Установить",
        "Ayarla", "Einstellen", "Nastavi");
}
