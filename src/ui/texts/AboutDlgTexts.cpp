#include "texts/AboutDlgTexts.h"

void CAboutDlgTexts::fill() {
    add(kCaptionId, "O programie VEXOR", "About VEXOR", "Informazioni su VEXOR", "Acerca de VEXOR",
        "Sobre o VEXOR", "O programu VEXOR", "О программе VEXOR", "VEXOR hakkında", "Über VEXOR",
        "O programu VEXOR");
}
