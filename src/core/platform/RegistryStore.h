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
    // The stable (/dev/serial/by-id) name of that port, when it has one: the
    // kernel may call the same adapter ttyUSB1 tomorrow, so its number in the
    // port table moves, its by-id name does not.
    static constexpr const char* kLastPortNameKey = "Last RS by-id";

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
    // Removes key's line; true when the file no longer holds it.
    bool removeValue(const std::string& key);

    // The remembered port number; 0 when missing, empty or not a number. When
    // a by-id name was remembered too and it is in the current port table,
    // its entry's number instead, so the adapter is found after renumbering.
    int lastPort() const;
    // Stores port's number and, when the port has one, its by-id name; a name
    // remembered for an earlier port is dropped.
    bool setLastPort(int port);
    // The remembered by-id name, or an empty string.
    std::string lastPortName() const;

private:
    // Rewrites the file with key's line replaced (or added when text is set)
    // or dropped (when it is not).
    bool writeValue(const std::string& key, const std::optional<std::string>& text);

    std::string m_folder;
};
