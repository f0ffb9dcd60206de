#pragma once

#include "common/IError.h"

// Raised by the text objects: code 5 for a language index outside 0..13,
// code 6 for an id (or a language) that has no text.
class CLangError : public IError {
public:
    enum Code : int32_t { LanguageNotSupported = 5, TextNotFound = 6 };

    using IError::IError;

    void fillCodeTexts(std::vector<std::string>& table) const override;
    std::string className() const override { return "CLangError"; }
};
