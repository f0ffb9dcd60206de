#include "texts/ViewTexts.h"

#include "app/ControlIds.h"

#include <string>

using namespace vexor::ids;

void CViewTexts::fill() {
    // Slots: Polish, English, Italian, Spanish, Portuguese, Croatian, Russian,
    // Turkish, German, Slovenian.
    add(kCaptionId, "Parametry pracy", "Operating parameters", "Parametri di funzionamento",
        "Parámetros de funcionamiento", "Parâmetros de funcionamento", "Radni parametri",
        "Рабочие параметры", "Çalışma parametreleri", "Betriebsparameter", "Delovni parametri");
    add(kGrpSwitch, "Przełącznik", "Switch", "Commutatore", "Conmutador", "Comutador", "Prekidač",
        "Переключатель", "Geçiş anahtarı", "Umschalter", "Preklopnik");
    add(kBtnGasoline, "Benzyna", "Petrol", "Benzina", "Gasolina", "Gasolina", "Benzin", "Бензин",
        "Benzin", "Benzin", "Bencin");
    add(kBtnLpg, "Gaz", "Gas", "Gas", "Gas", "Gás", "Plin", "Газ", "Gaz", "Gas", "Plin");
    add(kBtnAuto, "Automat", "Auto", "Automatico", "Automático", "Automático", "Automatski", "Авто",
        "Otomatik", "Automatik", "Samodejno");
    add(kGrpInjectors, "Aktywne wtryskiwacze", "Active injectors", "Iniettori attivi",
        "Inyectores activos", "Injetores ativos", "Aktivne brizgaljke", "Активные форсунки",
        "Aktif enjektörler", "Aktive Injektoren", "Aktivni vbrizgalniki");
    add(kGrpRpm, "Obroty", "Engine speed", "Giri motore", "Régimen", "Rotação", "Broj okretaja",
        "Обороты", "Devir", "Drehzahl", "Vrtljaji");
    add(kLblRpm, "RPM", "RPM", "giri/min", "RPM", "RPM", "o/min", "об/мин", "d/dk", "U/min",
        "vrt/min");
    add(kGrpPressure, "Ciśnienie", "Pressure", "Pressione", "Presión", "Pressão", "Tlak",
        "Давление", "Basınç", "Druck", "Tlak");
    // Each value's label names its unit; the three gas values differ by it
    // and, for the injection time, by name.
    add(kLblPressGas, "Gaz [kPa]", "Gas [kPa]", "Gas [kPa]", "Gas [kPa]", "Gás [kPa]", "Plin [kPa]",
        "Газ [кПа]", "Gaz [kPa]", "Gas [kPa]", "Plin [kPa]");
    add(kLblPressManifold, "Kolektor [kPa]", "Manifold [kPa]", "Collettore [kPa]", "Colector [kPa]",
        "Coletor [kPa]", "Usis. grana [kPa]", "Коллектор [кПа]", "Manifold [kPa]",
        "Saugrohr [kPa]", "Kolektor [kPa]");
    add(kGrpTempr, "Temperatura", "Temperature", "Temperatura", "Temperatura", "Temperatura",
        "Temperatura", "Температура", "Sıcaklık", "Temperatur", "Temperatura");
    add(kLblTemprGas, "Gaz [°C]", "Gas [°C]", "Gas [°C]", "Gas [°C]", "Gás [°C]", "Plin [°C]",
        "Газ [°C]", "Gaz [°C]", "Gas [°C]", "Plin [°C]");
    add(kLblTemprReducer, "Reduktor [°C]", "Reducer [°C]", "Riduttore [°C]", "Reductor [°C]",
        "Redutor [°C]", "Reduktor [°C]", "Редуктор [°C]", "Redüktör [°C]", "Verdampfer [°C]",
        "Reduktor [°C]");
    add(kGrpVoltage, "Napięcie", "Voltage", "Tensione", "Tensión", "Tensão", "Napon", "Напряжение",
        "Gerilim", "Spannung", "Napetost");
    add(kLblSupply, "Zasilanie [V]", "Supply [V]", "Alimentaz. [V]", "Alimentación [V]",
        "Alimentação [V]", "Napajanje [V]", "Питание [В]", "Besleme [V]", "Versorgung [V]",
        "Napajanje [V]");
    add(kLblLambda1, "Lambda 1 [V]", "Lambda 1 [V]", "Lambda 1 [V]", "Lambda 1 [V]", "Lambda 1 [V]",
        "Lambda 1 [V]", "Лямбда 1 [В]", "Lambda 1 [V]", "Lambda 1 [V]", "Lambda 1 [V]");
    add(kLblLambda2, "Lambda 2 [V]", "Lambda 2 [V]", "Lambda 2 [V]", "Lambda 2 [V]", "Lambda 2 [V]",
        "Lambda 2 [V]", "Лямбда 2 [В]", "Lambda 2 [V]", "Lambda 2 [V]", "Lambda 2 [V]");
    add(kLblGasTime, "Wtrysk gazu [ms]", "Gas inj. [ms]", "Iniez. gas [ms]", "Iny. gas [ms]",
        "Inj. gás [ms]", "Ubrizg. plina [ms]", "Впрыск газа [мс]", "Gaz enj. [ms]",
        "Gas-Einspr. [ms]", "Vbrizg plina [ms]");
    add(kGrpInjTime, "Czas wtrysku benzyny [ms]", "Petrol injection time [ms]",
        "Tempo iniezione benzina [ms]", "Tiempo inyección gasolina [ms]",
        "Tempo injeção gasolina [ms]", "Vrijeme ubrizg. benzina [ms]", "Время впрыска бензина [мс]",
        "Benzin enjeksiyon süresi [ms]", "Benzin-Einspritzzeit [ms]", "Čas vbrizga bencina [ms]");
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i + 1);
        const std::string pl = "Cyl " + n;
        const std::string en = "Cyl " + n;
        const std::string cil = "Cil " + n;
        const std::string ru = "Цил " + n;
        const std::string tr = "Sil " + n;
        const std::string de = "Zyl " + n;
        add(kLblCyl[static_cast<size_t>(i)], pl, en, cil, cil, cil, cil, ru, tr, de, cil);
    }
}
