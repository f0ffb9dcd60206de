#pragma once

#include "obd/ObdFreezeFrame.h"
#include "obd/ObdReadiness.h"

#include <cstdint>
#include <string>
#include <vector>

class CLPGDevice;

// What a scan tool reads besides the stored codes and live values: the
// readiness monitors, pending and permanent codes, the freeze frame and the
// car's identity. Each read says whether it got an answer, whether the car
// refused the service (it does not support it), or whether the exchange
// failed. Port errors (IError pointers) pass through to the caller.
class CObdScan {
public:
    enum class Status { Done, NotSupported, Failed };

    static constexpr std::uint8_t kPendingCodes = 0x07;
    static constexpr std::uint8_t kPermanentCodes = 0x0A;

    static constexpr const char* kNotSupported = "Samochód nie obsługuje tej funkcji";

    CObdScan(CLPGDevice& device, std::uint32_t protocol);

    Status readReadiness(vexor::ObdReadiness& readiness);
    // Pending (service 7) or permanent (service 0x0A) codes of every
    // answering unit.
    Status readCodes(std::uint8_t service, std::vector<std::uint16_t>& codes);
    Status readFreezeFrame(vexor::ObdFreezeFrame& frame);
    // The VIN decides the answer; calibration IDs are read when the car has
    // them and left empty otherwise.
    Status readVehicleInfo(std::string& vin, std::vector<std::string>& calibrationIds);

private:
    bool exchange(std::initializer_list<std::uint8_t> data, std::vector<vexor::ObdMessage>& out);
    Status freezePid(std::uint8_t pid, std::vector<std::uint8_t>& data);

    CLPGDevice& m_device;
    std::uint32_t m_protocol;
};
