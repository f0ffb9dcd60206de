#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vexor {

// Turns a Polish text into the current language; the identity when empty.
using TextTranslator = std::function<std::string(const std::string&)>;

} // namespace vexor

// Decoder of one of the controller's fault bytes: the group's name and one
// message per bit. Messages are translated once, when the decoder is built;
// the name and the joining texts at each use.
class CDeviceErrorBase {
public:
    explicit CDeviceErrorBase(vexor::TextTranslator translator = {});
    virtual ~CDeviceErrorBase() = default;
    CDeviceErrorBase(const CDeviceErrorBase&) = delete;
    CDeviceErrorBase& operator=(const CDeviceErrorBase&) = delete;

    // The group's translated name; empty for the base.
    virtual std::string name() const { return {}; }

    // One line (CR LF first) per set bit: its message, or the unrecognised-code
    // text with the bit's mask in hex. Empty for 0.
    std::string describeGroup(std::uint8_t flags) const;

    const std::vector<std::string>& messages() const { return m_messages; }

protected:
    // Whether several faults of this group are read as alternatives (" lub").
    virtual bool joinsAlternatives() const { return false; }
    void addMessage(const std::string& polish);
    std::string translate(const std::string& polish) const;

private:
    vexor::TextTranslator m_translator;
    std::vector<std::string> m_messages; // index = bit number
};
