#include "obd/ObdPidTable.h"
#include "obd/ObdValues.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vexor;

namespace {

std::uint32_t maskOf(std::initializer_list<std::uint8_t> pids) {
    std::uint32_t mask = 0;
    for (std::uint8_t pid : pids)
        mask |= obdPidBit(pid);
    return mask;
}

// The PIDs of the next request, in order.
std::vector<int> nextPids(CObdPidTable& table) {
    ObdMultiRequest request{};
    const int n = table.fillRequest(request);
    EXPECT_EQ(request[12], n);
    std::vector<int> pids;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t* item = request.data() + 13 + 4 * i;
        EXPECT_EQ(item[0], 2);
        EXPECT_EQ(item[1], 1);
        EXPECT_EQ(item[3], 0);
        pids.push_back(item[2]);
    }
    return pids;
}

// A reply of service-1 answers: (pid, A, B) each.
ObdReply answers(std::initializer_list<std::array<std::uint8_t, 3>> entries) {
    ObdReply reply;
    reply.payload = {static_cast<std::uint8_t>(entries.size()), 0};
    for (const auto& e : entries) {
        const std::vector<std::uint8_t> entry = {0xE8, 0x07, 0,    0, 4, 0x41,
                                                 e[0], e[1], e[2], 0, 0, 0};
        reply.payload.insert(reply.payload.end(), entry.begin(), entry.end());
    }
    reply.payload.insert(reply.payload.end(), 4, 0);
    return reply;
}

} // namespace

TEST(ObdPidTable, aCarWithAirFlowButNoManifoldPressureGetsAirFlowInTheFirstSlot) {
    CObdPidTable table;
    table.enableFromMask(maskOf({0x10, 0x06, 0x07}));
    EXPECT_TRUE(table.airFlow());
    EXPECT_EQ(table.pid(0), 0x10);
    EXPECT_TRUE(table.enabled(0));
    EXPECT_FALSE(table.enabled(3));

    table.enableFromMask(maskOf({0x0B, 0x10}));
    EXPECT_FALSE(table.airFlow());
    EXPECT_EQ(table.pid(0), 0x0B);

    // None of the nine: the first two trims are asked anyway.
    table.enableFromMask(maskOf({0x0C, 0x0D}));
    for (int slot = 0; slot < CObdPidTable::kSlots; ++slot)
        EXPECT_EQ(table.enabled(slot), slot == 1 || slot == 2) << slot;
    EXPECT_EQ(nextPids(table), (std::vector<int>{0x06, 0x07, 0x06, 0x07, 0x06}));
}

TEST(ObdPidTable, requestsTakeFiveSlotsRoundRobinAndWrapClearsTheFirstPass) {
    CObdPidTable table;
    EXPECT_EQ(nextPids(table), (std::vector<int>{0x0B, 0x06, 0x07, 0x08, 0x09}));
    EXPECT_TRUE(table.firstPass());
    EXPECT_EQ(nextPids(table), (std::vector<int>{0x14, 0x15, 0x18, 0x19, 0x0B}));
    EXPECT_FALSE(table.firstPass());
    EXPECT_EQ(table.cursor(), 1);
}

TEST(ObdPidTable, afterDegradingTheSlowSensorsAreAskedEverySixthTimeRound) {
    CObdPidTable table;
    table.enableFromMask(maskOf({0x0B, 0x14, 0x15}));
    table.degrade();
    // First pass: every enabled slot once.
    std::vector<int> asked;
    for (int i = 0; i < 3; ++i)
        asked.push_back(nextPids(table).at(0));
    EXPECT_EQ(asked, (std::vector<int>{0x0B, 0x14, 0x15}));
    // Later rounds: 0x15 only every sixth time round.
    int sensorAsks = 0, loadAsks = 0;
    for (int i = 0; i < 6 * 2 + 5; ++i) {
        const auto pids = nextPids(table);
        ASSERT_EQ(pids.size(), 1u);
        sensorAsks += pids[0] == 0x15;
        loadAsks += pids[0] == 0x0B;
    }
    EXPECT_EQ(sensorAsks, 1);
    EXPECT_GE(loadAsks, 7);
}

TEST(ObdPidTable, answersFillEnabledSlotsAndMarkTheLongTermTrims) {
    CObdPidTable table;
    table.enableFromMask(maskOf({0x0B, 0x06, 0x07, 0x14}));
    table.decode(answers({{0x06, 128, 0}, {0x07, 0, 0}, {0x14, 200, 0xFF}, {0x08, 1, 0}}));
    EXPECT_EQ(table.text(1), "0.00");
    EXPECT_EQ(table.text(2), "-100.00");
    EXPECT_EQ(table.text(5), "1.00");
    EXPECT_EQ(table.text(3), ""); // disabled slot: its answer is not shown
    EXPECT_TRUE(table.longTermTrim1());
    EXPECT_FALSE(table.longTermTrim2());

    // A negative answer (service 0x7F) is no value.
    ObdReply refused = answers({{0x09, 10, 0}});
    refused.payload[2 + 5] = 0x7F;
    table.enableFromMask(maskOf({0x09}));
    table.decode(refused);
    EXPECT_EQ(table.text(4), "");
    EXPECT_FALSE(table.longTermTrim2());
}
