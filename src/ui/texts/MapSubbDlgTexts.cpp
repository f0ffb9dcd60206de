#include "texts/MapSubbDlgTexts.h"

#include "maps/MapCtrlIds.h"

void CMapSubbDlgTexts::fill() {
    add(kCaptionId, "Odejmij...", "Subtract...", "Sottrarre...", "Restar...", "Subtrair...",
        "Oduzmi...", "Отнять...", "Çıkar...", "Abziehen...", "Odštej...");
    add(vexor::ids::kMapValueLabel, "Odejmij:", "Subtract:", "Sottrarre:", "Restar:", "Subtrair:",
        "Oduzmi:", "Отнять:", "Çıkar:", "Abziehen:", "Odštej:");
}
