#include "diag/ChoiceCombo.h"

#include "controls/ValueCmbBox.h"
#include "diag/ChoiceList.h"

#include <QSignalBlocker>

#include <vector>

namespace vexor {

void showChoices(CValueCmbBox* box, const CChoiceList& choices) {
    const QSignalBlocker block(box);
    const auto& items = choices.items();
    bool same = box->entryCount() == static_cast<int>(items.size());
    for (int i = 0; same && i < box->entryCount(); ++i) {
        same = box->itemText(i) == QString::fromStdString(items[i].text) &&
               box->valueAt(i) == items[i].value;
    }
    if (!same) {
        std::vector<CValueCmbBox::SEntry> entries;
        entries.reserve(items.size());
        for (const auto& item : items)
            entries.push_back(
                CValueCmbBox::textEntry(QString::fromStdString(item.text), item.value));
        box->setEntries(entries);
    }
    if (box->currentIndex() != choices.selected())
        box->setCurrentIndex(choices.selected());
}

} // namespace vexor
