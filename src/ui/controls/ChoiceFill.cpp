#include "controls/ChoiceFill.h"

#include "controls/ValueCmbBox.h"
#include "lang/Translate.h"

namespace vexor {

void fillChoices(CValueCmbBox& box, Choice choice, std::int32_t version) {
    std::vector<CValueCmbBox::SEntry> entries;
    for (const ChoiceEntry& e : choiceEntries(choice, version)) {
        if (e.precision == kChoiceTextPrecision)
            entries.push_back(
                CValueCmbBox::textEntry(QString::fromStdString(translate(e.text)), e.value));
        else
            entries.push_back(CValueCmbBox::numberEntry(e.value, e.precision));
    }
    box.setEntries(entries);
}

} // namespace vexor
