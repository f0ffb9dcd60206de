#include "texts/ChartDlgTexts.h"

void CChartDlgTexts::fill() {
    add(kCaptionId, "Wykresy", "Charts", "Grafici", "Gráficos", "Gráficos", "Grafikoni", "Графики",
        "Grafikler", "Diagramme", "Grafi");
}
