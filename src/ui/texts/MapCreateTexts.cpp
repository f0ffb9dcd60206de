#include "texts/MapCreateTexts.h"

#include "maps/MapPageIds.h"

using namespace vexor::mapids;

// Slot order: Polish, English, Italian, Spanish, Portuguese, Croatian,
// Russian, Turkish, German, Slovenian.
void CMapCreateTexts::fill() {
    add(kCaptionId, "Kalibracja", "Calibration", "Calibrazione", "Calibración", "Calibração",
        "Kalibracija", "Калибровка", "Kalibrasyon", "Kalibrierung", "Kalibracija");
    add(kBtnAutoCal, "Autokalibracja", "Autocalibration", "Autocalibrazione", "Autocalibración",
        "Autocalibração", "Autokalibracija", "Автокалибровка", "Otomatik kalibrasyon",
        "Autokalibrierung", "Samodejna kalibracija");
    add(kBtnCompute, "Oblicz nastawy", "Compute settings", "Calcola impostazioni",
        "Calcular ajustes", "Calcular ajustes", "Izračunaj postavke", "Рассчитать настройки",
        "Ayarları hesapla", "Einstellungen berechnen", "Izračunaj nastavitve");
    add(kBtnClearPetrol, "Kasuj benzynę", "Clear petrol", "Cancella benzina", "Borrar gasolina",
        "Apagar gasolina", "Obriši benzin", "Стереть бензин", "Benzini sil", "Benzin löschen",
        "Izbriši bencin");
    add(kBtnClearGas, "Kasuj gaz", "Clear gas", "Cancella gas", "Borrar gas", "Apagar gás",
        "Obriši plin", "Стереть газ", "Gazı sil", "Gas löschen", "Izbriši plin");
    add(kBtnClearLine, "Kasuj nastawy", "Clear settings", "Cancella impostazioni", "Borrar ajustes",
        "Apagar ajustes", "Obriši postavke", "Стереть настройки", "Ayarları sil",
        "Einstellungen löschen", "Izbriši nastavitve");
    add(kChkLock, "Blokada", "Lock", "Blocco", "Bloqueo", "Bloqueio", "Blokada", "Блокировка",
        "Kilit", "Sperre", "Zaklep");
    add(kLblPoints, "Ilość punktów", "Number of points", "Numero di punti", "Número de puntos",
        "Número de pontos", "Broj točaka", "Количество точек", "Nokta sayısı", "Anzahl der Punkte",
        "Število točk");
    for (int id : {kLblPetrol, kLblPetrolFill})
        add(id, "Benzyna", "Petrol", "Benzina", "Gasolina", "Gasolina", "Benzin", "Бензин",
            "Benzin", "Benzin", "Bencin");
    for (int id : {kLblGas, kLblGasFill})
        add(id, "Gaz", "Gas", "Gas", "Gas", "Gás", "Plin", "Газ", "Gaz", "Gas", "Plin");
    add(kLblCorr, "Korekta", "Correction", "Correzione", "Corrección", "Correção", "Korekcija",
        "Коррекция", "Düzeltme", "Korrektur", "Korekcija");
    add(kLblCorrUnit, "[ms]", "[ms]", "[ms]", "[ms]", "[ms]", "[ms]", "[мс]", "[ms]", "[ms]",
        "[ms]");
    add(kLblLambda1, "Lambda 1", "Lambda 1", "Lambda 1", "Lambda 1", "Lambda 1", "Lambda 1",
        "Лямбда 1", "Lambda 1", "Lambda 1", "Lambda 1");
    add(kLblLambda2, "Lambda 2", "Lambda 2", "Lambda 2", "Lambda 2", "Lambda 2", "Lambda 2",
        "Лямбда 2", "Lambda 2", "Lambda 2", "Lambda 2");
    add(kLblPressure, "Ciśnienie", "Pressure", "Pressione", "Presión", "Pressão", "Tlak",
        "Давление", "Basınç", "Druck", "Tlak");
    add(kLblManifold, "Podciśnienie", "Vacuum", "Depressione", "Depresión", "Depressão", "Podtlak",
        "Разрежение", "Vakum", "Unterdruck", "Podtlak");
    add(kLblGasTempr, "Temp. gazu", "Gas temp.", "Temp. gas", "Temp. gas", "Temp. gás",
        "Temp. plina", "Темп. газа", "Gaz sıc.", "Gastemp.", "Temp. plina");
    add(kLblReducerTempr, "Temp. redukt.", "Reducer temp.", "Temp. riduttore", "Temp. reductor",
        "Temp. redutor", "Temp. reduktora", "Темп. редукт.", "Redüktör sıc.", "Verdampfertemp.",
        "Temp. reduktorja");
    add(kGrpObd, "OBD", "OBD", "OBD", "OBD", "OBD", "OBD", "OBD", "OBD", "OBD", "OBD");
    add(kLblBank1, "Bank1", "Bank1", "Bank1", "Banco1", "Banco1", "Banka1", "Банк1", "Sıra1",
        "Bank1", "Banka1");
    add(kLblBank2, "Bank2", "Bank2", "Bank2", "Banco2", "Banco2", "Banka2", "Банк2", "Sıra2",
        "Bank2", "Banka2");
    add(kLblShortTrim, "Nastawy szybkie", "Short-term trims", "Correzioni brevi",
        "Ajustes a corto plazo", "Ajustes de curto prazo", "Kratkoročne korekcije",
        "Краткосрочная коррекция", "Kısa dönem ayarlar", "Kurzzeitkorrektur",
        "Kratkoročni popravki");
    add(kLblLongTrim, "Nastawy wolne", "Long-term trims", "Correzioni lunghe",
        "Ajustes a largo plazo", "Ajustes de longo prazo", "Dugoročne korekcije",
        "Долгосрочная коррекция", "Uzun dönem ayarlar", "Langzeitkorrektur", "Dolgoročni popravki");
    add(kLblLambdaBefore, "Lambda przed katalizatorem", "Lambda before catalyst",
        "Lambda prima del catalizzatore", "Lambda antes del catalizador",
        "Lambda antes do catalisador", "Lambda prije katalizatora", "Лямбда до катализатора",
        "Katalizör öncesi lambda", "Lambda vor Katalysator", "Lambda pred katalizatorjem");
    add(kLblLambdaAfter, "Lambda za katalizatorem", "Lambda after catalyst",
        "Lambda dopo il catalizzatore", "Lambda después del catalizador",
        "Lambda depois do catalisador", "Lambda iza katalizatora", "Лямбда после катализатора",
        "Katalizör sonrası lambda", "Lambda nach Katalysator", "Lambda za katalizatorjem");
    for (int id : kLblVolts)
        add(id, "V", "V", "V", "V", "V", "V", "В", "V", "V", "V");
    add(kAxisTime, "Czas [ms]", "Time [ms]", "Tempo [ms]", "Tiempo [ms]", "Tempo [ms]",
        "Vrijeme [ms]", "Время [мс]", "Süre [ms]", "Zeit [ms]", "Čas [ms]");
    add(kAxisFactor, "Mnożnik", "Multiplier", "Moltiplicatore", "Multiplicador", "Multiplicador",
        "Množitelj", "Множитель", "Çarpan", "Multiplikator", "Množitelj");
    add(kAxisPressure, "Ciśnienie kolektora [kPa]", "Manifold pressure [kPa]",
        "Pressione collettore [kPa]", "Presión del colector [kPa]", "Pressão do coletor [kPa]",
        "Tlak usisne grane [kPa]", "Давление во впуске [кПа]", "Manifold basıncı [kPa]",
        "Saugrohrdruck [kPa]", "Tlak v sesalnem kolektorju [kPa]");
}
