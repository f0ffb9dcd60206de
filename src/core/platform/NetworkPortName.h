#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A port of the table that is an adapter on another machine, served over the
// network: "tcp://HOST:PORT" passes the bytes through unchanged (the far side
// keeps its own line settings), "rfc2217://HOST:PORT" speaks the telnet
// COM-port control, which also carries the line settings. HOST is a name, an
// IPv4 address or an IPv6 address in brackets ("[::1]").
namespace vexor {

struct NetworkPortName {
    enum class Kind { RawTcp, Rfc2217 };
    Kind kind = Kind::RawTcp;
    std::string host; // without brackets
    uint16_t port = 0;
};

// True when the text starts like a network port ("tcp://" or "rfc2217://"),
// whether or not the rest is valid: such a name is never a device path.
bool looksLikeNetworkPort(const std::string& text);

// The parts of a network port name; nullopt when the text is not one or is
// malformed (no host, port not 1..65535, anything after the port).
std::optional<NetworkPortName> parseNetworkPort(const std::string& text);

} // namespace vexor
