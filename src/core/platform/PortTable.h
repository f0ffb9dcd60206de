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
// portsVar (VEXOR_PORTS) follow the front end's, and systemPortsVar
// (VEXOR_SYSTEM_PORTS) "0" turns the system devices off. Null means unset.
PortTableOptions withPortEnvironment(PortTableOptions options, const char* portsVar,
                                     const char* systemPortsVar);

// The table for the options alone: explicit paths first, then ttyUSB*, ttyACM*
// and ttyS* from devRoot, each group in natural order (ttyS2 before ttyS10).
// The active console is never listed and a device is listed once.
std::vector<std::string> listPorts(const PortTableOptions& options);

// listPorts() of the options with this process's environment folded in.
std::vector<std::string> buildPortTable(const PortTableOptions& options = {});

// The process-wide table that port numbers resolve against. Until a front end
// sets one, it is buildPortTable() of the default options, made on first use.
void setCurrentPortTable(std::vector<std::string> table);
std::vector<std::string> currentPortTable();
// Path of port n, or an empty string when n is not in the table.
std::string portPath(int n);

} // namespace vexor
