#pragma once

#include "backup/RawBackupFile.h"
#include "device/DeviceSettings.h"

#include <string>

// Whether a backup can be restored from its raw blocks, and when not, what
// the fitter is told before it is restored through its settings file.
struct SRawRestorePlan {
    enum class State {
        Usable,          // complete, intact, taken on this controller
        Missing,         // the backup has no raw blocks (an older backup)
        Damaged,         // the raw file is refused (detail says why)
        OtherController, // another serial number or firmware version
    };

    // Reads the raw file beside a backup's settings file.
    static SRawRestorePlan forBackup(const std::string& settingsPath);
    // Usable only when the raw blocks were taken on this very controller
    // with this firmware: another one may lay its blocks out otherwise.
    void checkController(const DeviceSettings& controller);

    bool usable() const { return state == State::Usable; }
    // The translated message for a restore through the settings file; empty
    // when the raw blocks are used.
    std::string fallbackMessage() const;

    State state = State::Missing;
    vexor::SRawBackup backup;
    std::string detail;
};
