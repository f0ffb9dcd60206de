#include "texts/AboutDlgTexts.h"

#include "app/ControlIds.h"

void CAboutDlgTexts::fill() {
    add(kCaptionId, "O programie VEXOR", "About VEXOR", "Informazioni su VEXOR", "Acerca de VEXOR",
        "Sobre o VEXOR", "O programu VEXOR", "О программе VEXOR", "VEXOR hakkında", "Über VEXOR",
        "O programu VEXOR");
    // The body names the toolbar's "Dokumenty" button as each language calls it.
    add(vexor::ids::kAboutEdit,
        "VEXOR – konfiguracja i diagnostyka sekwencyjnych sterowników wtrysku gazu LPG/CNG.\n\n"
        "Wsparcie techniczne dla warsztatów montażowych:\n"
        "zwróć się do dystrybutora, od którego pochodzi sterownik.\n"
        "Przygotuj numer seryjny sterownika, wersję oprogramowania (tytuł okna) "
        "oraz plik ustawień zapisany z tego programu.\n\n"
        "Dokumentacja: przycisk „Dokumenty” na pasku narzędzi.",
        "VEXOR – configuration and diagnostics of sequential LPG/CNG gas injection "
        "controllers.\n\n"
        "Technical support for installation workshops:\n"
        "contact the distributor who supplied the controller.\n"
        "Have ready the controller's serial number, the software version (window title) "
        "and a settings file saved with this program.\n\n"
        "Documentation: the “Documents” button on the toolbar.",
        "VEXOR – configurazione e diagnosi delle centraline di iniezione sequenziale GPL/metano."
        "\n\n"
        "Assistenza tecnica per le officine di installazione:\n"
        "rivolgersi al distributore che ha fornito la centralina.\n"
        "Tenere pronti il numero di serie della centralina, la versione del software (titolo "
        "della finestra) e un file di impostazioni salvato con questo programma.\n\n"
        "Documentazione: pulsante «Documenti» sulla barra degli strumenti.",
        "VEXOR – configuración y diagnóstico de centralitas de inyección secuencial de GLP/GNC."
        "\n\n"
        "Asistencia técnica para talleres de instalación:\n"
        "diríjase al distribuidor que le suministró la centralita.\n"
        "Tenga a mano el número de serie de la centralita, la versión del software (título de "
        "la ventana) y un archivo de ajustes guardado con este programa.\n\n"
        "Documentación: botón «Documentos» de la barra de herramientas.",
        "VEXOR – configuração e diagnóstico de centralinas de injeção sequencial de GLP/GNV.\n\n"
        "Suporte técnico para oficinas de instalação:\n"
        "contacte o distribuidor que forneceu a centralina.\n"
        "Tenha à mão o número de série da centralina, a versão do software (título da janela) "
        "e um arquivo de configurações gravado com este programa.\n\n"
        "Documentação: botão “Documentos” na barra de ferramentas.",
        "VEXOR – konfiguracija i dijagnostika sekvencijalnih upravljačkih jedinica za ubrizgavanje "
        "plina UNP/SPP.\n\n"
        "Tehnička podrška za servisne radionice:\n"
        "obratite se distributeru od kojeg potječe upravljačka jedinica.\n"
        "Pripremite serijski broj upravljačke jedinice, verziju programa (naslov prozora) "
        "i datoteku postavki spremljenu ovim programom.\n\n"
        "Dokumentacija: gumb „Dokumenti” na alatnoj traci.",
        "VEXOR – настройка и диагностика контроллеров последовательного впрыска газа "
        "пропан/метан.\n\n"
        "Техническая поддержка для установочных мастерских:\n"
        "обратитесь к дистрибьютору, поставившему контроллер.\n"
        "Подготовьте серийный номер контроллера, версию программы (заголовок окна) "
        "и файл настроек, сохранённый этой программой.\n\n"
        "Документация: кнопка «Документы» на панели инструментов.",
        "VEXOR – sıralı LPG/CNG gaz enjeksiyon kontrol ünitelerinin ayarı ve arıza teşhisi.\n\n"
        "Montaj atölyeleri için teknik destek:\n"
        "kontrol ünitesini aldığınız distribütöre başvurun.\n"
        "Kontrol ünitesinin seri numarasını, yazılım sürümünü (pencere başlığı) "
        "ve bu programla kaydedilmiş bir ayar dosyasını hazır bulundurun.\n\n"
        "Belgeler: araç çubuğundaki “Belgeler” düğmesi.",
        "VEXOR – Konfiguration und Diagnose sequentieller LPG/CNG-Gaseinspritzsteuergeräte.\n\n"
        "Technische Unterstützung für Einbauwerkstätten:\n"
        "wenden Sie sich an den Händler, von dem das Steuergerät stammt.\n"
        "Halten Sie die Seriennummer des Steuergeräts, die Softwareversion (Fenstertitel) "
        "und eine mit diesem Programm gespeicherte Einstellungsdatei bereit.\n\n"
        "Dokumentation: Schaltfläche „Dokumente“ in der Werkzeugleiste.",
        "VEXOR – nastavitev in diagnostika krmilnikov sekvenčnega vbrizga plina UNP/SZP.\n\n"
        "Tehnična podpora za vgradne delavnice:\n"
        "obrnite se na distributerja, od katerega izvira krmilnik.\n"
        "Pripravite serijsko številko krmilnika, različico programa (naslov okna) "
        "in datoteko nastavitev, shranjeno s tem programom.\n\n"
        "Dokumentacija: gumb »Dokumenti« v orodni vrstici.");
}
