#include "report/Workshop.h"

#include "platform/RegistryStore.h"

namespace vexor {

namespace {

constexpr const char* kNameKey = "Workshop name";
constexpr const char* kAddressKey = "Workshop address";

// The store keeps one line per value: line breaks and backslashes travel as
// "\n" and "\\"; a carriage return is dropped.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            out += text[i] == 'n' ? '\n' : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

SWorkshop loadWorkshop(const std::string& folder) {
    const CRegistryStore store(folder);
    SWorkshop workshop;
    workshop.name = unescaped(store.value(kNameKey).value_or(""));
    workshop.address = unescaped(store.value(kAddressKey).value_or(""));
    return workshop;
}

bool saveWorkshop(const std::string& folder, const SWorkshop& workshop) {
    CRegistryStore store(folder);
    return store.setValue(kNameKey, escaped(workshop.name)) &&
           store.setValue(kAddressKey, escaped(workshop.address));
}

} // namespace vexor
