#include "diag/ChoiceList.h"

#include <string>

double CChoiceList::selectedValue(double fallback) const {
    if (m_selected < 0 || m_selected >= static_cast<int>(m_items.size()))
        return fallback;
    return m_items[m_selected].value;
}

void CChoiceList::refill(std::vector<Item> items, int initial) {
    const int previous = m_selected;
    m_items = std::move(items);
    m_selected = -1;
    select(previous >= 0 && previous < static_cast<int>(m_items.size()) ? previous : initial);
}

void CChoiceList::refillRange(int first, int last, int initial) {
    std::vector<Item> items;
    for (int v = first; v <= last; ++v)
        items.push_back({std::to_string(v), static_cast<double>(v)});
    refill(std::move(items), initial);
}

bool CChoiceList::selectValue(double value) {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].value == value) {
            m_selected = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

void CChoiceList::select(int index) {
    m_selected = index >= 0 && index < static_cast<int>(m_items.size()) ? index : -1;
}
