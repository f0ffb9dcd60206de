#pragma once

#include <string>

namespace vexor {

// value with a fixed number of decimals ("%.2f"), always with a decimal
// point whatever the process locale says: the windows show these texts next
// to texts written the same way on every machine.
std::string fixedText(double value, int decimals);

} // namespace vexor
