#pragma once

#include "common/IError.h"
#include "lang/LangError.h"
#include "lang/TextEntry.h"

#include <map>
#include <string>
#include <vector>

// Texts of one window (or menu) by control id, in every language. A subclass
// registers its entries in fill(), which its own constructor calls; the texts
// follow the current language at every text() call.
class CMultiLangText : public IErrorHelper<CLangError> {
public:
    CMultiLangText() = default;
    ~CMultiLangText() override = default;

    CMultiLangText(const CMultiLangText&) = delete;
    CMultiLangText& operator=(const CMultiLangText&) = delete;

    // Throws CLangError 5 unless 0 <= index <= 13.
    void checkLang(int index) const;

    // The text of the entry in the current language (UTF-8). The file
    // languages look the Polish text up in their language file; an empty slot
    // shows the Polish text. Throws CLangError 5 for a bad current language and
    // 6 for an id (or language) without text.
    virtual std::string text(int id) const;

    // Registers the entries; overridden by every window's text class.
    virtual void fill() {}

    // Registers one entry; a second add under the same id replaces it.
    virtual void add(int id, const vexor::TextSlots& slots) = 0;

    // The registered ids in ascending order, for applying the texts to a window.
    std::vector<int> ids() const;
    bool contains(int id) const { return m_entries.count(id) != 0; }
    // The stored texts of one entry, or nullptr; for checks of completeness.
    const vexor::LangPairs* entry(int id) const;

protected:
    void store(int id, vexor::LangPairs pairs);

private:
    std::map<int, vexor::LangPairs> m_entries;
};
