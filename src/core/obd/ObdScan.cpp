#include "obd/ObdScan.h"

#include "device/LPGDevice.h"
#include "obd/ObdRequests.h"
#include "obd/ObdValues.h"
#include "obd/ObdVehicleInfo.h"

#include <algorithm>

using namespace vexor;

namespace {

// What the demonstration shows: a petrol car with the lamp on, three codes,
// and the evaporative system monitor not yet run.
constexpr std::uint8_t kDemoReadiness[] = {0x83, 0x07, 0x65, 0x04};
constexpr const char* kDemoVin = "WVWZZZ1JZXW000001";
constexpr const char* kDemoCalibrationId = "DEMO0000CAL01";
constexpr std::uint16_t kDemoPending[] = {0x0420};

using Status = CObdScan::Status;

// The status of a read from what came back: a refusal means the car does
// not support the service; nothing usable at all is a failed read.
Status refusedOr(const std::vector<ObdMessage>& messages, std::uint8_t service) {
    for (const ObdMessage& m : messages)
        if (obdRefuses(m, service))
            return Status::NotSupported;
    return Status::Failed;
}

} // namespace

CObdScan::CObdScan(CLPGDevice& device, std::uint32_t protocol)
    : m_device(device), m_protocol(protocol) {}

bool CObdScan::exchange(std::initializer_list<std::uint8_t> data, std::vector<ObdMessage>& out) {
    ObdReply reply;
    if (!m_device.obdRequest(obdDataRequest(m_protocol, data), reply))
        return false;
    out = obdMessages(reply);
    return true;
}

Status CObdScan::readReadiness(ObdReadiness& readiness) {
    if (m_device.isDemo()) {
        readiness = decodeReadiness(kDemoReadiness[0], kDemoReadiness[1], kDemoReadiness[2],
                                    kDemoReadiness[3]);
        return Status::Done;
    }
    std::vector<ObdMessage> messages;
    if (!exchange({kObdCurrentData, kPidMonitorStatus}, messages))
        return Status::Failed;
    for (const ObdMessage& m : messages) {
        const auto& b = m.bytes;
        if (obdAnswers(m, kObdCurrentData) && b.size() >= 6 && b[1] == kPidMonitorStatus) {
            readiness = decodeReadiness(b[2], b[3], b[4], b[5]);
            return Status::Done;
        }
    }
    return refusedOr(messages, kObdCurrentData);
}

Status CObdScan::readCodes(std::uint8_t service, std::vector<std::uint16_t>& codes) {
    codes.clear();
    if (m_device.isDemo()) {
        if (service == kPendingCodes)
            codes.assign(std::begin(kDemoPending), std::end(kDemoPending));
        return Status::Done;
    }
    std::vector<ObdMessage> messages;
    if (!exchange({service}, messages))
        return Status::Failed;
    bool answered = false;
    for (const ObdMessage& m : messages) {
        if (!obdAnswers(m, service))
            continue;
        answered = true;
        // On CAN a count follows the service byte (the length is then even);
        // the older buses send the codes straight after it.
        const std::size_t from = m.bytes.size() % 2 == 0 ? 2 : 1;
        for (std::size_t at = from; at + 1 < m.bytes.size(); at += 2) {
            const auto code = static_cast<std::uint16_t>(m.bytes[at] << 8 | m.bytes[at + 1]);
            if (code != 0)
                codes.push_back(code);
        }
    }
    return answered ? Status::Done : refusedOr(messages, service);
}

Status CObdScan::freezePid(std::uint8_t pid, std::vector<std::uint8_t>& data) {
    std::vector<ObdMessage> messages;
    if (!exchange({kObdFreezeFrame, pid, 0}, messages))
        return Status::Failed;
    for (const ObdMessage& m : messages)
        if (obdFreezeData(m, pid, data))
            return Status::Done;
    return refusedOr(messages, kObdFreezeFrame);
}

Status CObdScan::readFreezeFrame(ObdFreezeFrame& frame) {
    frame = {};
    if (m_device.isDemo()) {
        frame.code = 0x0171;
        frame.values = {{kPidEngineSpeed, "2150"},
                        {kPidVehicleSpeed, "62"},
                        {kPidCoolant, "88"},
                        {kPidEngineLoad, "45.1"},
                        {kPidShortTrim1, "9.38"},
                        {kPidLongTrim1, "14.84"},
                        {kPidFuelSystem, obdFuelSystemText(0x02)}};
        return Status::Done;
    }
    std::vector<std::uint8_t> data;
    // Which PIDs the frame holds. A car that keeps no such list is asked for
    // each PID; one that refuses the service has no freeze frame at all.
    std::uint32_t mask = 0xFFFFFFFFu;
    Status status = freezePid(kPidSupported, data);
    if (status == Status::Failed || status == Status::NotSupported)
        return status;
    if (data.size() >= 4)
        mask = static_cast<std::uint32_t>(data[0]) << 24 | data[1] << 16 | data[2] << 8 | data[3];

    status = freezePid(kPidFreezeCode, data);
    if (status != Status::Done)
        return status;
    if (data.size() < 2)
        return Status::Failed;
    frame.code = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
    if (frame.code == 0)
        return Status::Done; // no code has stored a frame

    for (std::uint8_t pid : obdFreezePids()) {
        if (!(mask & obdPidBit(pid)))
            continue;
        status = freezePid(pid, data);
        if (status == Status::Failed)
            return status;
        if (status != Status::Done)
            continue;
        std::string text = obdFreezeValueText(pid, data);
        if (!text.empty())
            frame.values.push_back({pid, std::move(text)});
    }
    return Status::Done;
}

Status CObdScan::readVehicleInfo(std::string& vin, std::vector<std::string>& calibrationIds) {
    vin.clear();
    calibrationIds.clear();
    if (m_device.isDemo()) {
        vin = kDemoVin;
        calibrationIds = {kDemoCalibrationId};
        return Status::Done;
    }
    std::vector<ObdMessage> messages;
    if (!exchange({kObdVehicleInfo, kInfoVin}, messages))
        return Status::Failed;
    for (const ObdMessage& m : messages)
        if (vin.empty())
            vin = obdVin(m);
    if (vin.empty()) {
        // A car that answers service 9 but not with a VIN does not have it.
        const bool answered = std::any_of(messages.begin(), messages.end(), [](const auto& m) {
            return obdAnswers(m, kObdVehicleInfo);
        });
        return answered ? Status::NotSupported : refusedOr(messages, kObdVehicleInfo);
    }
    if (exchange({kObdVehicleInfo, kInfoCalibrationId}, messages))
        for (const ObdMessage& m : messages)
            for (std::string& id : obdCalibrationIds(m))
                calibrationIds.push_back(std::move(id));
    return Status::Done;
}
