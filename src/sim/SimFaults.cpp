#include "SimFaults.h"

#include "SimBytes.h"

namespace {
constexpr int kHandshakeSelector = 0xCC;
}

void SimReplyPlan::applyTo(CSimFrame& reply, int requestSelector) const {
    std::vector<uint8_t>& p = reply.payload();
    if (reply.command() == 2) {
        if (p.size() < 6)
            p.resize(6, 0);
        if (ackResult)
            p[0] = *ackResult;
        if (statusWord)
            vexor::sim::put16(p.data() + 4, *statusWord);
        if (requestSelector == kHandshakeSelector) {
            if (handshakeSubResult)
                p[1] = *handshakeSubResult;
            if (liveDataWord)
                vexor::sim::put16(p.data() + 2, *liveDataWord);
        }
    }
    if (payloadLength)
        p.resize(*payloadLength, 0);
    if (replyCommand)
        reply.setCommand(*replyCommand);
}

bool CSimFaults::Rule::hit(uint8_t command, int selector) {
    if (!on || times == 0 || !match.matches(command, selector))
        return false;
    if (times > 0 && --times == 0)
        on = false;
    return true;
}

void CSimFaults::setSilent(SimMatch match) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_silentMode = SilentMode::Always;
    m_silentMatch = match;
}

void CSimFaults::setSilentFirst(int k, SimMatch match) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_silentMode = k > 0 ? SilentMode::First : SilentMode::Off;
    m_silentMatch = match;
    m_silentN = k;
    m_silentSeen = 0;
}

void CSimFaults::setSilentEvery(int n, SimMatch match) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_silentMode = n > 0 ? SilentMode::Every : SilentMode::Off;
    m_silentMatch = match;
    m_silentN = n;
    m_silentSeen = 0;
}

void CSimFaults::setBadChecksum(SimMatch match, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_badChecksum = Rule{times != 0, match, times};
}

void CSimFaults::setWrongCommand(uint8_t replyCommand, SimMatch match, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_wrongCommand = Rule{times != 0, match, times};
    m_wrongCommandValue = replyCommand;
}

void CSimFaults::setStatusWord(uint16_t word, SimMatch match, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_statusWord = Rule{times != 0, match, times};
    m_statusWordValue = word;
}

void CSimFaults::setAckResult(uint8_t result, SimMatch match, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ackResult = Rule{times != 0, match, times};
    m_ackResultValue = result;
}

void CSimFaults::setHandshakeSubResult(uint8_t value) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_handshakeSubResult = value;
}

void CSimFaults::setLiveDataWord(uint16_t word) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_liveDataWord = word;
}

void CSimFaults::setReplyLength(std::size_t length, SimMatch match, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_replyLength = Rule{times != 0, match, times};
    m_replyLengthValue = length;
}

void CSimFaults::setSplitReply(std::size_t firstBytes, std::chrono::milliseconds pause,
                               SimMatch match, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_split = Rule{times != 0, match, times};
    m_splitAt = firstBytes;
    m_splitPause = pause;
}

void CSimFaults::setReplyDelay(std::chrono::milliseconds delay, SimMatch match, int times) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_delay = Rule{times != 0, match, times};
    m_delayValue = delay;
}

void CSimFaults::setHangUpOnRequest(int n, SimMatch match) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_hangUp = Rule{n > 0, match, -1};
    m_hangUpCountdown = n;
}

void CSimFaults::setPaceBaud(unsigned baud) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_paceBaud = baud;
}

unsigned CSimFaults::paceBaud() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_paceBaud;
}

void CSimFaults::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    const unsigned pace = m_paceBaud;
    m_silentMode = SilentMode::Off;
    m_badChecksum = Rule{};
    m_wrongCommand = Rule{};
    m_statusWord = Rule{};
    m_ackResult = Rule{};
    m_handshakeSubResult.reset();
    m_liveDataWord.reset();
    m_replyLength = Rule{};
    m_split = Rule{};
    m_delay = Rule{};
    m_hangUp = Rule{};
    m_hangUpCountdown = 0;
    m_paceBaud = pace;
}

SimReplyPlan CSimFaults::plan(uint8_t command, int selector) {
    std::lock_guard<std::mutex> lock(m_mutex);
    SimReplyPlan plan;
    plan.paceBaud = m_paceBaud;

    if (m_hangUp.on && m_hangUp.match.matches(command, selector) && --m_hangUpCountdown <= 0) {
        m_hangUp.on = false;
        plan.hangUp = true;
        return plan;
    }
    if (m_silentMode != SilentMode::Off && m_silentMatch.matches(command, selector)) {
        ++m_silentSeen;
        switch (m_silentMode) {
        case SilentMode::Always:
            plan.silent = true;
            break;
        case SilentMode::First:
            plan.silent = m_silentSeen <= m_silentN;
            if (m_silentSeen >= m_silentN)
                m_silentMode = SilentMode::Off;
            break;
        case SilentMode::Every:
            plan.silent = m_silentSeen % m_silentN == 0;
            break;
        case SilentMode::Off:
            break;
        }
        if (plan.silent)
            return plan;
    }
    plan.badChecksum = m_badChecksum.hit(command, selector);
    if (m_wrongCommand.hit(command, selector))
        plan.replyCommand = m_wrongCommandValue;
    if (m_statusWord.hit(command, selector))
        plan.statusWord = m_statusWordValue;
    if (m_ackResult.hit(command, selector))
        plan.ackResult = m_ackResultValue;
    plan.handshakeSubResult = m_handshakeSubResult;
    plan.liveDataWord = m_liveDataWord;
    if (m_replyLength.hit(command, selector))
        plan.payloadLength = m_replyLengthValue;
    if (m_split.hit(command, selector)) {
        plan.splitAt = m_splitAt;
        plan.splitPause = m_splitPause;
    }
    if (m_delay.hit(command, selector))
        plan.delay = m_delayValue;
    return plan;
}
