#include "texts/MapTexts.h"

void CMapTexts::fill() {
    add(kCaptionId, "Mapa", "Map", "Mappa", "Mapa", "Mapa", "Mapa", "Карта", "Harita", "Kennfeld",
        "Mapa");
}
