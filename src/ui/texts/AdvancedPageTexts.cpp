#include "texts/AdvancedPageTexts.h"

#include "pages/AdvancedPageIds.h"

using namespace vexor::ids;

// Slot order: Polish, English, Italian, Spanish, Portuguese, Croatian,
// Russian, Turkish, German, Slovenian.
void CAdvancedPageTexts::fill() {
    add(kCaptionId, "Zaawansowane", "Advanced", "Avanzate", "Avanzado", "Avançado", "Napredno",
        "Расширенные", "Gelişmiş", "Erweitert", "Napredno");
    add(kAdvGrpWarming, "Rozgrzewanie wtryskiwaczy", "Injector warming", "Riscaldamento iniettori",
        "Calentamiento de inyectores", "Aquecimento dos injetores", "Zagrijavanje brizgaljki",
        "Прогрев форсунок", "Enjektör ısıtma", "Injektorvorwärmung", "Ogrevanje šob");
    add(kAdvChkWarming, "Włączone", "Enabled", "Attivo", "Activado", "Ativado", "Uključeno",
        "Включено", "Açık", "Eingeschaltet", "Vklopljeno");
    add(kAdvLblWarmingTime, "Czas rozgrzewania wtryskiwaczy", "Injector warming time",
        "Tempo di riscaldamento iniettori", "Tiempo de calentamiento de inyectores",
        "Tempo de aquecimento dos injetores", "Vrijeme zagrijavanja brizgaljki",
        "Время прогрева форсунок", "Enjektör ısıtma süresi", "Vorwärmzeit der Injektoren",
        "Čas ogrevanja šob");
    add(kAdvGrpPressure, "Poprawki od ciśnienia", "Pressure corrections", "Correzioni di pressione",
        "Correcciones por presión", "Correções de pressão", "Korekcije prema tlaku",
        "Коррекция по давлению", "Basınç düzeltmeleri", "Druckkorrekturen", "Korekcije po tlaku");
    add(kAdvLblPressureRef, "Ciśnienie robocze", "Working pressure", "Pressione di lavoro",
        "Presión de trabajo", "Pressão de trabalho", "Radni tlak", "Рабочее давление",
        "Çalışma basıncı", "Arbeitsdruck", "Delovni tlak");
    add(kAdvLblPressureGain, "Poprawka", "Correction", "Correzione", "Corrección", "Correção",
        "Korekcija", "Коррекция", "Düzeltme", "Korrektur", "Korekcija");
    add(kAdvChkFast, "Tryb FAST", "FAST mode", "Modalità FAST", "Modo FAST", "Modo FAST",
        "FAST način", "Режим FAST", "FAST modu", "FAST-Modus", "Način FAST");
    add(kAdvGrpCutOff, "Cut-off", "Cut-off", "Cut-off", "Cut-off", "Cut-off", "Cut-off", "Отсечка",
        "Cut-off", "Schubabschaltung", "Cut-off");
    add(kAdvChkCutOff, "Obsługa cut-off na benzynie", "Cut-off handled on petrol",
        "Gestione cut-off a benzina", "Gestión de cut-off en gasolina",
        "Tratamento de cut-off na gasolina", "Cut-off na benzinu", "Отсечка на бензине",
        "Benzinde cut-off desteği", "Schubabschaltung auf Benzin", "Cut-off na bencinu");
    add(kAdvLblCutOffPressure, "Ciśnienie przy cut-off", "Pressure at cut-off",
        "Pressione al cut-off", "Presión en cut-off", "Pressão no cut-off", "Tlak pri cut-offu",
        "Давление при отсечке", "Cut-off basıncı", "Druck bei Schubabschaltung",
        "Tlak pri cut-offu");
    add(kAdvLblCutOffExitDelay, "Powrót na gaz", "Return to gas", "Ritorno a gas", "Retorno a gas",
        "Retorno ao gás", "Povratak na plin", "Возврат на газ", "Gaza dönüş", "Rückkehr auf Gas",
        "Vrnitev na plin");
    add(kAdvLblMinLpgTime, "Minimalny czas wtrysku gazowy", "Minimum gas injection time",
        "Tempo minimo di iniezione gas", "Tiempo mínimo de inyección de gas",
        "Tempo mínimo de injeção de gás", "Minimalno vrijeme ubrizgavanja plina",
        "Минимальное время впрыска газа", "Minimum gaz enjeksiyon süresi",
        "Minimale Gaseinspritzzeit", "Najkrajši čas vbrizga plina");
    add(kAdvLblIgnoreTime, "Ignorowanie impulsów benzyny poniżej",
        "Ignore petrol pulses shorter than", "Ignora impulsi benzina inferiori a",
        "Ignorar pulsos de gasolina menores de", "Ignorar pulsos de gasolina abaixo de",
        "Zanemari impulse benzina kraće od", "Игнорировать импульсы бензина короче",
        "Şu değerin altındaki benzin darbelerini yok say", "Benzinimpulse ignorieren unter",
        "Prezri impulze bencina, krajše od");
    add(kAdvChkContinuous, "Obsługa wtrysku ciągłego benzyny",
        "Continuous petrol injection handling", "Gestione iniezione continua benzina",
        "Gestión de inyección continua de gasolina", "Tratamento de injeção contínua de gasolina",
        "Podrška kontinuiranog ubrizgavanja benzina", "Поддержка непрерывного впрыска бензина",
        "Sürekli benzin enjeksiyonu desteği", "Behandlung kontinuierlicher Benzineinspritzung",
        "Podpora neprekinjenega vbrizga bencina");
    add(kAdvChkSwitchCorr, "Jednorazowe wzbogacenie", "One-time enrichment",
        "Arricchimento una tantum", "Enriquecimiento único", "Enriquecimento único",
        "Jednokratno obogaćivanje", "Однократное обогащение", "Tek seferlik zenginleştirme",
        "Einmalige Anreicherung", "Enkratna obogatitev");
    add(kAdvLblSwitchCorrTime, "przez", "for", "per", "durante", "durante", "tijekom", "в течение",
        "süresince", "für", "za");
}
