#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

// The generic powertrain trouble codes the program can describe, and the
// text shown for any code the car reports.
class COBDCodes {
public:
    // One generic code: the four digits after the "P" read as hexadecimal
    // (P0171 is 0x0171), and its English description.
    struct Entry {
        std::uint16_t code;
        const char* description;
    };

    COBDCodes();

    // "P0171   System too Lean (Bank 1)" for a known code, "0171  UNKNOWN "
    // (four hex digits, two blanks, a trailing blank) for any other. A code
    // whose second digit is 0 has no entry of its own; when the code with
    // that digit 1 has one, its text follows the default as a hint at the
    // related circuit.
    std::string text(std::uint16_t code) const;

    bool contains(std::uint16_t code) const { return m_texts.count(code) != 0; }
    std::size_t size() const { return m_texts.size(); }

    static std::span<const Entry> entries();

private:
    std::map<std::uint16_t, std::string> m_texts;
};
