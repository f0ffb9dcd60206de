#pragma once

#include <string>
#include <string_view>

namespace vexor {

// UTF-16 to UTF-8. Surrogate pairs become one code point; a lone surrogate
// becomes U+FFFD rather than invalid UTF-8.
std::string utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16. Malformed sequences become U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);

} // namespace vexor
