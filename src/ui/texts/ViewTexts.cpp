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
        "Переключатель", "Anahtar", "Umschalter", "Stikalo");
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
    add(kLblPressGas, "Gaz", "Gas", "Gas", "Gas", "Gás", "Plin", "Газ", "Gaz", "Gas", "Plin");
    // The live panel's labels are narrow: long words take their short forms.
    add(kLblPressManifold, "Kolektor", "Manifold", "Collettore", "Colector", "Coletor", "Usis",
        "Коллект.", "Manifold", "Saugrohr", "Sesalni k.");
    add(kGrpTempr, "Temperatura", "Temperature", "Temperatura", "Temperatura", "Temperatura",
        "Temperatura", "Температура", "Sıcaklık", "Temperatur", "Temperatura");
    add(kLblTemprGas, "Gaz", "Gas", "Gas", "Gas", "Gás", "Plin", "Газ", "Gaz", "Gas", "Plin");
    add(kLblTemprReducer, "Reduktor", "Reducer", "Riduttore", "Reductor", "Redutor", "Reduktor",
        "Редуктор", "Regülatör", "Verdampf.", "Reduktor");
    add(kGrpVoltage, "Napięcie", "Voltage", "Tensione", "Tensión", "Tensão", "Napon", "Напряжение",
        "Gerilim", "Spannung", "Napetost");
    add(kLblSupply, "Zasilanie", "Supply", "Alimentaz.", "Alimentac.", "Alimentaç.", "Napajanje",
        "Питание", "Besleme", "Bordnetz", "Napajanje");
    add(kLblLambda1, "Lambda 1", "Lambda 1", "Lambda 1", "Lambda 1", "Lambda 1", "Lambda 1",
        "Лямбда 1", "Lambda 1", "Lambda 1", "Lambda 1");
    add(kLblLambda2, "Lambda 2", "Lambda 2", "Lambda 2", "Lambda 2", "Lambda 2", "Lambda 2",
        "Лямбда 2", "Lambda 2", "Lambda 2", "Lambda 2");
    add(kLblGasTime, "Gazowy", "Gas", "Gas", "Gas", "Gás", "Plin", "Газ", "Gaz", "Gas", "Plin");
    add(kGrpInjTime, "Czas wtrysku", "Injection time", "Tempo di iniezione", "Tiempo de inyección",
        "Tempo de injeção", "Vrijeme ubrizgavanja", "Время впрыска", "Enjeksiyon süresi",
        "Einspritzzeit", "Čas vbrizga");
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
