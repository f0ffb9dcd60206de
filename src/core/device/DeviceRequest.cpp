#include "device/DeviceRequest.h"

#include <cstring>
#include <thread>

bool CDeviceRequest::passes(std::uint8_t length, std::uint8_t command,
                            const SReplyRule& rule) const {
    if (command != rule.command || length < rule.minLength)
        return false;
    if (rule.exactLength >= 0 && length != rule.exactLength)
        return false;
    if (rule.accepted && m_buffer[0] != vexor::kAckAccepted)
        return false;
    if (rule.leadingWord) {
        const auto word = static_cast<std::uint16_t>(m_buffer[0] | (m_buffer[1] << 8));
        if (length < 2 || word != *rule.leadingWord)
            return false;
    }
    return true;
}

bool CDeviceRequest::run(std::uint8_t command, const std::uint8_t* payload, std::size_t length,
                         const SReplyRule& rule) {
    if (length > 255)
        return false;
    for (int attempt = 0; attempt < rule.tries; ++attempt) {
        if (rule.pauseBeforeTry.count() > 0)
            std::this_thread::sleep_for(rule.pauseBeforeTry);
        m_buffer.fill(0);
        if (length > 0)
            std::memcpy(m_buffer.data(), payload, length);
        auto replyLength = static_cast<std::uint8_t>(length);
        std::uint8_t replyCommand = command;
        m_answered = m_transport.transact(m_buffer.data(), replyLength, replyCommand);
        if (!m_answered)
            continue;
        if (replyCommand != rule.command && rule.stopOnWrongReply)
            return false;
        if (passes(replyLength, replyCommand, rule)) {
            m_length = replyLength;
            m_command = replyCommand;
            return true;
        }
        if (rule.decideOnFirstReply)
            return false;
    }
    return false;
}

bool CDeviceRequest::runRead(std::uint8_t selector, std::uint16_t parameter,
                             const SReplyRule& rule) {
    const std::uint8_t request[vexor::kReadRequestLength] = {
        selector,
        0,
        static_cast<std::uint8_t>(parameter & 0xFF),
        static_cast<std::uint8_t>(parameter >> 8),
        0,
        0};
    return run(vexor::kReadCommand, request, sizeof request, rule);
}
