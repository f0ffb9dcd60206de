#pragma once

#include "device/SettingBlock.h"
#include "settings/SettingsSchema.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexor::fuzz {

// The numeric members the block encoders read, in settings-file order: the
// schema rows of every block a settings load writes, texts left out. The
// encoders target and its seeds walk the same list, eight input bytes per
// member.
inline std::vector<const SettingInfo*> encodedNumberRows() {
    std::vector<const SettingInfo*> rows;
    for (const SettingInfo& info : settingsSchema()) {
        const bool encoded =
            std::find(kLoadOrder.begin(), kLoadOrder.end(), info.block) != kLoadOrder.end();
        if (encoded && info.kind != SettingKind::Text)
            rows.push_back(&info);
    }
    return rows;
}

// Bytes an integer member occupies, from the range its type holds (no member
// is wider than 32 bits).
inline std::size_t integerMemberBytes(const SettingInfo& info) {
    const double span = info.memberMax - info.memberMin;
    return span < 256.0 ? 1 : span < 65536.0 ? 2 : 4;
}

} // namespace vexor::fuzz
