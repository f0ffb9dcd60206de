#pragma once

#include <string>
#include <vector>

// The port table stands for the numbered COM ports: port n is entry n
// (1-based). First come the paths the user named, then the system's serial
// devices. The remembered port is a number, so a front end builds the table
// once at start and keeps it.
namespace vexor {

struct PortTableOptions {
    // Paths from the command line (--port), in the order given.
    std::vector<std::string> explicitPaths;
    // False leaves the system's devices out (--no-system-ports), so nothing
    // but the named paths can ever be opened.
    bool systemPorts = true;
    // Where the system devices are looked for, and the file naming the active
    // console(s); parameters so tests can use a fake tree.
    std::string devRoot = "/dev";
    std::string consoleActiveFile = "/sys/class/tty/console/active";
};

// Folds the environment into the options: the colon-separated paths of
// portsVar (VEXOR_PORTS) follow the front end's (a network port such as
// tcp://HOST:PORT keeps its colons; a bracketed IPv6 host cannot be given
// there), and systemPortsVar
// (VEXOR_SYSTEM_PORTS) "0" turns the system devices off. Null means unset.
PortTableOptions withPortEnvironment(PortTableOptions options, const char* portsVar,
                                     const char* systemPortsVar);

// The table for the options alone: explicit paths first, then ttyUSB*, ttyACM*
// and ttyS* from devRoot, each group in natural order (ttyS2 before ttyS10).
// A system device with a stable name (devRoot/serial/by-id/...) is listed
// under that name at its kernel name's place, so the fitter sees which
// adapter it is and the name survives renumbering; by-id devices of other
// families follow. The active console is never listed and a device is listed
// once.
std::vector<std::string> listPorts(const PortTableOptions& options);

// The by-id name (devRoot/serial/by-id/...) of the device at path, or an empty
// string when it has none; path itself when it already lies in a by-id folder
// or is a network address.
std::string stableName(const std::string& path, const std::string& devRoot = "/dev");

// The same device: both paths resolve to one file (links followed), or the
// texts are equal when they cannot be resolved.
bool sameDevice(const std::string& a, const std::string& b);

// listPorts() of the options with this process's environment folded in.
std::vector<std::string> buildPortTable(const PortTableOptions& options = {});

// The process-wide table that port numbers resolve against. Until a front end
// sets one, it is buildPortTable() of the default options, made on first use.
void setCurrentPortTable(std::vector<std::string> table);
std::vector<std::string> currentPortTable();
// Path of port n, or an empty string when n is not in the table.
std::string portPath(int n);

} // namespace vexor
