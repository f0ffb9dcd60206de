#include "lang/MultiLangText.h"

#include "lang/LanguageFiles.h"

void CMultiLangText::checkLang(int index) const {
    if (index < 0 || index >= vexor::kLanguageCount)
        throwError(CLangError::LanguageNotSupported, "CMultiLangText::checkLang()", __LINE__,
                   __FILE__);
}

std::string CMultiLangText::text(int id) const {
    const int language = vexor::currentLanguage();
    checkLang(language);
    auto found = m_entries.find(id);
    if (found == m_entries.end())
        throwError(CLangError::TextNotFound, "CMultiLangText::text()", __LINE__, __FILE__);
    const vexor::LangPairs& pairs = found->second;
    const std::string* polish = vexor::pairText(pairs, vexor::kLangPolish);
    if (vexor::isFileLanguage(language))
        return vexor::lookupLanguageFile(language, polish ? *polish : std::string());
    const std::string* own = vexor::pairText(pairs, language);
    if (!own)
        throwError(CLangError::TextNotFound, "CMultiLangText::text()", __LINE__, __FILE__);
    if (own->empty() && polish)
        return *polish;
    return *own;
}

std::vector<int> CMultiLangText::ids() const {
    std::vector<int> result;
    result.reserve(m_entries.size());
    for (const auto& entry : m_entries)
        result.push_back(entry.first);
    return result;
}

const vexor::LangPairs* CMultiLangText::entry(int id) const {
    auto found = m_entries.find(id);
    return found == m_entries.end() ? nullptr : &found->second;
}

void CMultiLangText::store(int id, vexor::LangPairs pairs) {
    m_entries[id] = std::move(pairs);
}
