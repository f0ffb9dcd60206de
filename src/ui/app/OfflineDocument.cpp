#include "app/OfflineDocument.h"

#include "lang/Language.h"

void COfflineDocument::changeLanguage(int index) {
    vexor::setCurrentLanguage(index);
}
