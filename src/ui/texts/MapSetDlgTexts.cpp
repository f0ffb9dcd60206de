#include "texts/MapSetDlgTexts.h"

#include "maps/MapCtrlIds.h"

void CMapSetDlgTexts::fill() {
    add(kCaptionId, "Ustaw...", "Set...", "Impostare...", "Ajustar...", "Ajustar...", "Podesi...",
        "Установить...", "Ayarla...", "Einstellen...", "Nastavi...");
    add(vexor::ids::kMapValueLabel, "Ustaw wartość:", "Set value:", "Impostare valore:",
        "Ajustar valor:", "Ajustar valor:", "Podesi vrijednost:", "Установить значение:",
        "Değeri ayarla:", "Wert einstellen:", "Nastavi vrednost:");
}
