#include "maps/MapLayout.h"

namespace vexor {

std::string mapRowLabel(int row) {
    if (row < 0 || row >= kMapRowCount)
        return {};
    if (row == 0)
        return "< 2";
    return std::to_string(row + 2);
}

std::string mapColumnLabel(int column) {
    if (column < 0 || column >= kMapColumnCount)
        return {};
    return std::to_string(500 * (column + 1));
}

} // namespace vexor
