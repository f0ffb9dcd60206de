#pragma once

#include <optional>
#include <string>

// The remembered settings of this user: a small key=value text file,
// registry.ini, in the configuration folder ($XDG_CONFIG_HOME/VEXOR, by
// default ~/.config/VEXOR, or a folder given by the caller). Lines this
// program does not know are kept as they are when a value is written.
class CRegistryStore {
public:
    // Value that holds the number of the last port a controller answered on.
    static constexpr const char* kLastPortKey = "Last RS nr";

    // folder: where registry.ini lives; empty means the default folder.
    explicit CRegistryStore(std::string folder = {});

    // $XDG_CONFIG_HOME/VEXOR when that is an absolute path, else ~/.config/VEXOR.
    static std::string defaultFolder();

    const std::string& folder() const { return m_folder; }
    std::string filePath() const;

    // The text stored under key, or nothing when the file or the key is missing.
    std::optional<std::string> value(const std::string& key) const;
    // Stores text under key, creating the folder and the file when needed. The
    // file is replaced in one step, so a failed write leaves the old one. A key
    // or text that holds a line break or (for the key) '=' is refused.
    bool setValue(const std::string& key, const std::string& text);

    // The remembered port number; 0 when missing, empty or not a number.
    int lastPort() const;
    bool setLastPort(int port);

private:
    std::string m_folder;
};
