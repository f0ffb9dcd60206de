#include "common/IError.h"

#include <utility>

IError::IError(int32_t code, std::string message, int line, std::string file, IError* inner)
    : m_inner(inner), m_code(code), m_line(line), m_message(std::move(message)),
      m_file(std::move(file)) {}

IError::~IError() = default;

void IError::fillCodeTexts(std::vector<std::string>& table) const {
    table.push_back("Błąd z poza zdefiniowanego zakresu");
    table.push_back("Operacja nie zaimplementowana");
    table.push_back("");
    table.push_back("");
    table.push_back("Błąd czasu wykonania");
}

std::string IError::description() const {
    std::vector<std::string> table;
    fillCodeTexts(table);
    if (m_code < 0 || static_cast<size_t>(m_code) >= table.size())
        return table.at(0);
    return table[static_cast<size_t>(m_code)];
}
