#include "texts/InjSizeDlgTexts.h"

#include "maps/MapCtrlIds.h"

void CInjSizeDlgTexts::fill() {
    using namespace vexor::ids;
    add(kCaptionId, "Obliczanie średnicy dysz", "Nozzle diameter calculation",
        "Calcolo del diametro degli ugelli", "Cálculo del diámetro de las boquillas",
        "Cálculo do diâmetro dos bicos", "Izračun promjera mlaznica", "Расчёт диаметра форсунок",
        "Meme çapı hesaplama", "Berechnung des Düsendurchmessers", "Izračun premera šob");
    add(kInjSizeCylLabel, "Ilość cylindrów", "Number of cylinders", "Numero di cilindri",
        "Número de cilindros", "Número de cilindros", "Broj cilindara", "Количество цилиндров",
        "Silindir sayısı", "Zylinderanzahl", "Število valjev");
    add(kInjSizePowerLabel, "Moc [KM]", "Power [HP]", "Potenza [CV]", "Potencia [CV]",
        "Potência [CV]", "Snaga [KS]", "Мощность [л.с.]", "Güç [BG]", "Leistung [PS]", "Moč [KM]");
    add(kInjSizeTypeLabel, "Rodzaj wtrysku", "Injection type", "Tipo di iniezione",
        "Tipo de inyección", "Tipo de injeção", "Vrsta ubrizgavanja", "Тип впрыска",
        "Enjeksiyon tipi", "Einspritzart", "Vrsta vbrizgavanja");
    add(kInjSizeCalc, "Oblicz", "Calculate", "Calcola", "Calcular", "Calcular", "Izračunaj",
        "Рассчитать", "Hesapla", "Berechnen", "Izračunaj");
    add(kDlgCancel, "Zamknij", "Close", "Chiudi", "Cerrar", "Fechar", "Zatvori", "Закрыть", "Kapat",
        "Schließen", "Zapri");
}
