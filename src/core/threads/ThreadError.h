#pragma once

#include "common/IError.h"

// Failure of a thread primitive. The codes actually thrown lie outside the code-text
// table, so their description is the table's first entry.
class CThreadError : public IError {
public:
    static constexpr int32_t kLibraryError = -1; // a lock, event or semaphore failed
    static constexpr int32_t kCreateError = -2;  // a thread could not be started

    using IError::IError;

    void fillCodeTexts(std::vector<std::string>& table) const override;
    std::string className() const override { return "CThreadError"; }
};

namespace vexor {

[[noreturn]] void throwThreadError(int32_t code, const char* message, int line, const char* file);

} // namespace vexor
