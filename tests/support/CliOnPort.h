#pragma once

#include "core/files/TempFolder.h"

#include <string>
#include <vector>

namespace vexor::test {

// The start of a vexor-cli command line on one port: the machine's own ports
// are left alone, the remembered port and data go in `folder`, and messages
// come in Polish, the language the texts are written in.
inline std::vector<std::string> cliOnPort(const std::string& cli, const std::string& port,
                                          const CTempFolder& folder) {
    std::vector<std::string> argv = {cli, "--no-system-ports", "--port", port};
    argv.insert(argv.end(), {"--config-dir", folder.file("config")});
    argv.insert(argv.end(), {"--data-dir", folder.file("data")});
    argv.insert(argv.end(), {"--lang", "0"});
    return argv;
}

} // namespace vexor::test
