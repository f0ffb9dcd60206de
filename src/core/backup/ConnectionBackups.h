#pragma once

#include "device/DeviceSettings.h"
#include "device/RawImage.h"

#include <ctime>
#include <string>
#include <utility>

// When the window program backs up a controller: once before the first change
// of each connection (a page control, a map edit, a correction, a
// calibration), and again before every whole-image action (load, defaults,
// firmware update, restore). Demonstration mode takes none.
class CConnectionBackups {
public:
    explicit CConnectionBackups(std::string dataFolder) : m_dataFolder(std::move(dataFolder)) {}

    // A new connection (or a reconnection): its first change backs up again.
    void connected() { m_taken = false; }

    // Before a single change. True when the change may go ahead: the backup
    // was written, was not needed, or the caller chose to go on without one
    // (goOnWithout after a failure). False with the reason in error.
    // raw: the controller's blocks, kept beside the backup when complete.
    bool beforeEdit(const DeviceSettings& image, bool demo, std::time_t now, std::string& error,
                    const CRawImage* raw = nullptr);
    // Before a whole-image action, reason "load", "defaults", "flash" or
    // "restore".
    bool beforeWholeImage(const DeviceSettings& image, const std::string& reason, bool demo,
                          std::time_t now, std::string& error, const CRawImage* raw = nullptr);
    // After a failed backup the user chose to go on: this connection's edits
    // ask no more.
    void goOnWithout() { m_taken = true; }

    bool takenThisConnection() const { return m_taken; }
    // ID of the last backup written ("" before one).
    const std::string& lastId() const { return m_lastId; }

private:
    bool take(const DeviceSettings& image, const std::string& reason, std::time_t now,
              std::string& error, const CRawImage* raw);

    std::string m_dataFolder;
    bool m_taken = false;
    std::string m_lastId;
};
