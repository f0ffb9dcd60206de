#include "SimObd.h"

#include "SimBytes.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kIsoProtocol = 0x7A0;
constexpr uint32_t kFirst29BitId = 2048;
constexpr std::size_t kRequestHead = 12; // three 32-bit bus identifiers
constexpr const char* kCodeLetters = "PCBU";

uint32_t pidBit(uint8_t pid) {
    return 0x80000000u >> (pid - 1);
}

uint8_t trimByte(double percent) {
    return vexor::sim::clampByte(128.0 + percent * 1.28);
}
uint8_t oxygenByte(double volts) {
    return vexor::sim::clampByte(volts / 0.005);
}

int busFamily(uint32_t protocol) {
    if (protocol == kIsoProtocol)
        return 2;
    return protocol >= kFirst29BitId ? 1 : 0;
}
} // namespace

CSimObd::CSimObd() = default;

void CSimObd::setCarBus(uint32_t protocolId, uint8_t speedCode) {
    m_anyBus = false;
    m_busProtocol = protocolId;
    m_busSpeed = speedCode;
}

void CSimObd::setVehicleInfo(std::string vin, std::string calibrationId) {
    m_vin = std::move(vin);
    m_calibrationId = std::move(calibrationId);
}

void CSimObd::setLongTermTrims(double bank1, double bank2) {
    m_longTrim1 = bank1;
    m_longTrim2 = bank2;
}

uint32_t CSimObd::supportedPidMask() const {
    uint32_t mask = 0;
    for (uint8_t pid :
         {0x01, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0C, 0x0D, 0x14, 0x15, 0x18, 0x19, 0x1C})
        mask |= pidBit(pid);
    mask |= pidBit(m_airFlow ? 0x10 : 0x0B);
    return mask;
}

bool CSimObd::busMatches(const std::vector<uint8_t>& setup) const {
    if (m_anyBus)
        return true;
    const uint32_t protocol = vexor::sim::get32(setup.data());
    if (busFamily(protocol) != busFamily(m_busProtocol))
        return false;
    // The K-line protocols have no speed choice; on CAN only 500 kbit/s (code 2) differs.
    return busFamily(protocol) == 2 || (setup[9] == 2) == (m_busSpeed == 2);
}

uint32_t CSimObd::unitIdentifier(const std::vector<uint8_t>& setup) {
    const uint32_t protocol = vexor::sim::get32(setup.data());
    switch (busFamily(protocol)) {
    case 2:
        return 0x7A8;
    case 1:
        return 0x18DAF110; // engine computer at address 0x10 answering the tester F1
    default:
        return 0x7E8;
    }
}

bool CSimObd::currentData(uint8_t pid, const SimObdInputs& e, std::vector<uint8_t>& out) const {
    if (pid != 0 && !(supportedPidMask() & pidBit(pid)))
        return false;
    const double swing = 4.0 * std::sin(2.0 * kPi * e.seconds / 7.0);
    const double gasShift = e.onGas ? 2.5 : 0.0; // the gas mixture runs a little lean
    switch (pid) {
    case 0x00: {
        const uint32_t m = supportedPidMask();
        out = {uint8_t(m >> 24), uint8_t(m >> 16), uint8_t(m >> 8), uint8_t(m)};
        return true;
    }
    case 0x01: {
        const std::size_t n = std::min<std::size_t>(m_codes.size(), 0x7F);
        out = {static_cast<uint8_t>(n | (n ? 0x80 : 0)), m_readiness[0], m_readiness[1],
               m_readiness[2]};
        return true;
    }
    case 0x05:
        out = {130}; // 90 °C
        return true;
    case 0x06:
        out = {trimByte(swing + gasShift)};
        return true;
    case 0x07:
        out = {trimByte(m_longTrim1 + gasShift / 2)};
        return true;
    case 0x08:
        out = {trimByte(-swing + gasShift)};
        return true;
    case 0x09:
        out = {trimByte(m_longTrim2 + gasShift / 2)};
        return true;
    case 0x0B:
        out = {vexor::sim::clampByte(e.manifoldKpa)};
        return true;
    case 0x0C: {
        const auto quarterRpm = static_cast<uint16_t>(std::lround(e.rpm * 4.0));
        out = {uint8_t(quarterRpm >> 8), uint8_t(quarterRpm)};
        return true;
    }
    case 0x0D:
        out = {0};
        return true;
    case 0x10: {
        const double gps = 2.5 + 40.0 * std::max(0.0, e.manifoldKpa - 32.0) / 68.0;
        const auto v = static_cast<uint16_t>(std::lround(gps * 100.0));
        out = {uint8_t(v >> 8), uint8_t(v)};
        return true;
    }
    case 0x14:
        out = {oxygenByte(e.lambda1), 0xFF};
        return true;
    case 0x15:
        out = {oxygenByte(0.65), 0xFF};
        return true;
    case 0x18:
        out = {oxygenByte(e.lambda2), 0xFF};
        return true;
    case 0x19:
        out = {oxygenByte(0.62), 0xFF};
        return true;
    case 0x1C:
        out = {m_standard};
        return true;
    default:
        return false;
    }
}

void CSimObd::troubleCodeFrames(std::vector<Entry>& out) const {
    // A single frame holds 2 codes; a first frame 2 and every continuation frame 3.
    if (out.size() >= kMaxEntries)
        return;
    const std::size_t room = 2 + 3 * (kMaxEntries - 1 - out.size());
    const std::size_t n = std::min(m_codes.size(), room);
    auto putCode = [](std::vector<uint8_t>& data, uint16_t code) {
        data.push_back(static_cast<uint8_t>(code >> 8));
        data.push_back(static_cast<uint8_t>(code));
    };
    if (n <= 2) {
        Entry e;
        e.control = static_cast<uint8_t>(2 + 2 * n);
        e.data = {0x43, static_cast<uint8_t>(n)};
        for (std::size_t i = 0; i < n; ++i)
            putCode(e.data, m_codes[i]);
        out.push_back(e);
        return;
    }
    const std::size_t length = 2 + 2 * n;
    Entry first;
    first.control = static_cast<uint8_t>(0x10 | ((length >> 8) & 0x0F));
    first.data = {static_cast<uint8_t>(length), 0x43, static_cast<uint8_t>(n)};
    putCode(first.data, m_codes[0]);
    putCode(first.data, m_codes[1]);
    out.push_back(first);
    uint8_t sequence = 1;
    for (std::size_t i = 2; i < n; i += 3, ++sequence) {
        Entry next;
        next.control = static_cast<uint8_t>(0x20 | (sequence & 0x0F));
        for (std::size_t k = i; k < std::min(n, i + 3); ++k)
            putCode(next.data, m_codes[k]);
        out.push_back(next);
    }
}

void CSimObd::messageFrames(const std::vector<uint8_t>& message, std::vector<Entry>& out) {
    if (message.size() <= 7) {
        out.push_back(Entry{static_cast<uint8_t>(message.size()), message});
        return;
    }
    const std::size_t length = std::min<std::size_t>(message.size(), 0xFFF);
    Entry first;
    first.control = static_cast<uint8_t>(0x10 | (length >> 8));
    first.data = {static_cast<uint8_t>(length)};
    first.data.insert(first.data.end(), message.begin(), message.begin() + 6);
    out.push_back(first);
    uint8_t sequence = 1;
    for (std::size_t at = 6; at < length; at += 7, ++sequence) {
        Entry next;
        next.control = static_cast<uint8_t>(0x20 | (sequence & 0x0F));
        next.data.assign(message.begin() + static_cast<std::ptrdiff_t>(at),
                         message.begin() + static_cast<std::ptrdiff_t>(std::min(length, at + 7)));
        out.push_back(next);
    }
}

bool CSimObd::freezeData(uint8_t pid, std::vector<uint8_t>& out) const {
    // The values the engine computer kept when the first code was stored: warm engine,
    // steady cruise, mixture running lean enough for the trims to pull rich.
    const bool frame = m_frozen && !m_codes.empty();
    switch (pid) {
    case 0x00: {
        uint32_t mask = 0;
        for (uint8_t p : {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x0B, 0x0C, 0x0D})
            mask |= pidBit(p);
        out = {uint8_t(mask >> 24), uint8_t(mask >> 16), uint8_t(mask >> 8), uint8_t(mask)};
        return true;
    }
    case 0x02:
        out = frame ? std::vector<uint8_t>{uint8_t(m_codes[0] >> 8), uint8_t(m_codes[0])}
                    : std::vector<uint8_t>{0, 0};
        return true;
    default:
        break;
    }
    if (!frame)
        return false;
    switch (pid) {
    case 0x03:
        out = {0x02, 0x00}; // closed loop
        return true;
    case 0x04:
        out = {115}; // 45.1 %
        return true;
    case 0x05:
        out = {128}; // 88 °C
        return true;
    case 0x06:
        out = {140}; // 9.38 %
        return true;
    case 0x07:
        out = {147}; // 14.84 %
        return true;
    case 0x0B:
        out = {54};
        return true;
    case 0x0C:
        out = {0x21, 0x98}; // 2150 rpm
        return true;
    case 0x0D:
        out = {62};
        return true;
    default:
        return false;
    }
}

bool CSimObd::vehicleInfo(uint8_t pid, std::vector<uint8_t>& out) const {
    switch (pid) {
    case 0x00: {
        uint32_t mask = 0;
        if (!m_vin.empty())
            mask |= pidBit(0x02);
        if (!m_calibrationId.empty())
            mask |= pidBit(0x04);
        out = {uint8_t(mask >> 24), uint8_t(mask >> 16), uint8_t(mask >> 8), uint8_t(mask)};
        return true;
    }
    case 0x02:
        if (m_vin.empty())
            return false;
        out = {0x01};
        out.insert(out.end(), m_vin.begin(), m_vin.end());
        return true;
    case 0x04:
        if (m_calibrationId.empty())
            return false;
        out = {0x01};
        out.insert(out.end(), m_calibrationId.begin(), m_calibrationId.end());
        out.resize(1 + 16, 0);
        return true;
    default:
        return false;
    }
}

void CSimObd::serve(const uint8_t* data, std::size_t count, const SimObdInputs& engine,
                    std::vector<Entry>& out) {
    const uint8_t service = data[0];
    const bool hasPid = count >= 2;
    const uint8_t pid = hasPid ? data[1] : 0;
    auto refuse = [&](uint8_t reason) { out.push_back(Entry{3, {0x7F, service, reason}}); };
    if (std::find(m_refused.begin(), m_refused.end(), service) != m_refused.end()) {
        refuse(0x11);
        return;
    }
    switch (service) {
    case 0x01: {
        std::vector<uint8_t> answer;
        if (hasPid && currentData(pid, engine, answer)) {
            Entry e;
            e.control = static_cast<uint8_t>(2 + answer.size());
            e.data = {0x41, pid};
            e.data.insert(e.data.end(), answer.begin(), answer.end());
            out.push_back(e);
        }
        break;
    }
    case 0x02: {
        // PID and frame number; only frame 0 exists.
        std::vector<uint8_t> answer;
        if (count >= 3 && data[2] == 0 && freezeData(pid, answer)) {
            std::vector<uint8_t> message = {0x42, pid, 0x00};
            message.insert(message.end(), answer.begin(), answer.end());
            messageFrames(message, out);
        }
        break;
    }
    case 0x03:
        troubleCodeFrames(out);
        break;
    case 0x04:
        m_codes.clear();
        m_pending.clear();
        m_frozen = false;
        ++m_clears;
        out.push_back(Entry{1, {0x44}});
        break;
    case 0x07:
    case 0x0A: {
        const std::vector<uint16_t>& codes = service == 0x07 ? m_pending : m_permanent;
        std::vector<uint8_t> message = {static_cast<uint8_t>(service + 0x40),
                                        static_cast<uint8_t>(codes.size())};
        for (uint16_t code : codes) {
            message.push_back(static_cast<uint8_t>(code >> 8));
            message.push_back(static_cast<uint8_t>(code));
        }
        messageFrames(message, out);
        break;
    }
    case 0x09: {
        std::vector<uint8_t> answer;
        if (!hasPid || !vehicleInfo(pid, answer)) {
            refuse(0x12);
            break;
        }
        std::vector<uint8_t> message = {0x49, pid};
        message.insert(message.end(), answer.begin(), answer.end());
        messageFrames(message, out);
        break;
    }
    default:
        break; // services the engine computer does not offer stay unanswered
    }
}

std::vector<uint8_t> CSimObd::answer(uint8_t command, const std::vector<uint8_t>& request,
                                     const std::vector<uint8_t>& setup,
                                     const SimObdInputs& engine) {
    std::vector<Entry> entries;
    const bool linkUp = setup.size() >= 12 && setup[8] == 1 && busMatches(setup);
    if (linkUp && request.size() > kRequestHead) {
        const std::size_t n = request[kRequestHead];
        if (command == 25) {
            // One request: n data bytes (service, PID) from byte 13.
            if (n >= 1 && request.size() >= kRequestHead + 1 + n)
                serve(request.data() + 13, n, engine, entries);
        } else {
            // n items of 4 bytes (data count, service, PID, 0). They follow the count byte;
            // a sender that leaves one byte free after the count is understood too.
            std::size_t base = kRequestHead + 1;
            if (request.size() > base + 2 && request[base] != 2 && request[base + 1] == 2)
                ++base;
            for (std::size_t i = 0; i < n && base + 4 * i + 2 < request.size(); ++i) {
                const uint8_t* item = request.data() + base + 4 * i;
                if (item[0] >= 1)
                    serve(item + 1, std::min<std::size_t>(item[0], 3), engine, entries);
            }
        }
    }
    if (entries.size() > kMaxEntries)
        entries.resize(kMaxEntries);

    std::vector<uint8_t> out;
    vexor::sim::append16(out, static_cast<uint16_t>(entries.size()));
    const uint32_t unit = setup.size() >= 4 ? unitIdentifier(setup) : 0x7E8;
    for (Entry& e : entries) {
        vexor::sim::append32(out, unit);
        out.push_back(e.control);
        e.data.resize(7, 0);
        out.insert(out.end(), e.data.begin(), e.data.end());
    }
    out.resize(6 + kEntrySize * entries.size(), 0);
    return out;
}

std::optional<uint16_t> CSimObd::parseTroubleCode(std::string_view text) {
    if (text.size() != 5)
        return std::nullopt;
    const char* letter = std::char_traits<char>::find(
        kCodeLetters, 4, static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
    if (!letter)
        return std::nullopt;
    uint16_t value = static_cast<uint16_t>((letter - kCodeLetters) << 14);
    for (std::size_t i = 1; i < 5; ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        if (i == 1 && digit > 3)
            return std::nullopt;
        value = static_cast<uint16_t>(value | (digit << (4 * (4 - i))));
    }
    return value;
}

std::string CSimObd::formatTroubleCode(uint16_t code) {
    static const char* hex = "0123456789ABCDEF";
    std::string s;
    s += kCodeLetters[code >> 14];
    s += hex[(code >> 12) & 0x3];
    s += hex[(code >> 8) & 0xF];
    s += hex[(code >> 4) & 0xF];
    s += hex[code & 0xF];
    return s;
}
