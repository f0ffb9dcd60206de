#include "backup/ConnectionBackups.h"

#include "backup/BackupStore.h"

bool CConnectionBackups::beforeEdit(const DeviceSettings& image, bool demo, std::time_t now,
                                    std::string& error, const CRawImage* raw) {
    if (demo || m_taken)
        return true;
    return take(image, "edit", now, error, raw);
}

bool CConnectionBackups::beforeWholeImage(const DeviceSettings& image, const std::string& reason,
                                          bool demo, std::time_t now, std::string& error,
                                          const CRawImage* raw) {
    if (demo)
        return true;
    return take(image, reason, now, error, raw);
}

bool CConnectionBackups::take(const DeviceSettings& image, const std::string& reason,
                              std::time_t now, std::string& error, const CRawImage* raw) {
    const CBackupStore store(m_dataFolder);
    std::string id;
    if (!store.take(image, reason, now, id, error, raw))
        return false;
    m_lastId = id;
    m_taken = true;
    return true;
}
