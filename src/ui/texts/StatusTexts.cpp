#include "texts/StatusTexts.h"

void CStatusTexts::fill() {
    // %1 is the port's path.
    add(Connected, "Połączono: %1", "Connected: %1", "Connesso: %1", "Conectado: %1",
        "Conectado: %1", "Spojeno: %1", "Подключено: %1", "Bağlı: %1", "Verbunden: %1",
        "Povezano: %1");
    add(Demo, "Tryb DEMO", "DEMO mode", "Modalità DEMO", "Modo DEMO", "Modo DEMO", "DEMO način",
        "Режим DEMO", "DEMO modu", "DEMO-Modus", "Način DEMO");
    add(NotConnected, "Brak połączenia ze sterownikiem", "No controller connected",
        "Nessuna centralina collegata", "Ninguna centralita conectada",
        "Nenhuma centralina conectada", "Upravljačka jedinica nije spojena",
        "Контроллер не подключен", "Kontrol ünitesi bağlı değil", "Kein Steuergerät verbunden",
        "Krmilnik ni povezan");
    add(Faults, "Sterownik zgłasza błędy", "The controller reports faults",
        "La centralina segnala errori", "La centralita indica errores", "A centralina indica erros",
        "Upravljačka jedinica javlja greške", "Контроллер сообщает об ошибках",
        "Kontrol ünitesi hata bildiriyor", "Das Steuergerät meldet Fehler",
        "Krmilnik javlja napake");
    add(NoFaults, "Brak błędów", "No faults", "Nessun errore", "Sin errores", "Sem erros",
        "Nema grešaka", "Ошибок нет", "Hata yok", "Keine Fehler", "Ni napak");
    // The live values stopped changing: no new record, or polling is off
    // (during a firmware update, after the link failed).
    add(Stale, "Wartości nieaktualne", "Values not live", "Valori non aggiornati",
        "Valores no actualizados", "Valores desatualizados", "Vrijednosti nisu aktualne",
        "Значения не обновляются", "Değerler güncel değil", "Werte nicht aktuell",
        "Vrednosti niso sveže");
    // The controller stopped answering; the program looks for it again.
    add(Lost, "Połączenie ze sterownikiem utracone, trwa szukanie...",
        "Connection to the controller lost, searching...",
        "Connessione con la centralina persa, ricerca in corso...",
        "Conexión con la centralita perdida, buscando...",
        "Conexão com a centralina perdida, procurando...",
        "Veza s upravljačkom jedinicom izgubljena, traženje...",
        "Связь с контроллером потеряна, идёт поиск...",
        "Kontrol ünitesiyle bağlantı kesildi, aranıyor...",
        "Verbindung zum Steuergerät verloren, Suche läuft...",
        "Povezava s krmilnikom izgubljena, iskanje...");
}
