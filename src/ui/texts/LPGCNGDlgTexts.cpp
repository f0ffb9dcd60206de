#include "texts/LPGCNGDlgTexts.h"

#include "app/ControlIds.h"

void CLPGCNGDlgTexts::fill() {
    add(kCaptionId, "Tryb pracy", "Operating mode", "Modalità di funzionamento",
        "Modo de funcionamiento", "Modo de funcionamento", "Način rada", "Режим работы",
        "Çalışma modu", "Betriebsart", "Način delovanja");
    add(vexor::ids::kWorkModeLabel, "Wybierz typ modułu:", "Select the module type:",
        "Selezionare il tipo di modulo:", "Seleccione el tipo de módulo:",
        "Selecione o tipo de módulo:", "Odaberite vrstu modula:", "Выберите тип модуля:",
        "Modül tipini seçin:", "Modultyp wählen:", "Izberite vrsto modula:");
}
