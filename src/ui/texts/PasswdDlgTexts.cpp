#include "texts/PasswdDlgTexts.h"

#include "app/ControlIds.h"

void CPasswdDlgTexts::fill() {
    add(kCaptionId, "Opcje zaawansowane", "Advanced options", "Opzioni avanzate",
        "Opciones avanzadas", "Opções avançadas", "Napredne opcije", "Расширенные настройки",
        "Gelişmiş seçenekler", "Erweiterte Optionen", "Napredne možnosti");
    add(vexor::ids::kPasswdLabel, "Podaj hasło", "Enter the password", "Inserire la password",
        "Introduzca la contraseña", "Digite a senha", "Unesite lozinku", "Введите пароль",
        "Şifreyi girin", "Passwort eingeben", "Vnesite geslo");
}
