#include "threads/ThreadError.h"

void CThreadError::fillCodeTexts(std::vector<std::string>& table) const {
    IError::fillCodeTexts(table);
    table.push_back("Błąd biblioteki ThreadLib.");
    table.push_back("Nie można utworzyć wątku.");
}

namespace vexor {

void throwThreadError(int32_t code, const char* message, int line, const char* file) {
    IErrorHelper<CThreadError>().throwError(code, message, line, file);
}

} // namespace vexor
