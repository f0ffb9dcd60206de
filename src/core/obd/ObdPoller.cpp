#include "obd/ObdPoller.h"

#include "device/LPGDevice.h"
#include "obd/ObdIdentifiers.h"
#include "obd/ObdRequests.h"
#include "obd/ObdValues.h"

#include <utility>

CObdPoller::CObdPoller() : m_clock([] { return std::chrono::steady_clock::now(); }) {}

void CObdPoller::setClock(Clock clock) {
    if (clock)
        m_clock = std::move(clock);
}

bool CObdPoller::readSupported(CLPGDevice& device, std::uint32_t protocol) {
    ObdReply reply;
    if (!device.obdRequest(vexor::obdPidRequest(protocol, vexor::kPidSupported), reply))
        return false;
    const std::uint8_t* answer = vexor::obdFirstAnswer(reply, vexor::kPidSupported);
    if (!answer)
        return false;
    m_table.enableFromMask(vexor::obdEntryDataWord(answer));
    return true;
}

bool CObdPoller::poll(CLPGDevice& device, std::uint32_t protocol) {
    vexor::ObdMultiRequest request{};
    vexor::putObdIdentifiers(request.data(), vexor::obdRequestId(protocol),
                             vexor::obdResponseId(protocol), vexor::obdThirdId(protocol));
    if (m_table.fillRequest(request) == 0)
        return false;

    ObdReply reply;
    const auto started = m_clock();
    const bool answered = device.obdMultiRequest(request, reply);
    const auto took = m_clock() - started;
    if (answered)
        m_table.decode(reply);
    if (!answered || took > kSlowPoll)
        m_table.degrade();
    return answered;
}
