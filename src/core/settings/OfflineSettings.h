#pragma once

#include "device/DeviceSettings.h"
#include "settings/SettingsCheck.h"

#include <string>

// A settings file opened for editing without a controller: the pages show
// and change its image, "Save" writes it back atomically. The time stamp is
// left as the file had it (it tells when the settings were read from a car).
class COfflineSettings {
public:
    // Reads the file. On a problem nothing changes (a file already open stays
    // open with its edits) and the problem is returned.
    vexor::SSettingsFileProblem open(const std::string& path);
    void close();

    bool isOpen() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    const DeviceSettings& image() const { return m_image; }
    // The image to change in place; marks the file modified.
    DeviceSettings& edit();
    // The image for a tool that changes it in place and calls edit() after
    // each change it made.
    DeviceSettings& image() { return m_image; }
    // One key checked against the schema, as `settings set` does; false (and
    // nothing changed) with what it accepts otherwise.
    bool set(const std::string& key, const std::string& value, std::string& accepts);
    bool modified() const { return m_modified; }

    // Writes the image back to its file (or to another one, which then becomes
    // the file). False, everything kept, when it cannot be written.
    bool save();
    bool saveAs(const std::string& path);

    // The file's name, with "*" when it holds unsaved changes.
    std::string title() const;

private:
    std::string m_path;
    DeviceSettings m_image;
    bool m_modified = false;
};
