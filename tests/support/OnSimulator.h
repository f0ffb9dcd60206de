#pragma once

#include "SimServer.h"
#include "device/LPGDevice.h"
#include "doc/KorvantisDoc.h"
#include "platform/PortTable.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vexor::test {

// Set-ups shared by the tests that talk to a simulated controller served in
// the test's own process. The server is started by the caller, so that a test
// can change the controller before or after it starts.

// Makes the simulator the only port of the port table and opens it on
// `device` as port 1, as a connection would but without the handshake.
inline void openSimulatorPort(CSimServer& server, CLPGDevice& device) {
    vexor::setCurrentPortTable({server.slavePath()});
    device.port().open(1);
    device.port().configure();
}

// Makes the simulator the only port of the port table (port 1) and returns a
// fresh, unconnected document whose remembered port and data live under
// `folder`, so a test sees neither the machine's ports nor another test's
// files. The connection notice is reset so each test meets a first connection.
inline std::unique_ptr<CKorvantisDoc> documentOnSimulator(CSimServer& server,
                                                          const std::string& folder) {
    vexor::setCurrentPortTable({server.slavePath()});
    CLPGDevice::resetConnectionNotice();
    auto doc = std::make_unique<CKorvantisDoc>();
    doc->setConfigFolder((std::filesystem::path(folder) / "config").string());
    doc->setDataFolder((std::filesystem::path(folder) / "data").string());
    return doc;
}

} // namespace vexor::test
