#include "texts/ToolBarTexts.h"

#include "app/ControlIds.h"

using namespace vexor::ids;

void CToolBarTexts::fill() {
    add(kCmdMainCorr, "Korekta", "Correction", "Correzione", "Corrección", "Correção", "Korekcija",
        "Коррекция", "Düzeltme", "Korrektur", "Korekcija");
    add(kCmdCharts, "Wykresy", "Charts", "Grafici", "Gráficos", "Gráficos", "Grafikoni", "Графики",
        "Grafikler", "Diagramme", "Grafi");
    add(kCmdErrors, "Błędy", "Errors", "Errori", "Errores", "Erros", "Greške", "Ошибки", "Hatalar",
        "Fehler", "Napake");
    add(kCmdService, "Pojazd", "Vehicle", "Veicolo", "Vehículo", "Veículo", "Vozilo", "Автомобиль",
        "Araç", "Fahrzeug", "Vozilo");
    add(kCmdSettings, "Ustawienia", "Settings", "Impostazioni", "Ajustes", "Configurações",
        "Postavke", "Настройки", "Ayarlar", "Einstellungen", "Nastavitve");
    add(kCmdLanguage, "Języki", "Languages", "Lingue", "Idiomas", "Idiomas", "Jezici", "Языки",
        "Diller", "Sprachen", "Jeziki");
    add(kCmdInjSize, "Wtryskiwacze", "Injectors", "Iniettori", "Inyectores", "Injetores",
        "Brizgaljke", "Форсунки", "Enjektörler", "Injektoren", "Vbrizgalniki");
    add(kCmdHelp, "Dokumenty", "Documents", "Documenti", "Documentos", "Documentos", "Dokumenti",
        "Документы", "Belgeler", "Dokumente", "Dokumenti");
    add(kCmdAppAbout, "O programie", "About", "Informazioni", "Acerca de", "Sobre", "O programu",
        "О программе", "Hakkında", "Info", "O programu");
}
