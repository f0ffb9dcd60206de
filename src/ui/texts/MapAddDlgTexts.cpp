#include "texts/MapAddDlgTexts.h"

#include "maps/MapCtrlIds.h"

void CMapAddDlgTexts::fill() {
    add(kCaptionId, "Dodaj...", "Add...", "Aggiungere...", "Añadir...", "Adicionar...", "Dodaj...",
        "Добавить...", "Ekle...", "Hinzufügen...", "Dodaj...");
    add(vexor::ids::kMapValueLabel, "Dodaj:", "Add:", "Aggiungere:", "Añadir:", "Adicionar:",
        "Dodaj:", "Добавить:", "Ekle:", "Hinzufügen:", "Dodaj:");
}
