#pragma once

#include "device/DeviceSettings.h"
#include "device/RawImage.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

// The automatic backups of controllers' settings, taken before anything
// changes them: DATA/backups/SERIAL/YYYYMMDD-HHMMSS-REASON.xset, written with
// the settings-file writer (temporary file and rename). Per controller the
// newest kKeepNewest backups are kept, and the oldest one ever taken.
//
// With the raw blocks as the controller holds them, every one of them, a
// backup also keeps them beside the settings file (NAME.xraw, see
// RawBackupFile.h); the two are rotated together.
//
// Two backups of one controller in the same second never share a file: the
// second and later ones get "-2", "-3" ... after the reason
// (20240131-101500-load-2.xset), so the name still sorts and reads the same.
class CBackupStore {
public:
    static constexpr std::size_t kKeepNewest = 100;

    struct SEntry {
        std::string id;     // SERIAL/YYYYMMDD-HHMMSS-REASON[-N]
        std::string path;   // the file
        std::string serial; // folder name
        std::string time;   // "YYYY-MM-DD HH:MM:SS"
        std::string reason;
    };

    // dataFolder: the program's data folder (DATA).
    explicit CBackupStore(std::string dataFolder);

    // The controller's serial number as a folder name: every character other
    // than letters, digits, '-' and '_' as '_'; "unknown" when empty.
    static std::string serialFolder(const std::string& serial);

    // Saves the image as it is, named after `now`, as a new backup and
    // rotates that controller's folder. False with a one-line reason in
    // `error` when the backup could not be written completely; nothing is
    // left behind then. raw: the controller's blocks; kept only when complete.
    bool take(const DeviceSettings& settings, const std::string& reason, std::time_t now,
              std::string& id, std::string& error, const CRawImage* raw = nullptr) const;

    // Backups oldest first; only those of one folder when serial is given
    // (the serial is turned into its folder name first).
    std::vector<SEntry> list(const std::string& serial = {}) const;

    // The backup with this ID; false for an ID that is not one (no folder
    // names other than the backups' own are ever accepted).
    bool find(const std::string& id, SEntry& entry) const;

    std::string root() const { return m_root; }

private:
    std::vector<SEntry> listFolder(const std::string& serialFolder) const;
    void rotate(const std::string& serialFolder) const;

    std::string m_root; // DATA/backups
};
