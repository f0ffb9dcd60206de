#include "texts/PanelGasolineTexts.h"

#include "pages/PanelIds.h"

using namespace vexor::panel_ids;

void CPanelGasolineTexts::fill() {
    add(kCaptionId, "Panel Petrol", "Petrol panel", "Pannello benzina", "Panel gasolina",
        "Painel gasolina", "Ploča benzin", "Панель бензин", "Benzin paneli", "Benzin-Einstellungen",
        "Plošča bencin");
    add(kLblRpmDiv, "Ilość cyl./cewkę", "Cylinders per coil", "Cilindri per bobina",
        "Cilindros por bobina", "Cilindros por bobina", "Cilindara po bobini",
        "Цилиндров на катушку", "Bobin başına silindir", "Zylinder pro Zündspule",
        "Valjev na tuljavo");
    add(kLblRpmLevel, "Poziom sygnału obrotów", "RPM signal level", "Livello segnale giri",
        "Nivel de señal de RPM", "Nível do sinal de rotação", "Razina signala okretaja",
        "Уровень сигнала оборотов", "Devir sinyal seviyesi", "Drehzahlsignal-Pegel",
        "Nivo signala vrtljajev");
    add(kLblEngineType, "Typ silnika", "Engine type", "Tipo motore", "Tipo de motor",
        "Tipo de motor", "Tip motora", "Тип двигателя", "Motor tipi", "Motortyp", "Tip motorja");
    add(kLblLambdaType, "Typ sondy Lambda", "Lambda sensor type", "Tipo sonda lambda",
        "Tipo de sonda lambda", "Tipo de sonda lambda", "Tip lambda sonde", "Тип лямбда-зонда",
        "Lambda sensörü tipi", "Lambdasonden-Typ", "Tip lambda sonde");
    add(kLblGasInjType, "Typ wtrysku benzynowego", "Petrol injection type",
        "Tipo iniezione benzina", "Tipo de inyección de gasolina", "Tipo de injeção de gasolina",
        "Tip ubrizgavanja benzina", "Тип впрыска бензина", "Benzin enjeksiyon tipi",
        "Benzineinspritzungs-Typ", "Tip vbrizgavanja bencina");
    add(kChkInjSignal, "Wtrysk benzyny sterowany +", "Petrol injectors switched on +",
        "Iniettori benzina comandati su +", "Inyectores de gasolina controlados por +",
        "Injetores de gasolina comandados pelo +", "Benzinske brizgaljke upravljane +",
        "Бензиновые форсунки управляются по +", "Benzin enjektörleri + ile kontrol",
        "Benzineinspritzung plusgesteuert", "Bencinski vbrizgalniki krmiljeni s +");
}
