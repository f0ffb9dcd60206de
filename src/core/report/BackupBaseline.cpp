#include "report/BackupBaseline.h"

#include "files/SettingsFileIo.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace vexor {

std::string backupSerialFolder(const std::string& serial) {
    if (serial.empty())
        return "unknown";
    std::string folder = serial;
    for (char& c : folder) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (!(std::isalnum(u) && u < 0x80) && c != '-' && c != '_')
            c = '_';
    }
    return folder;
}

std::optional<DeviceSettings> dayBaseline(const std::string& dataFolder, const std::string& serial,
                                          std::time_t when) {
    namespace fs = std::filesystem;
    std::tm local{};
    localtime_r(&when, &local);
    char day[16];
    std::strftime(day, sizeof day, "%Y%m%d-", &local);

    const fs::path folder = fs::path(dataFolder) / "backups" / backupSerialFolder(serial);
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(day, 0) == 0 && it->path().extension() == ".xset")
            names.push_back(name);
    }
    // YYYYMMDD-HHMMSS sorts by time; a backup that cannot be read gives way
    // to the next one.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        DeviceSettings image;
        if (readSettingsFile((folder / name).string(), image))
            return image;
    }
    return std::nullopt;
}

} // namespace vexor
