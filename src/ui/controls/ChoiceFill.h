#pragma once

#include "settings/SettingChoices.h"

#include <cstdint>

class CValueCmbBox;

namespace vexor {

// Refills a value combo box with a settings list of the core, texts in the
// current language, keeping the index of the previous selection.
void fillChoices(CValueCmbBox& box, Choice choice, std::int32_t version);

} // namespace vexor
