#pragma once

#include "device/DeviceSettings.h"
#include "settings/SettingsSchema.h"

#include <cstdint>
#include <string_view>

class QCheckBox;

namespace vexor {

// A check box that sets bits of a flags row of the settings schema: the row
// says which member holds the bits and which block carries a change.
class CFlagBinding {
public:
    CFlagBinding() = default;
    // Throws std::logic_error unless key is a flags row with a bit of this
    // mask: a fault of the page, found as soon as the page is built.
    CFlagBinding(QCheckBox* box, std::string_view key, std::uint8_t mask);

    QCheckBox* box() const { return m_box; }
    const SettingInfo& row() const { return *m_row; }
    SettingBlock block() const { return m_row->block; }

    // Whether any bit of the mask is set in settings.
    bool isSet(const DeviceSettings& settings) const;
    // Checks the box when any bit of the mask is set.
    void show(const DeviceSettings& settings) const;
    // Sets or clears the bits as the box says. False, settings untouched,
    // when the bits already say so: there is nothing to write then.
    bool take(DeviceSettings& settings) const;
    // Sets or clears the bits as the box says, whatever they were.
    void store(DeviceSettings& settings) const;

private:
    QCheckBox* m_box = nullptr;
    const SettingInfo* m_row = nullptr;
    std::uint8_t m_mask = 0;
};

} // namespace vexor
