#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>

// The trouble codes the program can describe, and the text shown for any
// code the car reports. A code travels as 16 bits: bits 15-14 its letter
// (P powertrain, C chassis, B body, U network), bits 13-0 its four digits
// (P0171 is 0x0171, U0100 is 0xC100, C0035 is 0x4035).
class COBDCodes {
public:
    // One described code and its English description.
    struct Entry {
        std::uint16_t code;
        const char* description;
    };

    // Shown, translated, for a code the table does not describe.
    static constexpr const char* kUnknown = "NIEZNANY";

    COBDCodes();

    // The code as a mechanic writes it: "P0171", "U0100", "B1234".
    static std::string codeName(std::uint16_t code);

    // The code's own description; null when the table has none. A code is
    // never described by another code's entry.
    const char* description(std::uint16_t code) const;

    // "P0171   System too Lean (Bank 1)" for a described code, the code, two
    // blanks and the translated "unknown" for any other.
    std::string text(std::uint16_t code) const;

    bool contains(std::uint16_t code) const { return m_descriptions.count(code) != 0; }
    std::size_t size() const { return m_descriptions.size(); }

    // The program's first table of generic powertrain codes, kept word for
    // word (its texts are what users and saved reports know).
    static std::span<const Entry> entries();
    // The generic codes added to it, in code order: powertrain P0xxx and
    // P2xxx, network U0xxx and the common chassis codes. None repeats a code
    // of the first table.
    static std::span<const Entry> genericEntries();

private:
    std::map<std::uint16_t, const char*> m_descriptions;
};
