#include "app/WindowRules.h"

#include <algorithm>
#include <cstdio>

namespace vexor {

std::string windowTitle(std::int32_t version, bool cng, bool demo) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "VEXOR v %d.%01d", (version >> 8) & 0xFF, version & 0xFF);
    std::string title = buffer;
    title += cng ? " CNG" : " LPG";
    title += demo ? "     DEMO" : std::string(15, ' ');
    return title;
}

QRect mainWindowRect(const QSize& workArea) {
    if (!workArea.isValid() || workArea.isEmpty())
        return QRect(0, 0, kMaxWindowWidth, kMaxWindowHeight);
    return QRect(0, 0, std::min(kMaxWindowWidth, workArea.width()),
                 std::min(kMaxWindowHeight, workArea.height()));
}

} // namespace vexor
