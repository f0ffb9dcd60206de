#pragma once

#include "device/ObdReply.h"
#include "obd/ObdPoller.h"

#include <string>

class CLPGDevice;

// The OBD values without the OBD page: the calibration page shows the car's
// fuel trims and oxygen sensors while it calibrates. Same slots and polling
// rules as the page; the first slot (manifold pressure or air flow) gets no
// text.
class CObdDiagnostic {
public:
    static constexpr const char* kMsgRead = "Nie powiodło się odczytanie ustawień urządzenia!";
    static constexpr const char* kHandlerInit = "CObdDiagnostic::initialise()";
    static constexpr const char* kHandlerPoll = "CObdDiagnostic::onGetDiag()";

    explicit CObdDiagnostic(CLPGDevice& device);

    // Whether OBD values can be read: the controller is connected, has an OBD
    // interface and (outside demonstration mode) its OBD link is on and the
    // car tells which values it has.
    bool initialise();
    bool available() const { return m_available; }

    // One poll; the answers become the slots' texts.
    void onGetDiag();
    // Text of slot 1..8 (CObdPidTable's numbering); empty for slot 0.
    const std::string& text(int slot) const;

    CObdPoller& poller() { return m_poller; }
    const CObdPoller& poller() const { return m_poller; }

private:
    bool readLink();

    CLPGDevice& m_device;
    CObdPoller m_poller;
    vexor::ObdSetup m_setup;
    bool m_available = false;
};
