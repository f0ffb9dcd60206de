#include "texts/OBDPageTexts.h"

#include "diag/DiagIds.h"

void COBDPageTexts::fill() {
    using namespace vexor::ids::diag;
    add(kCaptionId, " OBD ", " OBD ", " OBD ", " OBD ", " OBD ", " OBD ", " OBD ", " OBD ", " OBD ",
        " OBD ");
    add(kBtnReadCodes, "Wczytaj błędy OBD", "Read OBD errors", "Leggi errori OBD",
        "Leer errores OBD", "Ler erros OBD", "Učitaj OBD greške", "Считать ошибки OBD",
        "OBD hatalarını oku", "OBD-Fehler lesen", "Preberi napake OBD");
    add(kBtnClearCodes, "Kasuj błędy OBD", "Clear OBD errors", "Cancella errori OBD",
        "Borrar errores OBD", "Apagar erros OBD", "Obriši OBD greške", "Стереть ошибки OBD",
        "OBD hatalarını sil", "OBD-Fehler löschen", "Izbriši napake OBD");
    add(kGrpCodes, "Błędy OBD", "OBD errors", "Errori OBD", "Errores OBD", "Erros OBD",
        "OBD greške", "Ошибки OBD", "OBD hataları", "OBD-Fehler", "Napake OBD");
    add(kChkCorrection, "Czytanie korekty z OBD", "Correction read from OBD",
        "Lettura correzione da OBD", "Lectura de corrección desde OBD",
        "Leitura da correção do OBD", "Čitanje korekcije iz OBD", "Чтение коррекции из OBD",
        "OBD'den düzeltme okuma", "Korrektur aus OBD lesen", "Branje korekcije iz OBD");
    add(kLblLink, "Połączenie OBD", "OBD link", "Collegamento OBD", "Conexión OBD", "Conexão OBD",
        "OBD veza", "Связь OBD", "OBD bağlantısı", "OBD-Verbindung", "Povezava OBD");
    add(kLblStandard, "Standard OBD", "OBD standard", "Standard OBD", "Estándar OBD", "Padrão OBD",
        "OBD standard", "Стандарт OBD", "OBD standardı", "OBD-Standard", "Standard OBD");
    add(kLblProtocol, "Protokół", "Protocol", "Protocollo", "Protocolo", "Protocolo", "Protokol",
        "Протокол", "Protokol", "Protokoll", "Protokol");
    add(kLblLoad, "Podciśnienie", "Manifold pressure", "Depressione", "Depresión", "Depressão",
        "Podtlak", "Разрежение", "Vakum", "Unterdruck", "Podtlak");
    add(kLblLoadUnit, "kPa", "kPa", "kPa", "kPa", "kPa", "kPa", "кПа", "kPa", "kPa", "kPa");
    add(kLblShortTrim, "Korekta krótkoterminowa [%]", "Short-term fuel trim [%]",
        "Correzione a breve termine [%]", "Corrección a corto plazo [%]",
        "Correção de curto prazo [%]", "Kratkoročna korekcija [%]", "Краткосрочная коррекция [%]",
        "Kısa dönem düzeltme [%]", "Kurzzeitkorrektur [%]", "Kratkoročna korekcija [%]");
    add(kLblLongTrim, "Korekta długoterminowa [%]", "Long-term fuel trim [%]",
        "Correzione a lungo termine [%]", "Corrección a largo plazo [%]",
        "Correção de longo prazo [%]", "Dugoročna korekcija [%]", "Долгосрочная коррекция [%]",
        "Uzun dönem düzeltme [%]", "Langzeitkorrektur [%]", "Dolgoročna korekcija [%]");
    add(kLblLambdaBefore, "Lambda przed katalizatorem [V]", "Lambda before the catalyst [V]",
        "Lambda prima del catalizzatore [V]", "Lambda antes del catalizador [V]",
        "Lambda antes do catalisador [V]", "Lambda ispred katalizatora [V]",
        "Лямбда до катализатора [В]", "Katalizör öncesi lambda [V]", "Lambda vor Katalysator [V]",
        "Lambda pred katalizatorjem [V]");
    add(kLblLambdaAfter, "Lambda za katalizatorem [V]", "Lambda after the catalyst [V]",
        "Lambda dopo il catalizzatore [V]", "Lambda después del catalizador [V]",
        "Lambda depois do catalisador [V]", "Lambda iza katalizatora [V]",
        "Лямбда после катализатора [В]", "Katalizör sonrası lambda [V]",
        "Lambda nach Katalysator [V]", "Lambda za katalizatorjem [V]");
    add(kLblValuesBank1, "Bank 1", "Bank 1", "Bancata 1", "Banco 1", "Banco 1", "Red 1", "Банк 1",
        "Sıra 1", "Bank 1", "Vrsta 1");
    add(kLblValuesBank2, "Bank 2", "Bank 2", "Bancata 2", "Banco 2", "Banco 2", "Red 2", "Банк 2",
        "Sıra 2", "Bank 2", "Vrsta 2");
    add(kLblCylBank1, "Bank 1", "Bank 1", "Bancata 1", "Banco 1", "Banco 1", "Red 1", "Банк 1",
        "Sıra 1", "Bank 1", "Vrsta 1");
    add(kLblCylBank2, "Bank 2", "Bank 2", "Bancata 2", "Banco 2", "Banco 2", "Red 2", "Банк 2",
        "Sıra 2", "Bank 2", "Vrsta 2");
    add(kLblCylinder, "Cylinder", "Cylinder", "Cilindro", "Cilindro", "Cilindro", "Cilindar",
        "Цилиндр", "Silindir", "Zylinder", "Valj");
    add(kLblPeriod, "Okres aktualizacji", "Update period", "Periodo di aggiornamento",
        "Periodo de actualización", "Período de atualização", "Period osvježavanja",
        "Период обновления", "Güncelleme süresi", "Aktualisierungsintervall",
        "Obdobje osveževanja");
    add(kLblMaximum, "Maksymalna korekta", "Maximum correction", "Correzione massima",
        "Corrección máxima", "Correção máxima", "Najveća korekcija", "Максимальная коррекция",
        "Azami düzeltme", "Maximale Korrektur", "Največja korekcija");
    add(kLblBank1Corr, "Korekta bank 1", "Correction bank 1", "Correzione bancata 1",
        "Corrección banco 1", "Correção banco 1", "Korekcija red 1", "Коррекция банк 1",
        "Düzeltme sıra 1", "Korrektur Bank 1", "Korekcija vrsta 1");
    add(kLblBank2Corr, "Korekta bank 2", "Correction bank 2", "Correzione bancata 2",
        "Corrección banco 2", "Correção banco 2", "Korekcija red 2", "Коррекция банк 2",
        "Düzeltme sıra 2", "Korrektur Bank 2", "Korekcija vrsta 2");
}
