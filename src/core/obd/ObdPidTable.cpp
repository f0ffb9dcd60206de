#include "obd/ObdPidTable.h"

#include "obd/ObdRequests.h"
#include "obd/ObdValues.h"

#include <utility>

namespace {

// Behind the three identifiers: the item count, then 4-byte items (data byte
// count 2, service 1, PID, 0).
constexpr std::size_t kItemCountOffset = 12;
constexpr std::size_t kFirstItemOffset = 13;
constexpr std::size_t kItemLength = 4;

// The sensors behind the catalysts change slowly: once requests carry one
// PID each they are asked every sixth time round only.
constexpr int kSlowSensorPeriod = 5;

} // namespace

CObdPidTable::CObdPidTable() {
    using namespace vexor;
    const std::array<std::uint8_t, kSlots> pids = {kPidManifold,   kPidShortTrim1, kPidLongTrim1,
                                                   kPidShortTrim2, kPidLongTrim2,  kPidOxygenB1S1,
                                                   kPidOxygenB1S2, kPidOxygenB2S1, kPidOxygenB2S2};
    for (int i = 0; i < kSlots; ++i)
        m_slots[i].pid = pids[i];
    m_slots[6].skipPeriod = kSlowSensorPeriod;
    m_slots[8].skipPeriod = kSlowSensorPeriod;
}

std::uint8_t CObdPidTable::pid(int slot) const {
    return slot >= 0 && slot < kSlots ? m_slots[slot].pid : 0;
}

bool CObdPidTable::enabled(int slot) const {
    return slot >= 0 && slot < kSlots && m_slots[slot].enabled;
}

const std::string& CObdPidTable::text(int slot) const {
    static const std::string none;
    return slot >= 0 && slot < kSlots ? m_slots[slot].text : none;
}

void CObdPidTable::setText(int slot, std::string text) {
    if (slot >= 0 && slot < kSlots)
        m_slots[slot].text = std::move(text);
}

void CObdPidTable::clearTexts() {
    for (Slot& s : m_slots)
        s.text.clear();
}

void CObdPidTable::enableFromMask(std::uint32_t supported) {
    using namespace vexor;
    for (int i = 1; i < kSlots; ++i)
        m_slots[i].enabled = (supported & obdPidBit(m_slots[i].pid)) != 0;

    Slot& load = m_slots[kSlotLoad];
    if (supported & obdPidBit(kPidManifold)) {
        load.pid = kPidManifold;
        load.enabled = true;
    } else if (supported & obdPidBit(kPidAirFlow)) {
        load.pid = kPidAirFlow;
        load.enabled = true;
    } else {
        load.pid = kPidManifold;
        load.enabled = false;
    }

    if (!anyEnabled()) {
        m_slots[1].enabled = true;
        m_slots[2].enabled = true;
    }
}

bool CObdPidTable::anyEnabled() const {
    for (const Slot& s : m_slots)
        if (s.enabled)
            return true;
    return false;
}

void CObdPidTable::advanceCursor() {
    if (++m_cursor >= kSlots) {
        m_cursor = 0;
        m_firstPass = false;
    }
}

int CObdPidTable::fillRequest(vexor::ObdMultiRequest& request) {
    int items = 0;
    // Without an enabled slot the round robin would never fill the request.
    if (anyEnabled()) {
        while (items < m_itemsPerRequest) {
            Slot& slot = m_slots[m_cursor];
            bool take = false;
            if (slot.enabled) {
                if (m_firstPass || m_itemsPerRequest > 1) {
                    take = true;
                } else if (slot.skipCounter >= slot.skipPeriod) {
                    take = true;
                    slot.skipCounter = 0;
                } else {
                    ++slot.skipCounter;
                }
            }
            if (take) {
                std::uint8_t* item = request.data() + kFirstItemOffset + kItemLength * items;
                item[0] = 2;
                item[1] = vexor::kObdCurrentData;
                item[2] = slot.pid;
                item[3] = 0;
                ++items;
            }
            advanceCursor();
        }
    }
    request[kItemCountOffset] = static_cast<std::uint8_t>(items);
    return items;
}

void CObdPidTable::decode(const ObdReply& reply) {
    using namespace vexor;
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = m_slots[i];
        if (!slot.enabled)
            continue;
        for (std::size_t k = 0; k < reply.entryCount(); ++k) {
            const std::uint8_t* entry = reply.entry(k);
            if (!obdEntryAnswers(entry, slot.pid))
                continue;
            slot.text = obdValueText(slot.pid, entry[kObdEntryA], entry[kObdEntryA + 1]);
            if (i == kSlotLongTrim1)
                m_longTrim1 = true;
            if (i == kSlotLongTrim2)
                m_longTrim2 = true;
        }
    }
}
