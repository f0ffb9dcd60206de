#pragma once

#include "SimServer.h"
#include "SimTestClient.h"

#include <atomic>
#include <gtest/gtest.h>
#include <memory>

// A simulator served on a fresh pseudo-terminal with one raw client attached.
class SimFixture : public ::testing::Test {
protected:
    void SetUp() override { startWith(SimConfig{}); }

    void startWith(const SimConfig& config) {
        client.reset();
        server = std::make_unique<CSimServer>(config);
        server->start();
        client = std::make_unique<CSimTestClient>(server->slavePath());
        ASSERT_TRUE(client->isOpen());
    }

    // Puts the controller on a clock the test moves by hand.
    void useManualClock() {
        auto offset = m_clockOffset;
        const auto base = std::chrono::steady_clock::now();
        server->withController([&](CSimController& c) {
            c.setClock([offset, base] { return base + std::chrono::milliseconds(offset->load()); });
        });
    }
    void advanceClock(std::chrono::milliseconds by) { *m_clockOffset += by.count(); }

    template <class F> auto controller(F&& f) { return server->withController(std::forward<F>(f)); }

    std::unique_ptr<CSimServer> server;
    std::unique_ptr<CSimTestClient> client;

private:
    std::shared_ptr<std::atomic<long>> m_clockOffset = std::make_shared<std::atomic<long>>(0);
};

inline const std::vector<uint8_t> kAccepted = {4, 0, 0, 0, 0, 0};
