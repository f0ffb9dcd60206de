#pragma once

#include "platform/NetworkPortName.h"

#include <chrono>

namespace vexor {

// Error number of a host name that does not resolve (getaddrinfo has its own
// codes; this one stands for all of them).
constexpr int kHostNotFound = -1;

// Connects a TCP socket to the address, trying each address the name
// resolves to, waiting at most timeout for each. Returns the connected,
// non-blocking, close-on-exec descriptor, or -1 with error set to the reason
// of the last attempt (ECONNREFUSED, ETIMEDOUT, EHOSTUNREACH, ..., or
// kHostNotFound).
int connectTcp(const NetworkPortName& address, std::chrono::milliseconds timeout, int& error);

// True for the reasons that mean the host was not reached at all (as opposed
// to a host that answered that nothing listens there).
bool isUnreachable(int error);

} // namespace vexor
