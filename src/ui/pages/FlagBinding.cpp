#include "pages/FlagBinding.h"

#include "panels/PanelPresets.h"

#include <QCheckBox>

#include <stdexcept>
#include <string>

namespace vexor {

namespace {

std::uint8_t flagsOf(const SettingInfo& row, const DeviceSettings& settings) {
    return static_cast<std::uint8_t>(row.number(settings));
}

} // namespace

CFlagBinding::CFlagBinding(QCheckBox* box, std::string_view key, std::uint8_t mask)
    : m_box(box), m_row(findSetting(std::string(key))), m_mask(mask) {
    bool known = false;
    if (m_row != nullptr && m_row->kind == SettingKind::Flags) {
        for (const SettingFlag& flag : m_row->flags)
            known = known || flag.mask == mask;
    }
    if (!known)
        throw std::logic_error("no flag " + std::to_string(mask) + " in " + std::string(key));
}

bool CFlagBinding::isSet(const DeviceSettings& settings) const {
    return (flagsOf(*m_row, settings) & m_mask) != 0;
}

void CFlagBinding::show(const DeviceSettings& settings) const {
    m_box->setChecked(isSet(settings));
}

bool CFlagBinding::take(DeviceSettings& settings) const {
    if (isSet(settings) == m_box->isChecked())
        return false;
    store(settings);
    return true;
}

void CFlagBinding::store(DeviceSettings& settings) const {
    m_row->setNumber(settings, withBit(flagsOf(*m_row, settings), m_mask, m_box->isChecked()));
}

} // namespace vexor
