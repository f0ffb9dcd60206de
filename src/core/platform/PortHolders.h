#pragma once

#include <string>
#include <vector>

// Who keeps a serial port from being opened. A port held by another program
// is busy, not badly wired: the user should be told which program to close.
namespace vexor {

struct SPortHolder {
    int pid = 0;
    std::string name; // the process's command name; empty when it cannot be read
};

// Whether this process cannot take path for exclusive use right now because
// someone else has it (marked exclusive, or locked). The port is opened and
// closed again without changing any line setting.
bool portBusy(const std::string& path);

// Processes other than this one with path open, found through /proc/*/fd
// (only those this user may look into).
std::vector<SPortHolder> portHolders(const std::string& path);

// "PATH" plus " (PID NAME, ...)" when holders are known.
std::string describePortHolders(const std::string& path);

} // namespace vexor
