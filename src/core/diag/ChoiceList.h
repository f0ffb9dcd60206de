#pragma once

#include <string>
#include <utility>
#include <vector>

// What a value combo box of a window holds: entries of a text and a value,
// and the selected entry. Windows copy it into their combo box; the core
// edits it the way the combo box would be edited.
class CChoiceList {
public:
    struct Item {
        std::string text;
        double value = 0;
        bool operator==(const Item&) const = default;
    };

    const std::vector<Item>& items() const { return m_items; }
    // -1 while nothing is selected.
    int selected() const { return m_selected; }
    // The selected entry's value, or `fallback` when nothing is selected.
    double selectedValue(double fallback = 0) const;

    // Replaces the entries and keeps the selected position; `initial` is
    // selected when nothing was (or the old position is gone).
    void refill(std::vector<Item> items, int initial);
    // Whole numbers first..last, each its own text.
    void refillRange(int first, int last, int initial);
    // Selects the first entry with this value; leaves the selection as it is
    // when there is none. Returns whether one was found.
    bool selectValue(double value);
    void select(int index);

private:
    std::vector<Item> m_items;
    int m_selected = -1;
};
