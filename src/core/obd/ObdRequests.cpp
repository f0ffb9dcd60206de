#include "obd/ObdRequests.h"

#include "obd/ObdIdentifiers.h"

namespace vexor {

namespace {

constexpr std::size_t kCountOffset = 12;
constexpr std::size_t kDataOffset = 13;

void putU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

ObdRequest addressed(std::uint32_t protocol) {
    ObdRequest r{};
    putObdIdentifiers(r.data(), obdRequestId(protocol), obdResponseId(protocol),
                      obdThirdId(protocol));
    return r;
}

} // namespace

void putObdIdentifiers(std::uint8_t* record, std::uint32_t request, std::uint32_t response,
                       std::uint32_t third) {
    putU32(record, request);
    putU32(record + 4, response);
    putU32(record + 8, third);
}

ObdRequest obdServiceRequest(std::uint32_t protocol, std::uint8_t service) {
    ObdRequest r = addressed(protocol);
    r[kCountOffset] = 1;
    r[kDataOffset] = service;
    return r;
}

ObdRequest obdDataRequest(std::uint32_t protocol, std::initializer_list<std::uint8_t> data) {
    ObdRequest r = addressed(protocol);
    std::size_t n = 0;
    for (std::uint8_t byte : data) {
        if (kDataOffset + n >= r.size())
            break;
        r[kDataOffset + n++] = byte;
    }
    r[kCountOffset] = static_cast<std::uint8_t>(n);
    return r;
}

ObdRequest obdPidRequest(std::uint32_t protocol, std::uint8_t pid) {
    ObdRequest r = addressed(protocol);
    r[kCountOffset] = 2;
    r[kDataOffset] = kObdCurrentData;
    r[kDataOffset + 1] = pid;
    return r;
}

std::uint32_t obdEntryUnit(const std::uint8_t* entry) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(entry[kObdEntryUnit + i]) << (8 * i);
    return value;
}

std::uint32_t obdEntryDataWord(const std::uint8_t* entry) {
    const std::uint8_t* a = entry + kObdEntryA;
    return static_cast<std::uint32_t>(a[0]) << 24 | static_cast<std::uint32_t>(a[1]) << 16 |
           static_cast<std::uint32_t>(a[2]) << 8 | a[3];
}

bool obdEntryAnswers(const std::uint8_t* entry, std::uint8_t pid) {
    return entry && entry[kObdEntryService] == kObdCurrentData + kObdAnswerOffset &&
           entry[kObdEntryPid] == pid;
}

const std::uint8_t* obdFirstAnswer(const ObdReply& reply, std::uint8_t pid) {
    const std::uint8_t* first = reply.entry(0);
    return obdEntryAnswers(first, pid) ? first : nullptr;
}

} // namespace vexor
