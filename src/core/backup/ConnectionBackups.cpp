#include "backup/ConnectionBackups.h"

#include "backup/BackupStore.h"

bool CConnectionBackups::beforeEdit(const DeviceSettings& image, bool demo, std::time_t now,
                                    std::string& error) {
    if (demo || m_taken)
        return true;
    return take(image, "edit", now, error);
}

bool CConnectionBackups::beforeWholeImage(const DeviceSettings& image, const std::string& reason,
                                          bool demo, std::time_t now, std::string& error) {
    if (demo)
        return true;
    return take(image, reason, now, error);
}

bool CConnectionBackups::take(const DeviceSettings& image, const std::string& reason,
                              std::time_t now, std::string& error) {
    const CBackupStore store(m_dataFolder);
    std::string id;
    if (!store.take(image, reason, now, id, error))
        return false;
    m_lastId = id;
    m_taken = true;
    return true;
}
