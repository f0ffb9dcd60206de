#include "lang/PhraseTable.h"

CPhraseTable::CPhraseTable(std::span<const vexor::PhraseRow> rows) {
    m_entries.reserve(rows.size());
    for (const vexor::PhraseRow& row : rows) {
        vexor::TextSlots slots;
        for (size_t i = 0; i < row.size(); ++i)
            slots[i] = row[i] ? row[i] : "";
        // The first row of a key wins, so an appended duplicate cannot
        // silently change a text that is already shown.
        m_entries.emplace(std::string(slots[0]), vexor::pairsFromSlots(slots));
    }
}

const CPhraseTable& CPhraseTable::instance() {
    static const CPhraseTable table(vexor::phraseRows());
    return table;
}

const vexor::LangPairs* CPhraseTable::find(const std::string& polish) const {
    auto found = m_entries.find(polish);
    return found == m_entries.end() ? nullptr : &found->second;
}
