#include "texts/ErrDlgTexts.h"

#include "diag/DiagIds.h"

void CErrDlgTexts::fill() {
    using namespace vexor::ids::diag;
    add(kCaptionId, "Błędy", "Errors", "Errori", "Errores", "Erros", "Greške", "Ошибки", "Hatalar",
        "Fehler", "Napake");
    add(kChkContinuousSignal, "Sygnał ciągły dla błędów", "Continuous signal for errors",
        "Segnale continuo per gli errori", "Señal continua para errores",
        "Sinal contínuo para erros", "Neprekidni signal za greške", "Непрерывный сигнал ошибок",
        "Hatalar için sürekli sinyal", "Dauersignal bei Fehlern", "Neprekinjen signal za napake");
    add(kBtnClearErrors, "Kasuj błędy", "Clear errors", "Cancella errori", "Borrar errores",
        "Apagar erros", "Obriši greške", "Стереть ошибки", "Hataları sil", "Fehler löschen",
        "Izbriši napake");
    add(kBtnCloseErrors, "Zamknij", "Close", "Chiudi", "Cerrar", "Fechar", "Zatvori", "Закрыть",
        "Kapat", "Schließen", "Zapri");
}
