#include "texts/LangDlgTexts.h"

void CLangDlgTexts::fill() {
    add(kCaptionId, "Języki", "Languages", "Lingue", "Idiomas", "Idiomas", "Jezici", "Языки",
        "Diller", "Sprachen", "Jeziki");
}
