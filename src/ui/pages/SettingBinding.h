#pragma once

#include "device/DeviceSettings.h"
#include "settings/SettingsSchema.h"

#include <QString>

#include <cstdint>
#include <string_view>

class CValueCmbBox;

namespace vexor {

// A combo box that edits one row of the settings schema. The row says what
// the box offers, which member it shows and stores and which block carries
// a change, so a page names the key and nothing else about the setting.
class CSettingBinding {
public:
    CSettingBinding() = default;
    // key: a schema key with a member to show. list: the list the box
    // offers when it is not the row's (a page may offer part of it).
    // Throws std::logic_error for a key the schema does not hold, which is
    // a fault of the page, found as soon as the page is built.
    CSettingBinding(CValueCmbBox* box, std::string_view key, Choice list = Choice::None);

    CValueCmbBox* box() const { return m_box; }
    const SettingInfo& row() const { return *m_row; }
    SettingBlock block() const { return m_row->block; }
    Choice list() const { return m_list; }

    // Refills the box with the list for a controller of this version.
    void fill(std::int32_t version) const;
    // Selects the member's value (or shows it off the list).
    void show(const DeviceSettings& settings) const;
    // The member's value in settings.
    double value(const DeviceSettings& settings) const;
    // Stores the box's choice in settings. False, settings untouched, when
    // nothing is chosen or the member already holds the choice: there is
    // nothing to write then.
    bool take(DeviceSettings& settings) const;

    // The unit shown beside the box: the row's, with the degree sign the
    // pages put before a temperature's "C".
    QString unitText() const;

private:
    CValueCmbBox* m_box = nullptr;
    const SettingInfo* m_row = nullptr;
    Choice m_list = Choice::None;
};

} // namespace vexor
