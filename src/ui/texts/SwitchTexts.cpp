#include "texts/SwitchTexts.h"

#include "pages/PanelIds.h"

using namespace vexor::panel_ids;

void CSwitchTexts::fill() {
    add(kCaptionId, "Przełącznik", "Switch", "Commutatore", "Conmutador", "Comutador", "Prekidač",
        "Переключатель", "Geçiş anahtarı", "Umschalter", "Preklopnik");
    add(kGrpToGas, "Na gaz", "To gas", "A gas", "A gas", "Para gás", "Na plin", "На газ",
        "Gaza geçiş", "Auf Gas", "Na plin");
    add(kGrpToPetrol, "Na benzynę", "To petrol", "A benzina", "A gasolina", "Para gasolina",
        "Na benzin", "На бензин", "Benzine geçiş", "Auf Benzin", "Na bencin");
    add(kLblTemprSwitch, "Temperatura", "Temperature", "Temperatura", "Temperatura", "Temperatura",
        "Temperatura", "Температура", "Sıcaklık", "Temperatur", "Temperatura");
    add(kLblRpmSwitch, "Obroty przełączania", "Switch-over RPM", "Giri di commutazione",
        "RPM de conmutación", "Rotação de comutação", "Okretaji prebacivanja",
        "Обороты переключения", "Geçiş devri", "Umschaltdrehzahl", "Vrtljaji preklopa");
    add(kLblSwitchDelay, "Czas", "Time", "Tempo", "Tiempo", "Tempo", "Vrijeme", "Время", "Süre",
        "Zeit", "Čas");
    add(kLblEmulatorDelay, "Przełączanie cylindrów", "Cylinder switching", "Commutazione cilindri",
        "Conmutación de cilindros", "Comutação de cilindros", "Prebacivanje cilindara",
        "Переключение цилиндров", "Silindir geçişi", "Zylinderumschaltung", "Preklop valjev");
    add(kChkAutoCalibration, "Uwzględnij przy autokalibracji", "Use in auto-calibration",
        "Usa nell'autocalibrazione", "Usar en la autocalibración", "Usar na autocalibração",
        "Uzmi u obzir kod autokalibracije", "Учитывать при автокалибровке",
        "Otomatik kalibrasyonda dikkate al", "Bei Autokalibrierung berücksichtigen",
        "Upoštevaj pri samodejni kalibraciji");
    add(kLblMaxRpm, "Maks. obroty", "Max. RPM", "Giri max.", "RPM máx.", "Rotação máx.",
        "Maks. okretaji", "Макс. обороты", "Maks. devir", "Max. Drehzahl", "Maks. vrtljaji");
    add(kLblMaxLoad, "Obciążenie", "Load", "Carico", "Carga", "Carga", "Opterećenje", "Нагрузка",
        "Yük", "Last", "Obremenitev");
    add(kLblPressAverage, "Czas błędu ciśnienia", "Pressure error time", "Tempo errore pressione",
        "Tiempo de error de presión", "Tempo de erro de pressão", "Vrijeme greške tlaka",
        "Время ошибки давления", "Basınç hatası süresi", "Druckfehlerzeit", "Čas napake tlaka");
    add(kLblMinRpm, "Min. obroty gazu", "Min. gas RPM", "Giri min. gas", "RPM mín. gas",
        "Rotação mín. gás", "Min. okretaji plina", "Мин. обороты газа", "Min. gaz devri",
        "Min. Gasdrehzahl", "Min. vrtljaji plina");
    add(kChkMinLpgTempr, "Minimalna temperatura gazu 3 st. C", "Minimum gas temperature 3 °C",
        "Temperatura minima gas 3 °C", "Temperatura mínima del gas 3 °C",
        "Temperatura mínima do gás 3 °C", "Minimalna temperatura plina 3 °C",
        "Мин. температура газа 3 °C", "Minimum gaz sıcaklığı 3 °C", "Minimale Gastemperatur 3 °C",
        "Najnižja temperatura plina 3 °C");
    add(kLblFuelSensor, "Typ czujnika", "Sensor type", "Tipo sensore", "Tipo de sensor",
        "Tipo de sensor", "Tip senzora", "Тип датчика", "Sensör tipi", "Sensortyp", "Tip senzorja");
    add(kGrpFuelGauge, "Wskaźnik poziomu paliwa", "Fuel level gauge", "Indicatore di livello",
        "Indicador de nivel", "Indicador de nível", "Pokazivač razine goriva",
        "Указатель уровня топлива", "Yakıt seviye göstergesi", "Füllstandsanzeige",
        "Kazalnik nivoja goriva");
    add(kLblMarkFull, "Pełny", "Full", "Pieno", "Lleno", "Cheio", "Pun", "Полный", "Dolu", "Voll",
        "Poln");
    add(kLblMarkFull + 1, "3/4", "3/4", "3/4", "3/4", "3/4", "3/4", "3/4", "3/4", "3/4", "3/4");
    add(kLblMarkFull + 2, "1/2", "1/2", "1/2", "1/2", "1/2", "1/2", "1/2", "1/2", "1/2", "1/2");
    add(kLblMarkFull + 3, "1/4", "1/4", "1/4", "1/4", "1/4", "1/4", "1/4", "1/4", "1/4", "1/4");
    add(kLampReserve, "Rezerwa", "Reserve", "Riserva", "Reserva", "Reserva", "Rezerva", "Резерв",
        "Rezerv", "Reserve", "Rezerva");
}
