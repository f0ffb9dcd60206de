#include "platform/PortTable.h"

#include "platform/NetworkPortName.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>

namespace vexor {

namespace {

namespace fs = std::filesystem;

// System device families, in the order they are offered: USB adapters are
// what a fitter plugs in, on-board UARTs come last.
constexpr const char* kFamilies[] = {"ttyUSB", "ttyACM", "ttyS"};

struct SystemDevice {
    std::size_t family;
    std::string number; // decimal digits
    std::string name;
};

std::optional<SystemDevice> classify(const std::string& name) {
    for (std::size_t f = 0; f < std::size(kFamilies); ++f) {
        std::string prefix = kFamilies[f];
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string digits = name.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        return SystemDevice{f, digits, name};
    }
    return std::nullopt;
}

// Natural order of the numbers without converting them (no overflow on
// absurd names): fewer significant digits first, then digit by digit.
bool numberLess(const std::string& a, const std::string& b) {
    auto strip = [](const std::string& s) {
        std::size_t nz = s.find_first_not_of('0');
        return nz == std::string::npos ? std::string("0") : s.substr(nz);
    };
    std::string x = strip(a);
    std::string y = strip(b);
    if (x.size() != y.size())
        return x.size() < y.size();
    if (x != y)
        return x < y;
    return a < b;
}

std::set<std::string> consoleNames(const std::string& file) {
    std::set<std::string> names;
    std::ifstream in(file);
    std::string name;
    while (in >> name)
        names.insert(name);
    return names;
}

// The identity of a path for duplicate and console checks: symbolic links
// (/dev/serial/by-id/...) resolved where possible, the text itself otherwise.
std::string identity(const std::string& path) {
    // A network address names no file; resolving it against the working
    // folder would make one.
    if (looksLikeNetworkPort(path))
        return path;
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(fs::path(path), ec);
    return ec ? path : canonical.string();
}

// by-id links of devRoot, keyed by the device they resolve to; dangling links
// are left out (their adapter is gone). Sorted by name, so the order is stable.
std::vector<std::pair<std::string, std::string>> byIdLinks(const std::string& devRoot) {
    std::vector<std::pair<std::string, std::string>> links;
    std::error_code ec;
    const fs::path folder = fs::path(devRoot) / "serial" / "by-id";
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        if (!it->is_symlink(linkError) || linkError)
            continue;
        fs::path target = fs::canonical(it->path(), linkError);
        if (linkError)
            continue;
        links.emplace_back(target.string(), it->path().string());
    }
    std::sort(links.begin(), links.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    return links;
}

std::mutex& tableMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<std::vector<std::string>>& tableSlot() {
    static std::optional<std::vector<std::string>> table;
    return table;
}

} // namespace

PortTableOptions withPortEnvironment(PortTableOptions options, const char* portsVar,
                                     const char* systemPortsVar) {
    if (portsVar) {
        std::stringstream list(portsVar);
        std::vector<std::string> pieces;
        for (std::string piece; std::getline(list, piece, ':');)
            pieces.push_back(piece);
        // A network port ("tcp://HOST:PORT") holds colons of its own: the
        // scheme's piece takes the host's and the port's pieces with it.
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            std::string path = pieces[i];
            if (i + 2 < pieces.size() && looksLikeNetworkPort(path + ":" + pieces[i + 1])) {
                path += ":" + pieces[i + 1] + ":" + pieces[i + 2];
                i += 2;
            }
            if (!path.empty())
                options.explicitPaths.push_back(path);
        }
    }
    if (systemPortsVar && std::string(systemPortsVar) == "0")
        options.systemPorts = false;
    return options;
}

std::vector<std::string> listPorts(const PortTableOptions& options) {
    std::set<std::string> consoles;
    std::set<std::string> consoleIds;
    for (const std::string& name : consoleNames(options.consoleActiveFile)) {
        consoles.insert(name);
        consoleIds.insert(identity((fs::path(options.devRoot) / name).string()));
    }

    std::vector<std::string> table;
    std::set<std::string> seen;
    auto add = [&](const std::string& path) {
        std::string id = identity(path);
        if (consoleIds.count(id) || !seen.insert(id).second)
            return;
        table.push_back(path);
    };

    for (const std::string& path : options.explicitPaths) {
        if (!path.empty())
            add(path);
    }

    if (options.systemPorts) {
        std::vector<SystemDevice> devices;
        std::error_code ec;
        for (fs::directory_iterator it(options.devRoot, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (consoles.count(name))
                continue;
            if (std::optional<SystemDevice> device = classify(name))
                devices.push_back(*device);
        }
        std::sort(devices.begin(), devices.end(), [](const SystemDevice& a, const SystemDevice& b) {
            if (a.family != b.family)
                return a.family < b.family;
            return numberLess(a.number, b.number);
        });
        const auto links = byIdLinks(options.devRoot);
        auto byIdOf = [&](const std::string& id) -> std::string {
            for (const auto& [target, link] : links) {
                if (target == id)
                    return link;
            }
            return {};
        };
        for (const SystemDevice& device : devices) {
            const std::string path = (fs::path(options.devRoot) / device.name).string();
            const std::string link = byIdOf(identity(path));
            add(link.empty() ? path : link);
        }
        for (const auto& entry : links)
            add(entry.second);
    }
    return table;
}

std::string stableName(const std::string& path, const std::string& devRoot) {
    // An address is its own stable name: remembered as given, it finds the
    // same adapter wherever it stands in the table.
    if (looksLikeNetworkPort(path))
        return path;
    if (fs::path(path).parent_path().filename() == "by-id")
        return path;
    const std::string id = identity(path);
    for (const auto& [target, link] : byIdLinks(devRoot)) {
        if (target == id)
            return link;
    }
    return {};
}

bool sameDevice(const std::string& a, const std::string& b) {
    return identity(a) == identity(b);
}

std::vector<std::string> buildPortTable(const PortTableOptions& options) {
    return listPorts(withPortEnvironment(options, std::getenv("VEXOR_PORTS"),
                                         std::getenv("VEXOR_SYSTEM_PORTS")));
}

void setCurrentPortTable(std::vector<std::string> table) {
    std::lock_guard<std::mutex> guard(tableMutex());
    tableSlot() = std::move(table);
}

std::vector<std::string> currentPortTable() {
    std::lock_guard<std::mutex> guard(tableMutex());
    if (!tableSlot())
        tableSlot() = buildPortTable();
    return *tableSlot();
}

std::string portPath(int n) {
    std::vector<std::string> table = currentPortTable();
    if (n < 1 || static_cast<std::size_t>(n) > table.size())
        return {};
    return table[static_cast<std::size_t>(n) - 1];
}

} // namespace vexor
