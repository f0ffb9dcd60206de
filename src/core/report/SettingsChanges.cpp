#include "report/SettingsChanges.h"

#include "report/JobSheetPhrases.h"
#include "settings/SettingNames.h"
#include "settings/SettingsSchema.h"

#include <string>

namespace vexor {

namespace {

// A flags byte changes option by option: each option that changed is a row
// of its own, named by its check box, switched on or off; a bit no option
// names shows as the byte's key and the bit's number.
void flagChanges(const SettingInfo& info, const DeviceSettings& before, const DeviceSettings& after,
                 std::vector<SJobSheetChange>& changes) {
    const auto was = static_cast<unsigned>(info.number(before));
    const auto is = static_cast<unsigned>(info.number(after));
    unsigned left = was ^ is;
    for (const SettingFlag& flag : info.flags) {
        if (((was ^ is) & flag.mask) == 0 || *flag.label == '\0')
            continue;
        left &= ~static_cast<unsigned>(flag.mask);
        const bool oneBit = (flag.mask & (flag.mask - 1)) == 0;
        SJobSheetChange change;
        change.label = flag.label;
        change.group = info.group;
        if (oneBit) {
            change.before = (was & flag.mask) ? jobsheet::kBitOn : jobsheet::kBitOff;
            change.after = (is & flag.mask) ? jobsheet::kBitOn : jobsheet::kBitOff;
            change.listEntries = true;
        } else {
            unsigned shift = 0;
            while (((flag.mask >> shift) & 1u) == 0)
                ++shift;
            change.before = std::to_string((was & flag.mask) >> shift);
            change.after = std::to_string((is & flag.mask) >> shift);
        }
        changes.push_back(std::move(change));
    }
    for (unsigned bit = 0; bit < 8; ++bit) {
        if ((left & (1u << bit)) == 0)
            continue;
        SJobSheetChange change;
        change.label = info.key + " bit " + std::to_string(bit);
        change.before = (was & (1u << bit)) ? jobsheet::kBitOn : jobsheet::kBitOff;
        change.after = (is & (1u << bit)) ? jobsheet::kBitOn : jobsheet::kBitOff;
        change.listEntries = true;
        changes.push_back(std::move(change));
    }
}

} // namespace

std::vector<SJobSheetChange> settingsChanges(const DeviceSettings& before,
                                             const DeviceSettings& after) {
    std::vector<SJobSheetChange> changes;
    for (const SettingInfo& info : settingsSchema()) {
        if (info.readOnly || info.key == "m_timeStamp")
            continue;
        if (info.kind == SettingKind::Flags && info.number) {
            if (info.number(before) != info.number(after))
                flagChanges(info, before, after, changes);
            continue;
        }
        std::string was = settingDisplayText(info, before);
        std::string is = settingDisplayText(info, after);
        if (was == is)
            continue;
        SJobSheetChange change;
        const char* own = settingOwnName(info.key);
        change.label = own ? own : *info.label ? info.label : info.key;
        change.group = own || *info.label ? info.group : "";
        change.unit = info.unit;
        change.before = std::move(was);
        change.after = std::move(is);
        change.listEntries = info.kind == SettingKind::Number && info.choice != Choice::None;
        changes.push_back(std::move(change));
    }
    return changes;
}

} // namespace vexor
