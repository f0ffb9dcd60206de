#include "texts/ServiceSetTexts.h"

#include "pages/AdvancedPageIds.h"

using namespace vexor::ids;

// Slot order: Polish, English, Italian, Spanish, Portuguese, Croatian,
// Russian, Turkish, German, Slovenian.
void CServiceSetTexts::fill() {
    add(kCaptionId, "Następny przegląd", "Next inspection", "Prossima revisione",
        "Próxima revisión", "Próxima revisão", "Sljedeći servis", "Следующее техобслуживание",
        "Sonraki bakım", "Nächste Inspektion", "Naslednji servis");
    add(kSetSrvLblDistance,
        "Przegląd za:", "Inspection in:", "Revisione tra:", "Revisión en:", "Revisão em:",
        "Servis za:", "Техобслуживание через:", "Bakıma kalan:", "Inspektion in:", "Servis čez:");
    add(kSetSrvLblNote, "Uwaga: obliczony czas zakłada średnią prędkość 50 km/h",
        "Note: the computed time assumes an average speed of 50 km/h",
        "Nota: il tempo calcolato presuppone una velocità media di 50 km/h",
        "Nota: el tiempo calculado supone una velocidad media de 50 km/h",
        "Nota: o tempo calculado pressupõe uma velocidade média de 50 km/h",
        "Napomena: izračunato vrijeme pretpostavlja prosječnu brzinu od 50 km/h",
        "Внимание: расчётное время предполагает среднюю скорость 50 км/ч",
        "Not: hesaplanan süre ortalama 50 km/s hız varsayar",
        "Hinweis: Die berechnete Zeit setzt eine Durchschnittsgeschwindigkeit von 50 km/h voraus",
        "Opomba: izračunani čas predpostavlja povprečno hitrost 50 km/h");
}
