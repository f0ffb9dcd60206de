#include "connect/PortDoctor.h"

#include "lang/Translate.h"
#include "platform/NetworkConnect.h"
#include "platform/NetworkPortName.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexor {

namespace {

namespace fs = std::filesystem;

constexpr const char* kMsgAnswers = "Sterownik odpowiada";
constexpr const char* kMsgSilent = "Brak odpowiedzi sterownika: sprawdź kabel, zapłon i adapter";
constexpr const char* kMsgBusyBy = "Port zajęty przez proces %1";
constexpr const char* kMsgBusy = "Port zajęty przez inny program";
constexpr const char* kMsgModemManager =
    "ModemManager sprawdza adapter jak modem: sudo systemctl stop ModemManager";
constexpr const char* kMsgDeniedJoin =
    "Brak dostępu (grupa %1, prawa %2): sudo usermod -aG %1 %3, potem zaloguj się ponownie";
constexpr const char* kMsgDeniedRelogin = "Brak dostępu (grupa %1, prawa %2): %3 jest już w "
                                          "grupie %1, wyloguj się i zaloguj ponownie";
constexpr const char* kMsgDeniedMode = "Brak dostępu (właściciel %3, grupa %1, prawa %2): grupa "
                                       "nie może czytać i pisać, potrzebna reguła udev";
constexpr const char* kMsgMissing = "Urządzenia nie ma: adapter odłączony lub przemianowany";
constexpr const char* kMsgBrltty = "brltty przejmuje adaptery CH340: sudo apt-get remove brltty";
constexpr const char* kMsgNotTerminal = "To nie jest port szeregowy";
constexpr const char* kMsgError = "Błąd systemu: %1";
constexpr const char* kMsgNetRefused =
    "Nic nie nasłuchuje pod tym adresem: uruchom ser2net na komputerze warsztatu i sprawdź tunel";
constexpr const char* kMsgNetUnreachable = "Komputer nieosiągalny: sprawdź sieć, VPN lub tunel SSH";
constexpr const char* kMsgNetSilent =
    "Połączono, ale sterownik nie odpowiada: sprawdź adapter, kabel i zapłon w warsztacie";
constexpr const char* kMsgNetMalformed =
    "Błędny adres sieciowy: użyj tcp://HOST:PORT lub rfc2217://HOST:PORT";

// The translated phrase with %1, %2, %3 replaced; the values are inserted
// after translation, so a language file never sees them.
std::string phrase(const char* polish, const std::vector<std::string>& values = {}) {
    std::string text = translate(polish);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' &&
            text[i + 1] < char('1' + values.size())) {
            out += values[static_cast<std::size_t>(text[i + 1] - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string errorText(int error) {
    return phrase(kMsgError,
                  {std::string(std::strerror(error)) + " (errno " + std::to_string(error) + ")"});
}

std::string groupName(gid_t gid) {
    if (const group* g = ::getgrgid(gid))
        return g->gr_name;
    return std::to_string(gid);
}

std::string userName(uid_t uid) {
    if (const passwd* p = ::getpwuid(uid))
        return p->pw_name;
    return std::to_string(uid);
}

std::string modeText(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// Whether this process counts as a member of gid now.
bool inGroupNow(gid_t gid) {
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// Whether the group database lists the user in gid: true after usermod -aG
// although the running session does not have the group yet.
bool inGroupByDatabase(uid_t uid, gid_t gid) {
    const passwd* p = ::getpwuid(uid);
    if (p == nullptr)
        return false;
    const std::string name = p->pw_name;
    const gid_t primary = p->pw_gid;
    int count = 64;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    if (::getgrouplist(name.c_str(), primary, groups.data(), &count) < 0) {
        if (count <= 0 || count > 65536)
            return false;
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(name.c_str(), primary, groups.data(), &count) < 0)
            return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

// The command name of a process, or an empty string when it has gone.
std::string processName(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

bool processAlive(int pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// Whether this process has a descriptor open on the device at path.
bool heldBySelf(const std::string& path) {
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0 || !S_ISCHR(target.st_mode))
        return false;
    std::error_code ec;
    for (fs::directory_iterator it("/proc/self/fd", ec), end; !ec && it != end; it.increment(ec)) {
        struct stat st {};
        if (::stat(it->path().c_str(), &st) == 0 && S_ISCHR(st.st_mode) &&
            st.st_rdev == target.st_rdev)
            return true;
    }
    return false;
}

bool isNamed(const SPortHolder& holder, const char* name) {
    return holder.name == name;
}

} // namespace

const char* portStateName(EPortState state) {
    switch (state) {
    case EPortState::Answers:
        return "answers";
    case EPortState::Silent:
        return "silent";
    case EPortState::Busy:
        return "busy";
    case EPortState::Denied:
        return "denied";
    case EPortState::Missing:
        return "missing";
    case EPortState::NotATerminal:
        return "not-a-terminal";
    case EPortState::Error:
        break;
    }
    return "error";
}

CPortDoctor::CPortDoctor(PortDoctorOptions options) : m_options(std::move(options)) {
    if (!m_options.openHolders)
        m_options.openHolders = portUsers;
}

SPortFinding CPortDoctor::examine(const std::string& path, int portNumber,
                                  const ControllerProbe& probe) const {
    SPortFinding finding{path, EPortState::Error, {}};
    auto found = [&](EPortState state, std::string detail) {
        finding.state = state;
        finding.detail = std::move(detail);
        return finding;
    };
    auto missing = [&](std::string detail) {
        if (brlttyClaimsCh340())
            detail += "; " + phrase(kMsgBrltty);
        return found(EPortState::Missing, std::move(detail));
    };

    if (looksLikeNetworkPort(path))
        return examineNetwork(path, portNumber, probe);

    struct stat link {};
    if (path.empty() || ::lstat(path.c_str(), &link) != 0) {
        const int error = path.empty() ? ENOENT : errno;
        if (error == ENOENT || error == ENOTDIR)
            return missing(phrase(kMsgMissing));
        if (error == EACCES)
            return deniedFinding(path, error);
        return found(EPortState::Error, errorText(error));
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const int error = errno;
        if (S_ISLNK(link.st_mode) && (error == ENOENT || error == ENOTDIR)) {
            // A by-id link left behind by an adapter that went away.
            std::error_code ignored;
            const std::string target = fs::read_symlink(path, ignored).string();
            return missing(phrase(kMsgMissing) + " (-> " + target + ")");
        }
        return found(EPortState::Error, errorText(error));
    }
    // Never opened: a FIFO would block, a file or folder is no port.
    if (!S_ISCHR(st.st_mode))
        return found(EPortState::NotATerminal, phrase(kMsgNotTerminal));

    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        switch (error) {
        case EACCES:
        case EPERM:
            return deniedFinding(path, error);
        case EBUSY: {
            const std::vector<SPortHolder> holders = m_options.openHolders(path);
            if (holders.empty() && heldBySelf(path))
                return found(EPortState::Silent, phrase(kMsgSilent));
            if (holders.empty() && staleExclusive(path))
                return found(EPortState::Busy, phrase(kMsgStaleExclusive));
            return found(EPortState::Busy, busyDetail(holders));
        }
        case ENOENT:
        case ENXIO:
        case ENODEV:
        case EIO: // a ttyS node without its UART
            return missing(phrase(kMsgMissing));
        default:
            return found(EPortState::Error, errorText(error));
        }
    }
    const bool terminal = ::isatty(fd) != 0;
    ::close(fd);
    if (!terminal)
        return found(EPortState::NotATerminal, phrase(kMsgNotTerminal));
    const bool held = portBusy(path);

    std::vector<SPortHolder> lockers = lockHolders(path);
    if (held || !lockers.empty()) {
        std::vector<SPortHolder> holders = m_options.openHolders(path);
        // The connection search of this very program leaves the last port it
        // tried open: that is no other program's doing.
        if (lockers.empty() && holders.empty() && heldBySelf(path))
            return found(EPortState::Silent, phrase(kMsgSilent));
        if (lockers.empty() && holders.empty() && staleExclusive(path))
            return found(EPortState::Busy, phrase(kMsgStaleExclusive));
        for (const SPortHolder& locker : lockers) {
            const bool listed = std::any_of(holders.begin(), holders.end(),
                                            [&](const auto& h) { return h.pid == locker.pid; });
            if (!listed)
                holders.push_back(locker);
        }
        return found(EPortState::Busy, busyDetail(holders));
    }

    if (probe) {
        if (std::optional<std::string> identity = probe(portNumber)) {
            std::string detail = phrase(kMsgAnswers);
            if (!identity->empty())
                detail += " (" + *identity + ")";
            return found(EPortState::Answers, detail);
        }
    }
    // Another program that has the port open without locking it (a terminal
    // program, ModemManager probing) may be the reason nothing answers.
    std::string detail = phrase(kMsgSilent);
    const std::vector<SPortHolder> holders = m_options.openHolders(path);
    if (!holders.empty())
        detail += "; " + busyDetail(holders);
    return found(EPortState::Silent, detail);
}

SPortFinding CPortDoctor::examineNetwork(const std::string& path, int portNumber,
                                         const ControllerProbe& probe) const {
    const std::optional<NetworkPortName> name = parseNetworkPort(path);
    if (!name)
        return {path, EPortState::Error, phrase(kMsgNetMalformed)};
    // A connection of our own first: it tells a host that says nobody
    // listens from one that cannot be reached, which the probe cannot.
    int error = 0;
    const int fd = connectTcp(*name, m_options.networkTimeout, error);
    if (fd < 0) {
        if (error == ECONNREFUSED)
            return {path, EPortState::Missing, phrase(kMsgNetRefused)};
        std::string detail = phrase(kMsgNetUnreachable);
        if (!isUnreachable(error))
            detail = errorText(error);
        else if (error != kHostNotFound)
            detail += " (" + std::string(std::strerror(error)) + ")";
        return {path, EPortState::Error, detail};
    }
    // Closed before the probe: the far side serves one connection at a time.
    ::close(fd);
    if (probe) {
        if (std::optional<std::string> identity = probe(portNumber)) {
            std::string detail = phrase(kMsgAnswers);
            if (!identity->empty())
                detail += " (" + *identity + ")";
            return {path, EPortState::Answers, detail};
        }
    }
    return {path, EPortState::Silent, phrase(kMsgNetSilent)};
}

SPortFinding CPortDoctor::deniedFinding(const std::string& path, int error) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        // The folder on the way is closed to us, not the device itself.
        return {path, EPortState::Denied, errorText(error)};
    }
    const uid_t uid = ::geteuid();
    const std::string group = groupName(st.st_gid);
    const std::string mode = modeText(st.st_mode);
    const std::string user = userName(uid);
    // Joining the group helps only when the group may read and write and is
    // not root's (nobody is told to join root).
    const bool groupCanUse = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    std::string detail;
    if (!groupCanUse || st.st_gid == 0 || inGroupNow(st.st_gid))
        detail = phrase(kMsgDeniedMode, {group, mode, userName(st.st_uid)});
    else if (inGroupByDatabase(uid, st.st_gid))
        detail = phrase(kMsgDeniedRelogin, {group, mode, user});
    else
        detail = phrase(kMsgDeniedJoin, {group, mode, user});
    return {path, EPortState::Denied, detail};
}

std::vector<SPortHolder> CPortDoctor::lockHolders(const std::string& path) const {
    std::vector<SPortHolder> holders;
    // Lock files are named after the kernel device, also for a by-id link.
    std::error_code ec;
    fs::path device = fs::canonical(path, ec);
    const std::string name = (ec ? fs::path(path) : device).filename().string();
    const int self = static_cast<int>(::getpid());
    for (const std::string& folder : m_options.lockFolders) {
        std::ifstream in(fs::path(folder) / ("LCK.." + name));
        std::string text;
        if (!in || !std::getline(in, text))
            continue;
        // Text form (ten characters, the PID right-aligned) or the old
        // binary form (a native int).
        long pid = std::strtol(text.c_str(), nullptr, 10);
        if (pid <= 0 && text.size() >= sizeof(int)) {
            int raw = 0;
            std::memcpy(&raw, text.data(), sizeof raw);
            pid = raw;
        }
        if (pid <= 0 || pid > INT_MAX || pid == self || !processAlive(static_cast<int>(pid)))
            continue; // a stale lock stops nobody
        if (std::none_of(holders.begin(), holders.end(),
                         [&](const auto& h) { return h.pid == pid; }))
            holders.push_back({static_cast<int>(pid), processName(static_cast<int>(pid))});
    }
    return holders;
}

std::string CPortDoctor::busyDetail(const std::vector<SPortHolder>& holders) const {
    if (holders.empty())
        return phrase(kMsgBusy);
    std::string who;
    for (const SPortHolder& holder : holders) {
        if (!who.empty())
            who += ", ";
        who += std::to_string(holder.pid);
        if (!holder.name.empty())
            who += " (" + holder.name + ")";
    }
    std::string detail = phrase(kMsgBusyBy, {who});
    auto any = [&](const char* name) {
        return std::any_of(holders.begin(), holders.end(),
                           [&](const SPortHolder& h) { return isNamed(h, name); });
    };
    if (any("ModemManager"))
        detail += "; " + phrase(kMsgModemManager);
    if (any("brltty") && brlttyClaimsCh340())
        detail += "; " + phrase(kMsgBrltty);
    return detail;
}

bool CPortDoctor::brlttyClaimsCh340() const {
    const bool installed =
        std::any_of(m_options.brlttyPrograms.begin(), m_options.brlttyPrograms.end(),
                    [](const std::string& p) { return ::access(p.c_str(), X_OK) == 0; });
    if (!installed)
        return false;
    for (const std::string& folder : m_options.udevRuleFolders) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.find("brltty") == std::string::npos)
                continue;
            std::ifstream in(it->path());
            std::string line;
            while (std::getline(in, line)) {
                if (line.find("1a86") != std::string::npos && line[0] != '#')
                    return true;
            }
        }
    }
    return false;
}

std::string CPortDoctor::reportLine(const SPortFinding& finding) {
    auto oneLine = [](std::string text) {
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; },
            ' ');
        return text;
    };
    return oneLine(finding.path) + "\t" + portStateName(finding.state) + "\t" +
           oneLine(finding.detail) + "\n";
}

} // namespace vexor
