#pragma once

#include "device/ObdReply.h"

#include <array>
#include <cstdint>
#include <string>

// The nine OBD values a poll cycles through, one slot each: manifold
// pressure (or air flow), the four fuel trims and the four oxygen sensors.
// The table chooses which slots the next request asks for (round robin, with
// the slow sensors asked less often once requests carry a single PID) and
// turns the answers into the slots' texts.
class CObdPidTable {
public:
    static constexpr int kSlots = 9;
    // Slot numbers with a meaning of their own.
    static constexpr int kSlotLoad = 0;      // manifold pressure or air flow
    static constexpr int kSlotLongTrim1 = 2; // its answer marks bank 1's long-term trim
    static constexpr int kSlotLongTrim2 = 4; // its answer marks bank 2's long-term trim
    // Items of a request before a poll turned out failed or slow.
    static constexpr int kItemsAtStart = 5;

    CObdPidTable();

    std::uint8_t pid(int slot) const;
    bool enabled(int slot) const;
    const std::string& text(int slot) const;
    void setText(int slot, std::string text);
    void clearTexts();

    // Enables exactly the slots whose PID the car supports (the answer to
    // PID 0x00). The load slot asks for air flow when the car has no manifold
    // pressure but air flow. A car that claims none of the nine PIDs still
    // gets the first two trims asked.
    void enableFromMask(std::uint32_t supported);
    // The load slot asks for air flow (g/s) instead of manifold pressure.
    bool airFlow() const { return m_slots[kSlotLoad].pid != kPidManifoldPressure; }

    // Builds the next request's items behind the three identifiers already
    // in `request`; returns how many it holds (0: nothing to ask).
    int fillRequest(vexor::ObdMultiRequest& request);
    // Decodes every answer entry into the text of each enabled slot with
    // that PID.
    void decode(const ObdReply& reply);

    int itemsPerRequest() const { return m_itemsPerRequest; }
    // From now on one PID per request.
    void degrade() { m_itemsPerRequest = 1; }
    int cursor() const { return m_cursor; }
    void resetCursor() { m_cursor = 0; }
    bool firstPass() const { return m_firstPass; }

    // Whether an answer for bank 1's (bank 2's) long-term trim arrived.
    bool longTermTrim1() const { return m_longTrim1; }
    bool longTermTrim2() const { return m_longTrim2; }

private:
    static constexpr std::uint8_t kPidManifoldPressure = 0x0B;

    struct Slot {
        std::uint8_t pid = 0;
        bool enabled = true;
        std::string text;
        int skipPeriod = 0;
        int skipCounter = 0;
    };

    bool anyEnabled() const;
    void advanceCursor();

    std::array<Slot, kSlots> m_slots;
    int m_cursor = 0;
    int m_itemsPerRequest = kItemsAtStart;
    bool m_firstPass = true;
    bool m_longTrim1 = false;
    bool m_longTrim2 = false;
};
