#include "device/LPGDevice.h"

#include "device/BlockIds.h"
#include "device/ProgramImage.h"
#include "device/SerialNumber.h"
#include "device/codecs/BlockCodecs.h"
#include "lang/Translate.h"
#include "platform/StationCode.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

namespace {

using vexor::kReadCommand;

// Selectors of the command-2 requests that are not block reads.
constexpr std::uint8_t kSelHandshake = 0xCC;
constexpr std::uint8_t kSelLpg = 1;
constexpr std::uint8_t kSelGasoline = 2;
constexpr std::uint8_t kSelAuto = 3;
constexpr std::uint8_t kSelErrors = 5;
constexpr std::uint8_t kSelDiag = 6;
constexpr std::uint8_t kSelRestart = 0x0A;
constexpr std::uint8_t kSelCommitMap = 0x13;
constexpr std::uint8_t kSelClearMap = 0x14;
constexpr std::uint8_t kSelInjectorMask = 0x17;
constexpr std::uint8_t kSelObdSetup = 0x1B;
constexpr std::uint8_t kSelClearGasolineMap = 0x1C;
constexpr std::uint8_t kSelClearLpgMap = 0x1D;
constexpr std::uint8_t kSelGasolineMap = 0x1E;
constexpr std::uint8_t kSelLpgMap = 0x1F;
constexpr std::uint8_t kSelObdCorr = 0x23;
constexpr std::uint8_t kSelEndProgramming = 0x60;

// Reply and write commands that are not settings blocks.
constexpr std::uint8_t kDiagReply = 1;
constexpr std::uint8_t kErrorsReply = 6;
constexpr std::uint8_t kMapRegionCommand = 13;
constexpr std::uint8_t kMapCellCommand = 14;
constexpr std::uint8_t kObdSetupCommand = 18;
constexpr std::uint8_t kGasolineMapReply = 19;
constexpr std::uint8_t kLpgMapReply = 20;
constexpr std::uint8_t kObdMultiCommand = 23;
constexpr std::uint8_t kObdReply = 24;
constexpr std::uint8_t kObdCommand = 25;
constexpr std::uint8_t kObdCorrCommand = 27;
constexpr std::uint8_t kEnterProgrammingCommand = 250;
constexpr std::uint8_t kProgramPageCommand = 251;

// Handshake reply: byte 1 names our kind of controller, bytes 2..3 say
// whether it sends live data.
constexpr std::uint8_t kHandshakeSubResult = 13;
constexpr std::uint16_t kLiveDataWord = 0x0055;

constexpr std::uint8_t kWorkModePetrol = CDemoDiag::kPetrol;
constexpr std::uint8_t kWorkModeGas = CDemoDiag::kGas;
constexpr int kMapCellOffset = 100;

// Shown at most once per program run: a foreign device on every scanned port
// must not bury the user in message boxes.
std::atomic<bool> g_connectionNoticeShown{false};

std::uint16_t getU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void putU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

std::string translateText(const std::string& polish) {
    return vexor::translate(polish);
}

} // namespace

CLPGDevice::CLPGDevice(ISerialPort* portOverride)
    : CLPGDeviceErr(translateText), m_link(portOverride ? portOverride : &m_port),
      m_transport(*m_link) {}

CLPGDevice::~CLPGDevice() = default;

void CLPGDevice::resetConnectionNotice() {
    g_connectionNoticeShown = false;
}

void CLPGDevice::showMessage(const std::string& polish, IUserPrompt::Icon icon) const {
    m_seams.message(vexor::translate(polish), icon);
}

// ---------------------------------------------------------------- transactions

bool CLPGDevice::transact(std::uint8_t* buffer, std::uint8_t& length, std::uint8_t& command) {
    return m_transport.transact(buffer, length, command);
}

int CLPGDevice::transactFast(std::uint8_t* buffer, std::uint8_t& length, std::uint8_t& command) {
    return m_transport.transactFast(buffer, length, command);
}

std::uint16_t CLPGDevice::payloadSum(const std::uint8_t* data, std::uint16_t count) {
    return CFrameTransport::payloadSum(data, count);
}

bool CLPGDevice::acknowledged(std::uint8_t command, const std::uint8_t* payload,
                              std::size_t length) {
    if (isDemo())
        return true;
    SReplyRule rule;
    rule.accepted = true;
    CDeviceRequest request(m_transport);
    return request.run(command, payload, length, rule);
}

bool CLPGDevice::acknowledgedRead(std::uint8_t selector, std::uint16_t parameter) {
    if (isDemo())
        return true;
    SReplyRule rule;
    rule.accepted = true;
    CDeviceRequest request(m_transport);
    return request.runRead(selector, parameter, rule);
}

bool CLPGDevice::readBlock(CDeviceRequest& request, std::uint8_t selector,
                           std::uint8_t replyCommand, std::size_t length, bool stopOnWrongReply) {
    SReplyRule rule;
    rule.command = replyCommand;
    rule.minLength = length;
    rule.stopOnWrongReply = stopOnWrongReply;
    return request.runRead(selector, 0, rule);
}

// ---------------------------------------------------------------- identity

bool CLPGDevice::handshake() {
    if (isDemo())
        return true;
    SReplyRule rule;
    rule.accepted = true;
    rule.minLength = 4;
    CDeviceRequest reply(m_transport);
    if (!reply.runRead(kSelHandshake, 0, rule))
        return false;
    if (reply.payload()[1] != kHandshakeSubResult) {
        if (!g_connectionNoticeShown.exchange(true))
            showMessage("Brak połączenia");
        return false;
    }
    m_liveData = getU16(reply.payload() + 2) == kLiveDataWord;
    return true;
}

bool CLPGDevice::readDevInfo() {
    auto& info = m_settings.m_devInfo;
    if (isDemo()) {
        info.m_version = 520;
        info.m_injCount = 8;
        info.m_serial = "xq001";
        info.m_prodDate = "21/06/2009";
        info.m_flags1 = 5;
        return true;
    }
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kDevInfoBlock;
    if (!readBlock(reply, id.selector, id.replyCommand, id.length))
        return false;
    vexor::SerialBytes serial{};
    if (!vexor::decodeDevInfo(reply.payload(), reply.length(), m_settings, serial))
        return false;
    m_raw.store("devinfo", reply.payload(), reply.length());
    info.m_serial = vexor::serialFromDeviceBytes(serial.data());
    return true;
}

bool CLPGDevice::readStatistic() {
    if (isDemo()) {
        m_settings.m_devInfo.m_statistic = {30, 45, 1};
        return true;
    }
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kStatisticBlock;
    return readBlock(reply, id.selector, id.replyCommand, id.length) &&
           vexor::decodeStatistic(reply.payload(), reply.length(), m_settings);
}

// ---------------------------------------------------------------- settings blocks

bool CLPGDevice::readBase() {
    if (isDemo()) {
        m_settings.m_base.m_stationCode = {144, 60, 29, 96};
        return true;
    }
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kBaseBlock;
    if (!readBlock(reply, id.selector, id.replyCommand, id.length) ||
        !vexor::decodeBase(reply.payload(), reply.length(), m_settings))
        return false;
    m_raw.store("base", reply.payload(), reply.length());
    return true;
}

bool CLPGDevice::writeBase() {
    if (isDemo())
        return true;
    vexor::stationCode(m_settings.m_base.m_stationCode.data());
    const auto payload = vexor::encodeBase(m_settings);
    return writeKept("base", vexor::kBaseBlock.writeCommand, payload.data(), payload.size());
}

bool CLPGDevice::readAdv() {
    if (isDemo())
        return true;
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kAdvBlock;
    if (!readBlock(reply, id.selector, id.replyCommand, id.length) ||
        !vexor::decodeAdv(reply.payload(), reply.length(), m_settings))
        return false;
    m_raw.store("adv", reply.payload(), reply.length());
    return true;
}

bool CLPGDevice::writeAdv() {
    const auto payload = vexor::encodeAdv(m_settings);
    return writeKept("adv", vexor::kAdvBlock.writeCommand, payload.data(), payload.size());
}

bool CLPGDevice::readAdvancedSetup() {
    if (isDemo())
        return true;
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kAdvancedSetupBlock;
    if (!readBlock(reply, id.selector, id.replyCommand, id.length) ||
        !vexor::decodeAdvancedSetup(reply.payload(), reply.length(), m_settings))
        return false;
    m_raw.store("advancedsetup", reply.payload(), reply.length());
    const bool cng = (m_settings.m_advancedSetup.m_advancedFlags & vexor::kAdvFlagCng) != 0;
    m_fuelTitle = cng ? "CNG" : "LPG";
    fuelTitleChanged(m_fuelTitle);
    return true;
}

bool CLPGDevice::writeAdvancedSetup() {
    const auto payload = vexor::encodeAdvancedSetup(m_settings);
    return writeKept("advancedsetup", vexor::kAdvancedSetupBlock.writeCommand, payload.data(),
                     payload.size());
}

bool CLPGDevice::readMainCorr() {
    if (isDemo())
        return true;
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kMainCorrBlock;
    if (!readBlock(reply, id.selector, id.replyCommand, id.length, true) ||
        !vexor::decodeMainCorr(reply.payload(), reply.length(), m_settings))
        return false;
    m_raw.store("maincorr", reply.payload(), reply.length());
    return true;
}

bool CLPGDevice::writeMainCorr() {
    const auto payload = vexor::encodeMainCorr(m_settings);
    return writeKept("maincorr", vexor::kMainCorrBlock.writeCommand, payload.data(),
                     payload.size());
}

bool CLPGDevice::readSetupTimes() {
    if (isDemo())
        return true;
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kSetupTimesBlock;
    if (!readBlock(reply, id.selector, id.replyCommand, id.length, true) ||
        !vexor::decodeSetupTimes(reply.payload(), reply.length(), m_settings))
        return false;
    m_raw.store("setuptimes", reply.payload(), reply.length());
    return true;
}

bool CLPGDevice::writeSetupTimes() {
    const auto payload = vexor::encodeSetupTimes(m_settings);
    return writeKept("setuptimes", vexor::kSetupTimesBlock.writeCommand, payload.data(),
                     payload.size());
}

bool CLPGDevice::readSensorsSetup() {
    if (isDemo())
        return true;
    CDeviceRequest reply(m_transport);
    const auto& id = vexor::kSensorsBlock;
    if (!readBlock(reply, id.selector, id.replyCommand, id.length, true) ||
        !vexor::decodeSensorsSetup(reply.payload(), reply.length(), m_settings))
        return false;
    m_raw.store("sensors", reply.payload(), reply.length());
    return true;
}

bool CLPGDevice::writeSensorsSetup() {
    const auto payload = vexor::encodeSensorsSetup(m_settings);
    return writeKept("sensors", vexor::kSensorsBlock.writeCommand, payload.data(), payload.size());
}

// ---------------------------------------------------------------- memory and map

bool CLPGDevice::readMemory(std::uint16_t address, MemoryChunk& data) {
    if (isDemo())
        return true;
    // A chunk for another address would land in the wrong place of the map.
    SReplyRule rule;
    rule.command = vexor::kReadMemoryReply;
    rule.minLength = vexor::kMemoryPayloadLength;
    rule.leadingWord = address;
    CDeviceRequest reply(m_transport);
    if (!reply.runRead(vexor::kReadMemorySelector, address, rule))
        return false;
    std::memcpy(data.data(), reply.payload() + 2, data.size());
    return true;
}

bool CLPGDevice::writeMemory(std::uint16_t address, const MemoryChunk& data) {
    if (address + kMemoryChunk > vexor::kInjMapAddress &&
        address < vexor::kInjMapAddress + vexor::kInjMapAreaLength)
        m_raw.forget("map");
    std::uint8_t payload[vexor::kMemoryPayloadLength];
    putU16(payload, address);
    std::memcpy(payload + 2, data.data(), data.size());
    return acknowledged(vexor::kWriteMemoryCommand, payload, sizeof payload);
}

bool CLPGDevice::readInjMapArea(vexor::InjMapArea& area) {
    for (std::size_t offset = 0; offset < area.size(); offset += kMemoryChunk) {
        MemoryChunk chunk{};
        if (!readMemory(static_cast<std::uint16_t>(vexor::kInjMapAddress + offset), chunk))
            return false;
        std::memcpy(area.data() + offset, chunk.data(), chunk.size());
    }
    return vexor::storedInjMapChecksum(area.data()) == vexor::injMapChecksum(area.data());
}

bool CLPGDevice::readInjMap() {
    if (isDemo())
        return true;
    vexor::InjMapArea area{};
    if (!readInjMapArea(area) || !vexor::decodeInjMap(area.data(), area.size(), m_settings))
        return false;
    m_raw.store("map", area.data(), area.size());
    return true;
}

bool CLPGDevice::writeInjMap() {
    if (isDemo())
        return true;
    const vexor::InjMapArea area = vexor::encodeInjMap(m_settings);
    if (!writeMapArea(area.data()))
        return false;
    m_raw.store("map", area.data(), area.size());
    return true;
}

bool CLPGDevice::writeMapArea(const std::uint8_t* area) {
    for (std::size_t offset = 0; offset < vexor::kInjMapAreaLength; offset += kMemoryChunk) {
        MemoryChunk chunk{};
        std::memcpy(chunk.data(), area + offset, chunk.size());
        if (!writeMemory(static_cast<std::uint16_t>(vexor::kInjMapAddress + offset), chunk))
            return false;
    }
    // The last chunk ends with the check sum: reading it back shows whether
    // the controller kept what was sent.
    const std::size_t lastOffset = vexor::kInjMapAreaLength - kMemoryChunk;
    MemoryChunk last{};
    if (!readMemory(static_cast<std::uint16_t>(vexor::kInjMapAddress + lastOffset), last))
        return false;
    return last[kMemoryChunk - 2] == area[vexor::kInjMapChecksumOffset] &&
           last[kMemoryChunk - 1] == area[vexor::kInjMapChecksumOffset + 1];
}

bool CLPGDevice::writeKept(const char* name, std::uint8_t command, const std::uint8_t* payload,
                           std::size_t length) {
    const bool accepted = acknowledged(command, payload, length);
    if (accepted)
        m_raw.store(name, payload, length);
    else
        m_raw.forget(name); // may have been taken in part
    return accepted;
}

bool CLPGDevice::writeRaw(const SRawBlock& block) {
    const SRawBlock* entry = CRawImage::layoutOf(block.name);
    if (entry == nullptr || entry->writeCommand == 0 || entry->memory != block.memory ||
        entry->where != block.where || entry->writeCommand != block.writeCommand ||
        entry->bytes.size() != block.bytes.size())
        return false;
    if (!block.memory)
        return writeKept(entry->name.c_str(), block.writeCommand, block.bytes.data(),
                         block.bytes.size());
    if (isDemo())
        return true;
    if (!writeMapArea(block.bytes.data()))
        return false;
    m_raw.store(block.name, block.bytes.data(), block.bytes.size());
    return true;
}

// The controller changes its map by itself on these: what it holds now is
// known again only from the next read.
bool CLPGDevice::commitMap() {
    m_raw.forget("map");
    return acknowledgedRead(kSelCommitMap);
}

bool CLPGDevice::clearMap() {
    m_raw.forget("map");
    return acknowledgedRead(kSelClearMap);
}

bool CLPGDevice::mapRegionOp(const vexor::MapRegionRecord& region) {
    using State = vexor::MapRegionState;
    m_regionState = State::Changed;
    m_raw.forget("map"); // whatever the controller now holds is read anew
    if (isDemo())
        return true;
    // A try whose reply is lost, late or refused may still have acted.
    // Sending an add again would add twice, so the map is read before the
    // first try and read back after every try that failed; a set or a clear
    // gives the same map however often it runs, and is only read back once
    // its tries are over.
    const bool accumulates = vexor::regionOpAccumulates(region);
    vexor::InjMapArea before{};
    if (accumulates && !readInjMapArea(before)) {
        m_regionState = State::Unchanged; // nothing was sent
        return false;
    }
    SReplyRule rule;
    rule.accepted = true;
    rule.tries = accumulates ? 1 : kTries;
    const int rounds = accumulates ? kTries : 1;
    for (int round = 0; round < rounds; ++round) {
        CDeviceRequest request(m_transport);
        if (request.run(kMapRegionCommand, region.data(), region.size(), rule))
            return true;
        vexor::InjMapArea now{};
        if (!readInjMapArea(now)) {
            m_regionState = State::Unknown;
            return false;
        }
        // A set or clear is judged on its own cells: what was there before
        // does not decide what it leaves.
        const vexor::InjMapArea result = vexor::regionApplied(accumulates ? before : now, region);
        if (vexor::regionCellsEqual(now, result, region)) {
            if (!request.answered())
                return true; // it acted; only the answer went missing
            // It acted and said no: not sent again, and not done either.
            m_regionState = State::Unconfirmed;
            return false;
        }
        if (accumulates && !vexor::regionCellsEqual(now, before, region)) {
            m_regionState = State::Other;
            return false;
        }
    }
    m_regionState = State::Unchanged;
    return false;
}

bool CLPGDevice::writeMapCell(std::uint8_t first, std::uint8_t second, int value) {
    m_raw.forget("map");
    const int raw = std::clamp(value + kMapCellOffset, 0, 255);
    const std::uint8_t payload[4] = {first, second, static_cast<std::uint8_t>(raw), 0};
    return acknowledged(kMapCellCommand, payload, sizeof payload);
}

// ---------------------------------------------------------------- fuel

bool CLPGDevice::fuelSwitch(std::uint8_t selector) {
    SReplyRule rule;
    rule.pauseBeforeTry = kSwitchPause;
    CDeviceRequest request(m_transport);
    return request.runRead(selector, 0, rule);
}

bool CLPGDevice::switchToLpg() {
    if (isDemo()) {
        m_demoDiag.setFuelState(kWorkModeGas);
        return true;
    }
    return fuelSwitch(kSelLpg);
}

bool CLPGDevice::switchToGasoline() {
    if (isDemo()) {
        m_demoDiag.setFuelState(kWorkModePetrol);
        return true;
    }
    return fuelSwitch(kSelGasoline);
}

bool CLPGDevice::switchToAuto() {
    (void)switchToGasoline();
    if (isDemo())
        return true;
    return fuelSwitch(kSelAuto);
}

bool CLPGDevice::waitForGasoline() {
    if (isDemo()) {
        std::this_thread::sleep_for(kDemoRestartPause);
        m_demoDiag.setFuelState(kWorkModePetrol);
        return true;
    }
    if (!switchToGasoline())
        return false;

    // Poll for as long as the controller takes to move every cylinder back to
    // petrol; a non-finite or negative product (a damaged image) counts as 0.
    const double wanted = m_settings.m_devInfo.m_injCount *
                          vexor::heldEmulatorDelay(m_settings.m_base.m_emulatorDelay) * 1000.0 /
                          kPetrolPollPause.count();
    long budget =
        std::isfinite(wanted) && wanted > 0 ? static_cast<long>(std::min(wanted, 1e6)) : 0;
    budget = std::max<long>(budget, m_minPetrolPolls + 1L);

    std::uint8_t workMode = kWorkModeGas;
    CDiag record;
    while (workMode != kWorkModePetrol) {
        if (budget-- == 1)
            break;
        if (readDiag(record) == kDiagOk)
            workMode = record.workMode();
        std::this_thread::sleep_for(kPetrolPollPause);
        m_seams.pumpEvents();
    }
    return workMode == kWorkModePetrol;
}

bool CLPGDevice::restart() {
    if (!waitForGasoline())
        return false;
    return acknowledgedRead(kSelRestart);
}

bool CLPGDevice::restartAfterProgramming() {
    return acknowledgedRead(kSelRestart);
}

// ---------------------------------------------------------------- live data and faults

int CLPGDevice::readDiag(CDiag& out) {
    if (isDemo()) {
        const auto& sensors = m_settings.m_sensorsSetup;
        m_demoDiag.read(out, m_diagData, sensors.m_temprLPGSensor, sensors.m_temprEngineSensor);
        return kDiagOk;
    }
    std::array<std::uint8_t, vexor::kTransactBufferSize> buffer{};
    buffer[0] = kSelDiag;
    std::uint8_t length = vexor::kReadRequestLength;
    std::uint8_t command = kReadCommand;
    if (m_transport.transactFast(buffer.data(), length, command) != CFrameTransport::kFastOk)
        return kDiagFailed;
    if (command != kDiagReply)
        return kDiagWrongReply;
    out.fromPayload(buffer.data(), length);
    return kDiagOk;
}

bool CLPGDevice::readErrors(CLPGDeviceErr::ErrorBytes& bytes) {
    if (isDemo()) {
        bytes.fill(0);
        return true;
    }
    CDeviceRequest reply(m_transport);
    if (!readBlock(reply, kSelErrors, kErrorsReply, bytes.size()))
        return false;
    std::memcpy(bytes.data(), reply.payload(), bytes.size());
    return true;
}

bool CLPGDevice::setInjectorMask(std::uint8_t mask) {
    return acknowledgedRead(kSelInjectorMask, mask);
}

// ---------------------------------------------------------------- OBD

bool CLPGDevice::obdExchange(std::uint8_t command, const std::uint8_t* payload, std::size_t length,
                             ObdReply& reply) {
    if (isDemo())
        return false;
    SReplyRule rule;
    rule.command = kObdReply;
    rule.tries = 1;
    CDeviceRequest request(m_transport);
    if (!request.run(command, payload, length, rule))
        return false;
    reply.payload.assign(request.payload(), request.payload() + request.length());
    return true;
}

bool CLPGDevice::obdRequest(const vexor::ObdRequest& request, ObdReply& reply) {
    return obdExchange(kObdCommand, request.data(), request.size(), reply);
}

bool CLPGDevice::obdMultiRequest(const vexor::ObdMultiRequest& request, ObdReply& reply) {
    // The item count comes from the caller's record; more items than the
    // record holds would send bytes from beyond it.
    const std::size_t items = std::min<std::size_t>(request[12], vexor::kObdMultiMaxItems);
    return obdExchange(kObdMultiCommand, request.data(), 14 + 4 * items, reply);
}

bool CLPGDevice::readObdSetup(vexor::ObdSetup& setup) {
    if (isDemo()) {
        setup[8] = 1;
        setup[9] = 2;
        return true;
    }
    CDeviceRequest reply(m_transport);
    if (!readBlock(reply, kSelObdSetup, kObdSetupCommand, setup.size()))
        return false;
    std::memcpy(setup.data(), reply.payload(), setup.size());
    return true;
}

bool CLPGDevice::writeObdSetup(const vexor::ObdSetup& setup) {
    return acknowledged(kObdSetupCommand, setup.data(), setup.size());
}

bool CLPGDevice::readObdCorr(vexor::ObdCorr& corr) {
    if (isDemo())
        return true;
    CDeviceRequest reply(m_transport);
    if (!readBlock(reply, kSelObdCorr, kObdCorrCommand, corr.size()))
        return false;
    std::memcpy(corr.data(), reply.payload(), corr.size());
    return true;
}

bool CLPGDevice::writeObdCorr(const vexor::ObdCorr& corr) {
    return acknowledged(kObdCorrCommand, corr.data(), corr.size());
}

// ---------------------------------------------------------------- load maps

bool CLPGDevice::clearGasolineMap() {
    return acknowledgedRead(kSelClearGasolineMap);
}

bool CLPGDevice::clearLpgMap() {
    return acknowledgedRead(kSelClearLpgMap);
}

bool CLPGDevice::readLoadMap(std::uint8_t selector, std::uint8_t replyCommand, LoadMap& map) {
    SReplyRule rule;
    rule.command = replyCommand;
    rule.exactLength = static_cast<int>(LoadMap::kPayloadLength);
    CDeviceRequest reply(m_transport);
    return reply.runRead(selector, 0, rule) &&
           vexor::decodeLoadMap(reply.payload(), reply.length(), map);
}

bool CLPGDevice::readGasolineMap(LoadMap& map) {
    if (isDemo()) {
        map = vexor::demoLoadMap(false);
        return true;
    }
    return readLoadMap(kSelGasolineMap, kGasolineMapReply, map);
}

bool CLPGDevice::readLpgMap(LoadMap& map) {
    if (isDemo()) {
        map = vexor::demoLoadMap(true);
        return true;
    }
    return readLoadMap(kSelLpgMap, kLpgMapReply, map);
}

// ---------------------------------------------------------------- programming

bool CLPGDevice::enterProgramming() {
    if (isDemo())
        return true;
    // New firmware may keep its settings elsewhere or anew.
    m_raw.clear();
    SReplyRule rule;
    rule.accepted = true;
    rule.tries = 1;
    CDeviceRequest request(m_transport);
    return request.run(kEnterProgrammingCommand,
                       reinterpret_cast<const std::uint8_t*>(kProgrammingCode),
                       std::strlen(kProgrammingCode), rule);
}

bool CLPGDevice::programPage(std::uint16_t wordAddress, const std::uint8_t* page) {
    std::uint8_t payload[2 + kProgramPageBytes];
    putU16(payload, wordAddress);
    std::memcpy(payload + 2, page, kProgramPageBytes);
    return acknowledged(kProgramPageCommand, payload, sizeof payload);
}

bool CLPGDevice::programImage(const std::uint8_t* image, std::size_t imageSize, int steps,
                              const ProgressFn& progress) {
    const std::vector<std::uint16_t> plan = vexor::programPagePlan(steps);
    const int total = static_cast<int>(plan.size());
    int done = 0;
    std::uint8_t page[kProgramPageBytes];
    for (const std::uint16_t wordAddress : plan) {
        vexor::copyProgramPage(image, imageSize, wordAddress, page);
        if (!programPage(wordAddress, page))
            return false;
        ++done;
        if (progress)
            progress(done, total);
    }
    return true;
}

bool CLPGDevice::endProgramming() {
    if (isDemo())
        return true;
    SReplyRule rule;
    rule.accepted = true;
    rule.decideOnFirstReply = true;
    CDeviceRequest request(m_transport);
    return request.runRead(kSelEndProgramming, 0, rule);
}
