#pragma once

#include "platform/PortHolders.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Why a serial port does or does not reach a controller: missing, not a
// terminal, no permission, held by another program, silent, or answering.
// A network port (tcp://, rfc2217://) is missing when its host refuses the
// connection, an error when the host cannot be reached.
// The checks the operating system can answer are made here without sending a
// byte; whether a controller answers is asked through a probe the caller
// gives, so this stays free of the device protocol. Every open is
// non-blocking and every read is of a small file, so nothing here hangs.
namespace vexor {

enum class EPortState { Answers, Silent, Busy, Denied, Missing, NotATerminal, Error };

// The state's word in the report: "answers", "silent", "busy", "denied",
// "missing", "not-a-terminal", "error".
const char* portStateName(EPortState state);

struct SPortFinding {
    std::string path;
    EPortState state = EPortState::Error;
    // One line of advice in the current language.
    std::string detail;
};

// Asks the controller on port number n of the table (read-only traffic). An
// answer gives a short identity text for the report; no answer gives nothing.
using ControllerProbe = std::function<std::optional<std::string>(int portNumber)>;

struct PortDoctorOptions {
    // Folders of UUCP lock files (LCK..ttyUSB0 holding the owner's PID).
    std::vector<std::string> lockFolders = {"/run/lock", "/var/lock"};
    // Where brltty would be installed, and the udev rule folders in which its
    // rules claim CH340-type adapters (USB vendor 1a86).
    std::vector<std::string> brlttyPrograms = {"/usr/bin/brltty", "/bin/brltty"};
    std::vector<std::string> udevRuleFolders = {"/usr/lib/udev/rules.d", "/lib/udev/rules.d",
                                                "/etc/udev/rules.d"};
    // The processes other than this one that have path open; the default is
    // portHolders(), which looks through /proc.
    std::function<std::vector<SPortHolder>(const std::string& path)> openHolders;
    // How long a network port's host may take to accept a connection.
    std::chrono::milliseconds networkTimeout{2000};
};

class CPortDoctor {
public:
    explicit CPortDoctor(PortDoctorOptions options = {});

    // The finding for one path; portNumber is its number in the port table,
    // passed to the probe. Without a probe an openable terminal is reported
    // silent: the caller has just seen no controller answer there.
    SPortFinding examine(const std::string& path, int portNumber,
                         const ControllerProbe& probe) const;

    // Whether brltty is installed with rules that take CH340-type adapters
    // (it grabs them as braille displays and the ttyUSB device vanishes).
    bool brlttyClaimsCh340() const;

    // "PATH<TAB>STATE<TAB>DETAIL" with tabs and line breaks in the path and
    // detail shown as spaces, so one port stays one line.
    static std::string reportLine(const SPortFinding& finding);

private:
    // A tcp:// or rfc2217:// port: missing when the host says nobody
    // listens, error when it cannot be reached, then silent or answers.
    SPortFinding examineNetwork(const std::string& path, int portNumber,
                                const ControllerProbe& probe) const;
    SPortFinding deniedFinding(const std::string& path, int error) const;
    std::vector<SPortHolder> lockHolders(const std::string& path) const;
    std::string busyDetail(const std::vector<SPortHolder>& holders) const;

    PortDoctorOptions m_options;
};

} // namespace vexor
