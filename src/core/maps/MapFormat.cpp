#include "maps/MapFormat.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cstdio>
#include <locale.h>

namespace vexor {

namespace {

// Start of the number in text: past leading blanks and a '+' (from_chars
// takes neither).
const char* numberStart(const std::string& text, const char* end) {
    const char* p = text.data();
    while (p != end && (*p == ' ' || *p == '\t'))
        ++p;
    if (p != end && *p == '+' && p + 1 != end && p[1] != '-')
        ++p;
    return p;
}

} // namespace

std::string formatMapNumber(const char* format, double value) {
    locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
    locale_t previous = c ? uselocale(c) : static_cast<locale_t>(0);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    if (c) {
        uselocale(previous);
        freelocale(c);
    }
    std::string text = buffer;
    if (!text.empty() && text.front() == '-' &&
        text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);
    return text;
}

double leadingNumber(const std::string& text) {
    const char* end = text.data() + text.size();
    const char* p = numberStart(text, end);
    double value = 0.0;
    const auto result = std::from_chars(p, end, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range)
        return 0.0;
    return result.ec == std::errc() ? value : 0.0;
}

int leadingInt(const std::string& text) {
    const char* end = text.data() + text.size();
    const char* p = numberStart(text, end);
    long long value = 0;
    const auto result = std::from_chars(p, end, value);
    if (result.ec == std::errc::result_out_of_range)
        return (p != end && *p == '-') ? INT_MIN : INT_MAX;
    if (result.ec != std::errc())
        return 0;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace vexor
