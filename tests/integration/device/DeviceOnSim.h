#pragma once

#include "SimServer.h"
#include "device/LPGDevice.h"
#include "platform/PortTable.h"
#include "platform/Seams.h"
#include "support/OnSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace vexor::test {

// Messages and event pumps the device asked for.
class RecordingSeams : public IUserPrompt, public IEventPump {
public:
    void message(const std::string& text, Icon) override { messages.push_back(text); }
    bool ask(const std::string&, bool defaultYes) override { return defaultYes; }
    void pump() override { ++pumps; }

    Seams seams() {
        Seams s;
        s.prompt = this;
        s.pump = this;
        return s;
    }

    std::vector<std::string> messages;
    int pumps = 0;
};

// A device talking to a simulated controller over a pseudo-terminal: port 1 of
// the port table is the simulator's side.
class DeviceOnSim : public ::testing::Test {
protected:
    explicit DeviceOnSim(const SimConfig& config = {}) : server(config) {}

    void SetUp() override {
        server.start();
        openSimulatorPort(server, device);
        device.setSeams(recorder.seams());
        CLPGDevice::resetConnectionNotice();
    }

    std::size_t count(SimMatch match) { return server.requestLog().count(match); }

    template <class F> auto sim(F&& f) { return server.withController(std::forward<F>(f)); }

    CSimServer server;
    CLPGDevice device;
    RecordingSeams recorder;
};

inline long elapsedMs(std::chrono::steady_clock::time_point since) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - since)
                                 .count());
}

} // namespace vexor::test
