#pragma once

#include <string>

// The workshop that issues job sheets: entered once, kept with the user's
// other remembered settings in the configuration folder.
struct SWorkshop {
    std::string name;
    std::string address; // may hold line breaks

    bool operator==(const SWorkshop&) const = default;
};

namespace vexor {

// folder: the configuration folder; empty means the default one.
SWorkshop loadWorkshop(const std::string& folder);
bool saveWorkshop(const std::string& folder, const SWorkshop& workshop);

} // namespace vexor
