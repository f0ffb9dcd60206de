#pragma once

#include "integration/device/DeviceOnSim.h"

#include <chrono>

namespace vexor::test {

// A connected device on the simulator whose clock stands still until a test
// moves it, so the load maps the engine model collects change only when
// asked.
class MapsOnSim : public DeviceOnSim {
protected:
    void SetUp() override {
        DeviceOnSim::SetUp();
        device.setConnected(true);
        sim([this](CSimController& c) {
            c.setClock([this] { return now; });
            c.engine().clearLoadMap(false);
            c.engine().clearLoadMap(true);
        });
    }

    void advance(std::chrono::milliseconds step) {
        sim([&](CSimController& c) {
            now += step;
            c.workMode(); // lets the model catch up with the new time
        });
    }

    std::vector<SimRequest> requests(SimMatch match) { return server.requestLog().requests(match); }

    std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
};

} // namespace vexor::test
