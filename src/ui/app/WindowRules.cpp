#include "app/WindowRules.h"

#include <algorithm>

namespace vexor {

QRect mainWindowRect(const QSize& workArea) {
    if (!workArea.isValid() || workArea.isEmpty())
        return QRect(0, 0, kMaxWindowWidth, kMaxWindowHeight);
    return QRect(0, 0, std::min(kMaxWindowWidth, workArea.width()),
                 std::min(kMaxWindowHeight, workArea.height()));
}

} // namespace vexor
