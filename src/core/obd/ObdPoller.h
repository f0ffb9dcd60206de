#pragma once

#include "obd/ObdPidTable.h"

#include <chrono>
#include <cstdint>
#include <functional>

class CLPGDevice;

// Asks the car for the values of a PID table, one request per poll, and
// finds out which of them the car has. Shared by the OBD page and the value
// poller of the calibration page. Port errors (IError pointers) pass through
// to the caller, who reports them under its own name.
class CObdPoller {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // A poll that fails or takes longer than this makes every later request
    // carry a single PID: some controllers and cars cannot keep up with more.
    static constexpr std::chrono::milliseconds kSlowPoll{700};

    CObdPoller();

    CObdPidTable& table() { return m_table; }
    const CObdPidTable& table() const { return m_table; }

    // The clock polls are timed with (tests step it by hand).
    void setClock(Clock clock);

    // Asks for the PIDs the car supports and enables the table's slots from
    // the answer. False when the first answer is not the one asked for.
    bool readSupported(CLPGDevice& device, std::uint32_t protocol);

    // One request of the table's next items to the protocol's identifiers;
    // the answers become the slots' texts. False when nothing was asked or
    // the exchange failed.
    bool poll(CLPGDevice& device, std::uint32_t protocol);

private:
    CObdPidTable m_table;
    Clock m_clock;
};
