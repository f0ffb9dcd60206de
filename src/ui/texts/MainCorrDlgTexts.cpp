#include "texts/MainCorrDlgTexts.h"

#include "maps/MapCtrlIds.h"

void CMainCorrDlgTexts::fill() {
    add(kCaptionId, "Korekcje", "Corrections", "Correzioni", "Correcciones", "Correções",
        "Korekcije", "Коррекции", "Düzeltmeler", "Korrekturen", "Korekcije");
    add(vexor::ids::kMainCorrGroup, "Korekta dla cylindrów", "Correction for cylinders",
        "Correzione per cilindri", "Corrección para cilindros", "Correção para cilindros",
        "Korekcija za cilindre", "Коррекция для цилиндров", "Silindirler için düzeltme",
        "Korrektur für Zylinder", "Korekcija za valje");
    add(vexor::ids::kMainCorrChangeAll, "Zmiana dla wszystkich", "Change for all",
        "Modifica per tutti", "Cambio para todos", "Alteração para todos", "Promjena za sve",
        "Изменение для всех", "Tümü için değiştir", "Änderung für alle", "Sprememba za vse");
}
