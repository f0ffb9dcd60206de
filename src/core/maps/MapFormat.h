#pragma once

#include <string>

namespace vexor {

// printf-style formatting of one number with a decimal point whatever the
// user's locale, and without the sign of a value that rounds to zero ("-0",
// "-0.00"). format holds exactly one floating-point conversion.
std::string formatMapNumber(const char* format, double value);

// The number a text starts with (after blanks; an optional sign, digits, an
// optional decimal part), as strtod would read it in the C locale; 0 when
// the text does not start with a number.
double leadingNumber(const std::string& text);

// The whole number a text starts with, as atoi would read it; 0 when none.
// Values beyond the int range are kept at its ends.
int leadingInt(const std::string& text);

} // namespace vexor
