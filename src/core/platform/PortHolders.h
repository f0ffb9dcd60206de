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

// Whether the process holds the other end of the line at path: the master
// side of the pseudo-terminal whose slave path is. Such a process serves the
// line (a simulator, a network bridge); it does not use the port.
bool holdsOtherEnd(long pid, const std::string& path);

// portHolders() without the processes that hold the line's other end.
std::vector<SPortHolder> portUsers(const std::string& path);

// Whether path is marked for exclusive use while no other process but the
// line's own other end has it open: the mark was left by a program that
// ended without releasing it (killed) and keeps everyone out for nothing.
// A real serial adapter loses the mark with its last close; only a line
// whose other end stays open (a pseudo-terminal) keeps it.
bool staleExclusive(const std::string& path);
// What to tell the user about such a port (Polish key).
inline constexpr const char* kMsgStaleExclusive =
    "Port jest oznaczony jako zajęty przez program, który już nie działa; żaden inny program go "
    "nie używa. Oznaczenie usunie administrator (root) albo ponowne otwarcie linii.";

// "PATH" plus " (PID NAME, ...)" when users are known.
std::string describePortHolders(const std::string& path);

} // namespace vexor
