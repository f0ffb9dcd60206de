#pragma once

#include "common/IError.h"

#include <utility>

// Error of a failing serial-port system call: code 5 when the port cannot be
// opened, 6 when an operation on the open port fails.
class CRSError : public IError {
public:
    static constexpr int32_t kCantOpen = 5;
    static constexpr int32_t kCantReadWrite = 6;

    CRSError(int32_t code, std::string message, int line, std::string file, IError* inner = nullptr)
        : IError(code, std::move(message), line, std::move(file), inner) {}

    void fillCodeTexts(std::vector<std::string>& table) const override;
    std::string className() const override { return "CRSError"; }
};
