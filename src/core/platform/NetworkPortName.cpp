#include "platform/NetworkPortName.h"

#include <algorithm>

namespace vexor {

namespace {

constexpr const char* kRawPrefix = "tcp://";
constexpr const char* kRfc2217Prefix = "rfc2217://";

bool startsWith(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size())
        return false;
    // The scheme is case-insensitive, as in any address.
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != prefix[i])
            return false;
    }
    return true;
}

} // namespace

bool looksLikeNetworkPort(const std::string& text) {
    return startsWith(text, kRawPrefix) || startsWith(text, kRfc2217Prefix);
}

std::optional<NetworkPortName> parseNetworkPort(const std::string& text) {
    NetworkPortName name;
    std::string rest;
    if (startsWith(text, kRfc2217Prefix)) {
        name.kind = NetworkPortName::Kind::Rfc2217;
        rest = text.substr(std::char_traits<char>::length(kRfc2217Prefix));
    } else if (startsWith(text, kRawPrefix)) {
        name.kind = NetworkPortName::Kind::RawTcp;
        rest = text.substr(std::char_traits<char>::length(kRawPrefix));
    } else {
        return std::nullopt;
    }
    // A trailing slash is what a pasted address often carries; nothing else
    // may follow the port.
    if (!rest.empty() && rest.back() == '/')
        rest.pop_back();

    std::string portText;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
            return std::nullopt;
        name.host = rest.substr(1, close - 1);
        portText = rest.substr(close + 2);
    } else {
        const std::size_t colon = rest.rfind(':');
        if (colon == std::string::npos)
            return std::nullopt;
        name.host = rest.substr(0, colon);
        portText = rest.substr(colon + 1);
        // An unbracketed IPv6 address would be ambiguous.
        if (name.host.find(':') != std::string::npos)
            return std::nullopt;
    }
    if (name.host.empty() || name.host.find_first_of("/@?# \t") != std::string::npos)
        return std::nullopt;
    if (portText.empty() || portText.size() > 5 ||
        !std::all_of(portText.begin(), portText.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const unsigned long number = std::stoul(portText);
    if (number < 1 || number > 65535)
        return std::nullopt;
    name.port = static_cast<uint16_t>(number);
    return name;
}

} // namespace vexor
