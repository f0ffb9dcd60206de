#include "lang/LangError.h"

void CLangError::fillCodeTexts(std::vector<std::string>& table) const {
    IError::fillCodeTexts(table);
    table.push_back("Language not supported");
    table.push_back("Can't find language text");
}
