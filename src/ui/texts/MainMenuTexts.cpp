#include "texts/MainMenuTexts.h"

#include "app/ControlIds.h"

void CMainMenuTexts::fill() {
    add(0, "Plik", "File", "File", "Archivo", "Arquivo", "Datoteka", "Файл", "Dosya", "Datei",
        "Datoteka");
    add(1, "O programie", "About", "Informazioni", "Acerca de", "Sobre", "O programu",
        "О программе", "Hakkında", "Hilfe", "O programu");
    add(vexor::ids::kCmdAppExit, "Wyjście", "Exit", "Esci", "Salir", "Sair", "Izlaz", "Выход",
        "Çıkış", "Beenden", "Izhod");
    add(vexor::ids::kCmdAppAbout, "O programie VEXOR...", "About VEXOR...",
        "Informazioni su VEXOR...", "Acerca de VEXOR...", "Sobre o VEXOR...", "O programu VEXOR...",
        "О программе VEXOR...", "VEXOR hakkında...", "Über VEXOR...", "O programu VEXOR...");
}
