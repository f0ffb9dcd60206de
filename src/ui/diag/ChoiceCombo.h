#pragma once

class CChoiceList;
class CValueCmbBox;

namespace vexor {

// Puts a choice list of the core into a value combo box: its entries (only
// when they differ from what the box holds) and its selection, without
// emitting the box's signals.
void showChoices(CValueCmbBox* box, const CChoiceList& choices);

} // namespace vexor
