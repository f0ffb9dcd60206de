// Language files are edited by translators with any editor. The input is a
// key length byte, that many bytes of key (UTF-8 or not), and the file. Every
// lookup must end, give valid UTF-8, and give either the key or a translation
// that a line of the file holds.
#include "support/FuzzInput.h"
#include "support/MemFile.h"

#include "lang/LangFile.h"
#include "lang/LangFileFormat.h"
#include "lang/LineEscape.h"
#include "lang/Utf16.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool validUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

// The lookup done the plain way, on the whole content at once: the file's
// reader works through a buffer that it refills, and must agree with this.
std::string referenceLookup(const std::u16string& units, const std::string& polish) {
    const std::u16string key = vexor::utf8ToUtf16(vexor::escapeLineText(polish));
    std::size_t start = !units.empty() && units[0] == 0xFEFF ? 1 : 0;
    while (start <= units.size()) {
        std::size_t end = units.find(u'\n', start);
        if (end == std::u16string::npos)
            end = units.size();
        std::u16string_view line(units.data() + start, end - start);
        start = end + 1;
        if (line.size() > CLangFile::kMaxLineChars + 1)
            continue;
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);
        const std::size_t first = line.find(u'\t');
        if (first == std::u16string_view::npos || line.substr(0, first) != key)
            continue;
        const std::size_t second = line.find(u'\t', first + 1);
        if (second == std::u16string_view::npos || second + 1 == line.size())
            continue;
        return vexor::unescapeLineText(vexor::utf16ToUtf8(line.substr(second + 1)));
    }
    return polish;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vexor::fuzz::CMemFile file;
    vexor::fuzz::CFuzzInput in(data, size);
    const auto keyBytes = in.take(in.byte());
    const std::string key(keyBytes.begin(), keyBytes.end());
    const auto content = in.rest();
    file.assign(content.data(), content.size());

    // The conversions on their own, both ways.
    const std::string asText(content.begin(), content.end());
    std::u16string units(content.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(content[2 * i] | (content[2 * i + 1] << 8));
    if (!validUtf8(vexor::utf16ToUtf8(units)))
        std::abort();
    if (!validUtf8(vexor::utf16ToUtf8(vexor::utf8ToUtf16(asText))))
        std::abort();

    CLangFile lang;
    if (!lang.open(file.path()))
        std::abort();
    const std::string translated = lang.lookup(key);
    if (translated != key && !validUtf8(translated))
        std::abort();
    if (translated != referenceLookup(units, key))
        std::abort();
    // The strict reader of the language check takes the same bytes: it must
    // end, and every line it keeps must hold valid text and a translation.
    for (const vexor::LangFileLine& line : vexor::parseLanguageFile(asText).lines) {
        if (line.translation.empty() || !validUtf8(line.polish) || !validUtf8(line.translation))
            std::abort();
    }
    // A phrase every language file has, and the empty phrase.
    lang.lookup("Tak");
    lang.lookup("");
    return 0;
}
