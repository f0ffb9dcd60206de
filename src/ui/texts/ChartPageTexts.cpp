#include "texts/ChartPageTexts.h"

#include "diag/DiagIds.h"
#include "diag/OscChannels.h"

void CChartPageTexts::fill() {
    using namespace vexor::ids::diag;
    add(kCaptionId, "Oscyloskop", "Oscilloscope", "Oscilloscopio", "Osciloscopio", "Osciloscópio",
        "Osciloskop", "Осциллограф", "Osiloskop", "Oszilloskop", "Osciloskop");

    // The check boxes, in channel order; their Polish texts are the channel
    // labels of the core's channel table.
    const auto channels = vexor::oscChannels();
    add(channels[0].checkBoxId, channels[0].label, "RPM", "Giri/min", "RPM", "RPM", "O/min",
        "Обороты", "Devir", "Drehzahl", "Vrtljaji");
    add(channels[1].checkBoxId, channels[1].label, "Petrol inj.", "Iniez. benz.", "Iny. gasolina",
        "Inj. gasolina", "Ubriz. benz.", "Впрыск бенз.", "Benzin enj.", "Einspr. Benzin",
        "Vbrizg benc.");
    add(channels[2].checkBoxId, channels[2].label, "Gas inj.", "Iniez. gas", "Iny. gas", "Inj. gás",
        "Ubriz. plina", "Впрыск газа", "Gaz enj.", "Einspr. Gas", "Vbrizg plina");
    add(channels[3].checkBoxId, channels[3].label, "Pressure", "Pressione", "Presión", "Pressão",
        "Tlak", "Давление", "Basınç", "Druck", "Tlak");
    add(channels[4].checkBoxId, channels[4].label, "Manifold pressure", "Depressione", "Depresión",
        "Depressão", "Podtlak", "Разрежение", "Vakum", "Unterdruck", "Podtlak");
    add(channels[5].checkBoxId, channels[5].label, "Gas temp.", "Temp. gas", "Temp. gas",
        "Temp. gás", "Temp. plina", "Темп. газа", "Gaz sıc.", "Gastemp.", "Temp. plina");
    add(channels[6].checkBoxId, channels[6].label, "Reducer temp.", "Temp. riduttore",
        "Temp. reductor", "Temp. redutor", "Temp. reduktora", "Темп. редукт.", "Redüktör sıc.",
        "Verdampfertemp.", "Temp. reduktorja");
    add(channels[7].checkBoxId, channels[7].label, "Lambda 1", "Lambda 1", "Lambda 1", "Lambda 1",
        "Lambda 1", "Лямбда 1", "Lambda 1", "Lambda 1", "Lambda 1");
    add(channels[8].checkBoxId, channels[8].label, "Lambda 2", "Lambda 2", "Lambda 2", "Lambda 2",
        "Lambda 2", "Лямбда 2", "Lambda 2", "Lambda 2", "Lambda 2");

    add(kLblScale, "Skala", "Scale", "Scala", "Escala", "Escala", "Skala", "Шкала", "Ölçek",
        "Skala", "Skala");
    add(kBtnRun, "Start", "Start", "Avvio", "Iniciar", "Iniciar", "Start", "Старт", "Başlat",
        "Start", "Začni");
    add(kBtnPause, "Pauza", "Pause", "Pausa", "Pausa", "Pausa", "Pauza", "Пауза", "Duraklat",
        "Pause", "Premor");
    add(kBtnRecord, "Zapis", "Record", "Registra", "Grabar", "Gravar", "Snimi", "Запись", "Kaydet",
        "Aufnahme", "Snemaj");
    add(kBtnStopRecording, "Zatrzymaj zapis", "Stop recording", "Ferma registrazione",
        "Detener grabación", "Parar gravação", "Zaustavi snimanje", "Остановить запись",
        "Kaydı durdur", "Aufnahme stoppen", "Ustavi snemanje");
    add(kBtnOpen, "Otwórz", "Open", "Apri", "Abrir", "Abrir", "Otvori", "Открыть", "Aç", "Öffnen",
        "Odpri");
}
