#pragma once

#include "lang/PhraseTableData.h"
#include "lang/TextEntry.h"

#include <span>
#include <string>
#include <unordered_map>

// Texts built in code (messages, captions, tab titles, combo items), keyed by
// their exact Polish text.
class CPhraseTable {
public:
    explicit CPhraseTable(std::span<const vexor::PhraseRow> rows);

    // The table of the program's own phrases, built on first use.
    static const CPhraseTable& instance();

    // The entry for a Polish text, or nullptr.
    const vexor::LangPairs* find(const std::string& polish) const;
    size_t size() const { return m_entries.size(); }

private:
    std::unordered_map<std::string, vexor::LangPairs> m_entries;
};
