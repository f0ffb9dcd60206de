#include "device/TelnetCodec.h"

std::vector<uint8_t> CTelnetCodec::greeting() {
    std::vector<uint8_t> out;
    auto ask = [&](uint8_t verb, uint8_t option) {
        out.insert(out.end(), {kIac, verb, option});
        (verb == kWill ? m_usAsked : m_themAsked)[option] = true;
    };
    ask(kWill, kOptComPort);
    ask(kWill, kOptBinary);
    ask(kDo, kOptBinary);
    ask(kWill, kOptSuppressGoAhead);
    ask(kDo, kOptSuppressGoAhead);
    return out;
}

void CTelnetCodec::escape(const uint8_t* data, int count, std::vector<uint8_t>& out) {
    for (int i = 0; i < count; ++i) {
        out.push_back(data[i]);
        if (data[i] == kIac)
            out.push_back(kIac);
    }
}

std::vector<uint8_t> CTelnetCodec::comPortCommand(uint8_t command,
                                                  const std::vector<uint8_t>& value) {
    std::vector<uint8_t> out{kIac, kSb, kOptComPort, command};
    escape(value.data(), static_cast<int>(value.size()), out);
    out.insert(out.end(), {kIac, kSe});
    return out;
}

bool CTelnetCodec::weSupport(uint8_t option) {
    return option == kOptComPort || option == kOptBinary || option == kOptSuppressGoAhead;
}

bool CTelnetCodec::theySupport(uint8_t option) {
    // Not echo: the controller's replies must come back as they are.
    return option == kOptBinary || option == kOptSuppressGoAhead;
}

void CTelnetCodec::receive(const uint8_t* bytes, int count, std::deque<uint8_t>& data,
                           std::vector<uint8_t>& reply) {
    for (int i = 0; i < count; ++i) {
        const uint8_t b = bytes[i];
        switch (m_state) {
        case State::Data:
            if (b == kIac)
                m_state = State::Iac;
            else
                data.push_back(b);
            break;
        case State::Iac:
            if (b == kIac) {
                data.push_back(kIac);
                m_state = State::Data;
            } else if (b == kWill || b == kWont || b == kDo || b == kDont) {
                m_verb = b;
                m_state = State::Verb;
            } else if (b == kSb) {
                m_sub.clear();
                m_state = State::Sub;
            } else {
                // NOP, go-ahead, break and the like carry nothing for us.
                m_state = State::Data;
            }
            break;
        case State::Verb:
            handleVerb(m_verb, b, reply);
            m_state = State::Data;
            break;
        case State::Sub:
            if (b == kIac)
                m_state = State::SubIac;
            else if (m_sub.size() < 64) // a runaway negotiation is not kept
                m_sub.push_back(b);
            break;
        case State::SubIac:
            if (b == kIac) {
                if (m_sub.size() < 64)
                    m_sub.push_back(kIac);
                m_state = State::Sub;
            } else if (b == kSe) {
                handleSub();
                m_state = State::Data;
            } else {
                // A command inside an unterminated negotiation: the
                // negotiation is dropped and the command taken as such.
                m_state = State::Iac;
                --i;
            }
            break;
        }
    }
}

void CTelnetCodec::handleVerb(uint8_t verb, uint8_t option, std::vector<uint8_t>& reply) {
    auto send = [&](uint8_t v) { reply.insert(reply.end(), {kIac, v, option}); };
    switch (verb) {
    case kDo:
        if (!weSupport(option)) {
            send(kWont);
        } else if (!m_usOn[option]) {
            m_usOn[option] = true;
            if (!m_usAsked[option])
                send(kWill);
        }
        m_usAsked[option] = false;
        break;
    case kDont:
        if (option == kOptComPort)
            m_comPortRefused = true;
        if (m_usOn[option] && !m_usAsked[option])
            send(kWont);
        m_usOn[option] = false;
        m_usAsked[option] = false;
        break;
    case kWill:
        if (!theySupport(option)) {
            send(kDont);
        } else if (!m_themOn[option]) {
            m_themOn[option] = true;
            if (!m_themAsked[option])
                send(kDo);
        }
        m_themAsked[option] = false;
        break;
    case kWont:
        if (m_themOn[option] && !m_themAsked[option])
            send(kDont);
        m_themOn[option] = false;
        m_themAsked[option] = false;
        break;
    default:
        break;
    }
}

void CTelnetCodec::handleSub() {
    if (m_sub.size() < 2 || m_sub[0] != kOptComPort)
        return;
    const uint8_t command = m_sub[1];
    if (command <= kServerOffset || command - kServerOffset >= static_cast<int>(m_answers.size()))
        return;
    m_answers[command - kServerOffset] = std::vector<uint8_t>(m_sub.begin() + 2, m_sub.end());
}

std::optional<std::vector<uint8_t>> CTelnetCodec::answer(uint8_t command) const {
    if (command >= m_answers.size())
        return std::nullopt;
    return m_answers[command];
}

void CTelnetCodec::forgetAnswers() {
    for (auto& a : m_answers)
        a.reset();
}
