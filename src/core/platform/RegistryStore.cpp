#include "platform/RegistryStore.h"

#include "platform/AtomicFile.h"
#include "platform/HomeFolder.h"
#include "platform/PortTable.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr const char* kFileName = "registry.ini";
// Values are read back to at most this many characters.
constexpr std::size_t kMaxValueLength = 256;

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The key of a key=value line, or nothing for a line of another kind.
std::optional<std::string> keyOf(const std::string& line) {
    auto eq = line.find('=');
    if (eq == std::string::npos) {
        return std::nullopt;
    }
    return line.substr(0, eq);
}

} // namespace

CRegistryStore::CRegistryStore(std::string folder)
    : m_folder(folder.empty() ? defaultFolder() : std::move(folder)) {}

std::string CRegistryStore::defaultFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // Relative values are invalid for this variable and are ignored.
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/VEXOR";
    }
    return vexor::homeFolder() + "/.config/VEXOR";
}

std::string CRegistryStore::filePath() const {
    return (std::filesystem::path(m_folder) / kFileName).string();
}

std::optional<std::string> CRegistryStore::value(const std::string& key) const {
    for (const std::string& line : readLines(filePath())) {
        if (keyOf(line) == key) {
            return line.substr(key.size() + 1, kMaxValueLength);
        }
    }
    return std::nullopt;
}

bool CRegistryStore::setValue(const std::string& key, const std::string& text) {
    if (text.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    return writeValue(key, text);
}

bool CRegistryStore::removeValue(const std::string& key) {
    if (!value(key)) {
        return key.find_first_of("=\r\n") == std::string::npos;
    }
    return writeValue(key, std::nullopt);
}

bool CRegistryStore::writeValue(const std::string& key, const std::optional<std::string>& text) {
    if (key.find_first_of("=\r\n") != std::string::npos) {
        return false;
    }
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored);

    std::vector<std::string> lines;
    bool replaced = false;
    for (std::string& line : readLines(filePath())) {
        if (keyOf(line) != key) {
            lines.push_back(std::move(line));
        } else if (text && !replaced) {
            lines.push_back(key + "=" + *text);
            replaced = true;
        }
    }
    if (text && !replaced) {
        lines.push_back(key + "=" + *text);
    }

    CAtomicFile file;
    if (!file.open(filePath())) {
        return false;
    }
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), file.stream()) != line.size() ||
            std::fputc('\n', file.stream()) == EOF) {
            return false;
        }
    }
    return file.commit();
}

int CRegistryStore::lastPort() const {
    const std::string name = lastPortName();
    if (!name.empty()) {
        const std::vector<std::string> table = vexor::currentPortTable();
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (table[i] == name || vexor::sameDevice(table[i], name)) {
                return static_cast<int>(i + 1);
            }
        }
    }
    std::optional<std::string> text = value(kLastPortKey);
    if (!text) {
        return 0;
    }
    // atoi semantics without its undefined behaviour on overflow.
    errno = 0;
    long n = std::strtol(text->c_str(), nullptr, 10);
    if (errno == ERANGE || n > INT_MAX || n < INT_MIN) {
        return 0;
    }
    return static_cast<int>(n);
}

bool CRegistryStore::setLastPort(int port) {
    if (!setValue(kLastPortKey, std::to_string(port))) {
        return false;
    }
    const std::string path = vexor::portPath(port);
    const std::string name = path.empty() ? std::string() : vexor::stableName(path);
    return name.empty() ? removeValue(kLastPortNameKey) : setValue(kLastPortNameKey, name);
}

std::string CRegistryStore::lastPortName() const {
    return value(kLastPortNameKey).value_or(std::string());
}
