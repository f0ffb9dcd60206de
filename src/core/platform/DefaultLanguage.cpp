#include "platform/DefaultLanguage.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace vexor {

namespace {

struct LocaleId {
    const char* name; // "ll" for the language's primary identifier, or "ll_RR"
    int langId;
};

// Identifiers as Windows numbers them: primary language in the low ten bits,
// sub-language above.
constexpr LocaleId kLocales[] = {
    // Languages the program has texts for.
    {"pl", 1045},
    {"en", 1033},
    {"ru", 1049},
    {"de", 1031},
    {"de_CH", 2055},
    {"de_AT", 3079},
    {"de_LU", 4103},
    {"de_LI", 5127},
    {"tr", 1055},
    {"cs", 1029},
    {"hr", 1050},
    {"hr_BA", 4122},
    {"sl", 1060},
    {"lt", 1063},
    {"it", 1040},
    {"it_CH", 2064},
    {"es", 3082},
    {"es_MX", 2058},
    {"es_GT", 4106},
    {"es_CR", 5130},
    {"es_PA", 6154},
    {"es_DO", 7178},
    {"es_VE", 8202},
    {"es_CO", 9226},
    {"es_PE", 10250},
    {"es_AR", 11274},
    {"es_EC", 12298},
    {"es_CL", 13322},
    {"es_UY", 14346},
    {"es_PY", 15370},
    {"es_BO", 16394},
    {"es_SV", 17418},
    {"es_HN", 18442},
    {"es_NI", 19466},
    {"es_PR", 20490},
    {"es_US", 21514},
    {"pt", 1046},
    {"pt_PT", 2070},
    {"th", 1054},
    {"hu", 1038},
    // Other common languages, all shown in English.
    {"fr", 1036},
    {"fr_BE", 2060},
    {"fr_CA", 3084},
    {"fr_CH", 4108},
    {"fr_LU", 5132},
    {"fr_MC", 6156},
    {"nl", 1043},
    {"nl_BE", 2067},
    {"sv", 1053},
    {"sv_FI", 2077},
    {"fi", 1035},
    {"da", 1030},
    {"nb", 1044},
    {"no", 1044},
    {"nn", 2068},
    {"el", 1032},
    {"sk", 1051},
    {"uk", 1058},
    {"be", 1059},
    {"bg", 1026},
    {"ro", 1048},
    {"sr", 2074},
    {"bs", 5146},
    {"mk", 1071},
    {"sq", 1052},
    {"lv", 1062},
    {"et", 1061},
    {"ja", 1041},
    {"ko", 1042},
    {"zh", 2052},
    {"zh_TW", 1028},
    {"zh_HK", 3076},
    {"ar", 1025},
    {"he", 1037},
    {"hi", 1081},
    {"vi", 1066},
    {"id", 1057},
};

int lookup(const std::string& name) {
    for (const LocaleId& entry : kLocales) {
        if (name == entry.name)
            return entry.langId;
    }
    return 0;
}

} // namespace

int langIdFromLocale(std::string_view locale) {
    // "ll_RR.encoding@modifier": keep "ll_RR".
    const size_t end = locale.find_first_of(".@");
    if (end != std::string_view::npos)
        locale = locale.substr(0, end);
    const size_t separator = locale.find_first_of("_-");
    std::string language(locale.substr(0, separator));
    for (char& c : language)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (language.empty() || language == "c" || language == "posix")
        return kLangIdEnglishUs;

    if (separator != std::string_view::npos) {
        std::string region(locale.substr(separator + 1));
        for (char& c : region)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (const int id = lookup(language + "_" + region))
            return id;
    }
    if (const int id = lookup(language))
        return id;
    return kLangIdEnglishUs;
}

int langIdFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && *value)
            return langIdFromLocale(value);
    }
    return kLangIdEnglishUs;
}

int defaultLangId() {
    return langIdFromEnvironment(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                 std::getenv("LANG"));
}

} // namespace vexor
