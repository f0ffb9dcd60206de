#include "lang/LineEscape.h"

namespace vexor {

std::string escapeLineText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out.push_back(c);
    }
    return out;
}

std::string unescapeLineText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '\\' && (next == 'r' || next == 'n' || next == 't')) {
            out.push_back(next == 'r' ? '\r' : next == 'n' ? '\n' : '\t');
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

} // namespace vexor
