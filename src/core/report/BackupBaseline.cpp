#include "report/BackupBaseline.h"

#include "backup/BackupStore.h"
#include "settings/SettingsFileIo.h"

namespace vexor {

std::optional<DeviceSettings> dayBaseline(const std::string& dataFolder, const std::string& serial,
                                          std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d ", &local);
    // By folder name: an empty serial would list every controller's backups.
    const std::string folder = CBackupStore::serialFolder(serial);
    // Oldest first; a backup that cannot be read gives way to the next one.
    for (const CBackupStore::SEntry& entry : CBackupStore(dataFolder).list(folder)) {
        if (entry.time.rfind(day, 0) != 0)
            continue;
        DeviceSettings image;
        if (readSettingsFile(entry.path, image))
            return image;
    }
    return std::nullopt;
}

} // namespace vexor
