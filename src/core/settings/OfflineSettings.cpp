#include "settings/OfflineSettings.h"

#include "settings/SettingsFileIo.h"
#include "settings/SettingsSchema.h"

#include <filesystem>

vexor::SSettingsFileProblem COfflineSettings::open(const std::string& path) {
    DeviceSettings read;
    vexor::SSettingsFileProblem check;
    if (!vexor::readSettingsFileChecked(path, read, check, vexor::SettingsFileUse::Edit))
        return check;
    m_path = path;
    m_image = read;
    m_modified = false;
    return check;
}

void COfflineSettings::close() {
    m_path.clear();
    m_image = DeviceSettings{};
    m_modified = false;
}

DeviceSettings& COfflineSettings::edit() {
    m_modified = true;
    return m_image;
}

bool COfflineSettings::set(const std::string& key, const std::string& value, std::string& accepts) {
    const vexor::SettingInfo* info = vexor::findSetting(key);
    if (info == nullptr || !isOpen()) {
        accepts.clear();
        return false;
    }
    DeviceSettings changed = m_image;
    if (!vexor::setSettingFromText(*info, changed, value, accepts))
        return false;
    if (!(changed == m_image)) {
        m_image = changed;
        m_modified = true;
    }
    return true;
}

bool COfflineSettings::save() {
    return isOpen() && saveAs(m_path);
}

bool COfflineSettings::saveAs(const std::string& path) {
    if (!isOpen() || path.empty() || !vexor::writeSettingsFile(path, m_image))
        return false;
    m_path = path;
    m_modified = false;
    return true;
}

std::string COfflineSettings::title() const {
    if (!isOpen())
        return {};
    return std::filesystem::path(m_path).filename().string() + (m_modified ? " *" : "");
}
