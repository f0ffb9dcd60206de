#include "pages/SettingBinding.h"

#include "controls/ChoiceFill.h"
#include "controls/ValueCmbBox.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace vexor {

CSettingBinding::CSettingBinding(CValueCmbBox* box, std::string_view key, Choice list)
    : m_box(box), m_row(findSetting(std::string(key))) {
    if (m_row == nullptr || !m_row->number)
        throw std::logic_error("no number setting " + std::string(key));
    m_list = list != Choice::None ? list : m_row->choice;
}

void CSettingBinding::fill(std::int32_t version) const {
    fillChoices(*m_box, m_list, version);
}

void CSettingBinding::show(const DeviceSettings& settings) const {
    m_box->showValue(value(settings));
}

double CSettingBinding::value(const DeviceSettings& settings) const {
    return m_row->number(settings);
}

bool CSettingBinding::take(DeviceSettings& settings) const {
    const double chosen = m_box->selectedValue();
    if (chosen < 0 || chosen == value(settings))
        return false;
    m_row->setNumber(settings, chosen);
    return true;
}

QString CSettingBinding::unitText() const {
    if (std::strcmp(m_row->unit, "C") == 0)
        return QStringLiteral("°C");
    return QString::fromUtf8(m_row->unit);
}

} // namespace vexor
