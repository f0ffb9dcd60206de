#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Base of every error thrown by a failing system call (serial port, threads,
// language files). Errors are thrown as heap pointers; whoever catches one takes
// ownership at once (std::unique_ptr<IError>) and destroys it through the
// virtual destructor.
class IError {
public:
    IError(int32_t code, std::string message, int line, std::string file,
           IError* inner = nullptr);
    virtual ~IError();

    IError(const IError&) = delete;
    IError& operator=(const IError&) = delete;

    // Fills the table of code texts; subclasses call the base and append theirs.
    virtual void fillCodeTexts(std::vector<std::string>& table) const;
    virtual std::string className() const { return "IError"; }
    // The code's text, or entry 0 when the code lies outside the table.
    virtual std::string description() const;

    int32_t code() const { return m_code; }
    int line() const { return m_line; }
    const std::string& message() const { return m_message; }
    const std::string& file() const { return m_file; }
    const IError* inner() const { return m_inner.get(); }

private:
    std::unique_ptr<IError> m_inner;
    int32_t m_code;
    int m_line;
    std::string m_message;
    std::string m_file;
};

// Mix-in that builds a new T and throws the pointer.
template <class T> class IErrorHelper {
public:
    virtual ~IErrorHelper() = default;

    [[noreturn]] virtual void throwError(int32_t code, const std::string& message, int line,
                                         const char* file) const {
        throw static_cast<IError*>(new T(code, message, line, file));
    }
    [[noreturn]] virtual void throwError(int32_t code, const std::string& message,
                                         IError* inner, int line, const char* file) const {
        throw static_cast<IError*>(new T(code, message, line, file, inner));
    }
};
