#include "SimController.h"

#include "SimBytes.h"

#include <algorithm>
#include <cstring>
#include <fstream>

using vexor::sim::get16;
using vexor::sim::put16;

namespace {
constexpr uint8_t kAccepted = 4;
constexpr uint8_t kRefused = 0;
constexpr uint8_t kHandshakeSubResult = 13;
constexpr uint16_t kLiveDataAvailable = 0x0055;
constexpr std::size_t kMemoryChunk = 32;
constexpr std::size_t kPageSize = 128;
constexpr uint8_t kCellZero = 100; // map cells travel as value + 100
constexpr uint8_t kCellMin = 50;
constexpr uint8_t kCellMax = 150;
constexpr std::chrono::milliseconds kCounterUnit{500}; // the work-time counters count 0.5 s

enum : uint8_t {
    kBaseCmd = 3,
    kAdvCmd = 4,
    kSetupTimesCmd = 7,
    kSensorsCmd = 9,
    kMainCorrCmd = 15,
    kObdSetupCmd = 18,
    kAdvancedSetupCmd = 26,
    kObdCorrCmd = 27,
};

uint8_t clampCell(int v) {
    return static_cast<uint8_t>(std::clamp<int>(v, kCellMin, kCellMax));
}
} // namespace

const std::vector<SimBlockLayout>& CSimController::blockLayouts() {
    static const std::vector<SimBlockLayout> layouts = {
        {7, kBaseCmd, 28, "base"},
        {8, kAdvCmd, 21, "advanced"},
        {0x22, kAdvancedSetupCmd, 30, "advanced setup"},
        {0x16, kMainCorrCmd, 16, "main correction"},
        {0x0C, kSetupTimesCmd, 42, "setup times"},
        {0x0E, kSensorsCmd, 28, "sensors"},
        {0x1B, kObdSetupCmd, 12, "OBD setup"},
        {0x23, kObdCorrCmd, 18, "OBD correction"},
    };
    return layouts;
}

const SimBlockLayout* CSimController::blockBySelector(uint8_t selector) {
    for (const SimBlockLayout& s : blockLayouts())
        if (s.selector == selector)
            return &s;
    return nullptr;
}

const SimBlockLayout* CSimController::blockByCommand(uint8_t command) {
    for (const SimBlockLayout& s : blockLayouts())
        if (s.command == command)
            return &s;
    return nullptr;
}

std::vector<uint8_t> CSimController::factoryBlock(uint8_t command) {
    // Factory settings as the controller stores them: 1200 rpm switch-over, 35 °C, 30 s
    // delay, 60 kPa minimum and 100 kPa working pressure, sequential injectors, 2.2 kOhm
    // temperature sensors, 400 kPa manifold sensor, zero injection map.
    switch (command) {
    case kBaseCmd:
        return {0xA0, 0x0F, 0x00, 0x00, 1,   71, 54, 60, 0x58, 0x02, 0xAE, 0x02, 0x90, 112,
                10,   4,    138,  3,    138, 28, 20, 32, 85,   0,    0,    0,    0,    0};
    case kAdvCmd:
        return {1,    160,  40,   80,   60,   36, 0, 0,   0x01, 0x02, 0x04,
                0x08, 0x10, 0x20, 0x40, 0x80, 0,  3, 163, 0,    0};
    case kAdvancedSetupCmd: {
        std::vector<uint8_t> b(30, 0);
        put16(b.data() + 8, 9600); // 500 rpm as an ignition period
        b[11] = 40;                // 20 s enrichment time
        b[12] = 0x10;              // 400 kPa manifold sensor
        return b;
    }
    case kMainCorrCmd: {
        std::vector<uint8_t> b(16, 0);
        for (int i = 0; i < 8; ++i)
            put16(b.data() + 2 * i, 250); // 1.0 ms in 0.004 ms steps
        return b;
    }
    case kSetupTimesCmd: {
        std::vector<uint8_t> b(42, 100);
        b[40] = 0;
        b[41] = 0;
        return b;
    }
    case kSensorsCmd: {
        std::vector<uint8_t> b(28, 0);
        b[0] = 130;
        b[1] = 126;
        b[2] = 117;
        b[3] = 114;
        b[6] = 1;                                      // lambda type
        std::fill(b.begin() + 10, b.begin() + 25, 26); // 0.51 V emulator table
        b[25] = 1;
        b[26] = 1;
        b[27] = 1;
        return b;
    }
    case kObdSetupCmd:
        // CAN 11-bit (0x7DF, answers 0x7E0), link on, 500 kbit/s.
        return {0xDF, 0x07, 0, 0, 0xE0, 0x07, 0, 0, 1, 2, 8, 0};
    case kObdCorrCmd: {
        std::vector<uint8_t> b(18, 0);
        b[1] = 10; // 5 s update period
        b[2] = 15; // 15 % at most
        return b;
    }
    default:
        return {};
    }
}

CSimController::CSimController(const SimConfig& config)
    : m_config(config), m_clock([] { return Clock::now(); }), m_engine(config.seed),
      m_memory(kMemorySize, 0), m_image(kImageSize, 0xFF) {
    for (const SimBlockLayout& s : blockLayouts())
        m_blocks.push_back(factoryBlock(s.command));
    m_blockWrites.assign(blockLayouts().size(), 0);
    std::memset(mapBytes(), kCellZero, kMapRows * kMapColumns);
    mapBytes()[285] = 0;
    recomputeMapChecksum();
    m_obd.setTroubleCodes(config.troubleCodes);
    m_obd.setPendingCodes(config.pendingCodes);
    m_obd.setPermanentCodes(config.permanentCodes);
    m_obd.setVehicleInfo(config.vin, config.calibrationId);
    m_obd.setReadiness(config.readiness);
    m_obd.setRefusedServices(config.refusedServices);
    m_engine.setTimeBase(now());
}

void CSimController::setClock(std::function<Clock::time_point()> clock) {
    // Pending switches keep the time they had left; the engine carries on from the new now.
    const Clock::time_point before = now();
    m_clock = std::move(clock);
    const Clock::time_point after = now();
    for (std::optional<Clock::time_point>* at : {&m_gasAt, &m_petrolAt})
        if (*at)
            **at = after + (**at - before);
    m_engine.setTimeBase(after);
}

CSimController::Clock::time_point CSimController::now() const {
    return m_clock();
}

// ---------------------------------------------------------------- identity, counters

void CSimController::setSerialText(const std::string& text) {
    m_config.serialText = text;
    m_config.serialBlock.reset();
}

void CSimController::setSerialBlock(const std::array<uint8_t, 16>& block) {
    m_config.serialBlock = block;
}

std::array<uint8_t, 16> CSimController::serialField() const {
    if (m_config.serialBlock)
        return *m_config.serialBlock;
    std::array<uint8_t, 16> field{};
    // Byte 15 stays 0: that is how a reader tells plain text from an enciphered block.
    const std::size_t n = std::min<std::size_t>(m_config.serialText.size(), 15);
    std::memcpy(field.data(), m_config.serialText.data(), n);
    return field;
}

void CSimController::setFlags(uint32_t flags1, uint32_t flags2) {
    m_config.flags1 = flags1;
    m_config.flags2 = flags2;
}

std::vector<uint8_t> CSimController::deviceInfo() const {
    std::vector<uint8_t> p;
    vexor::sim::append32(p, m_config.flags1);
    vexor::sim::append32(p, m_config.flags2);
    vexor::sim::append16(p, m_config.productionDay);
    vexor::sim::append16(p, m_config.version);
    const std::array<uint8_t, 16> serial = serialField();
    p.insert(p.end(), serial.begin(), serial.end());
    p.push_back(m_config.injectorCount);
    p.push_back(m_config.deviceId);
    return p;
}

void CSimController::setStatistics(uint32_t petrol, uint32_t gas, uint16_t modify) {
    m_petrolCounterBase = petrol;
    m_gasCounterBase = gas;
    m_modifyCounter = modify;
    m_petrolTimeAtBase = m_engine.petrolTime();
    m_gasTimeAtBase = m_engine.gasTime();
}

uint32_t CSimController::petrolCounter() const {
    return m_petrolCounterBase +
           static_cast<uint32_t>((m_engine.petrolTime() - m_petrolTimeAtBase) / kCounterUnit);
}

uint32_t CSimController::gasCounter() const {
    return m_gasCounterBase +
           static_cast<uint32_t>((m_engine.gasTime() - m_gasTimeAtBase) / kCounterUnit);
}

// ---------------------------------------------------------------- blocks, memory, map

std::vector<uint8_t> CSimController::block(uint8_t command) const {
    const auto& layouts = blockLayouts();
    for (std::size_t i = 0; i < layouts.size(); ++i)
        if (layouts[i].command == command)
            return m_blocks[i];
    return {};
}

void CSimController::setBlock(uint8_t command, const std::vector<uint8_t>& bytes) {
    const auto& layouts = blockLayouts();
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        if (layouts[i].command != command)
            continue;
        m_blocks[i].assign(layouts[i].length, 0);
        std::copy_n(bytes.begin(), std::min(bytes.size(), layouts[i].length), m_blocks[i].begin());
    }
}

int CSimController::blockWriteCount(uint8_t command) const {
    const auto& layouts = blockLayouts();
    for (std::size_t i = 0; i < layouts.size(); ++i)
        if (layouts[i].command == command)
            return m_blockWrites[i];
    return 0;
}

std::vector<uint8_t> CSimController::memory(uint16_t address, std::size_t count) const {
    std::vector<uint8_t> out(count, 0);
    for (std::size_t i = 0; i < count && address + i < kMemorySize; ++i)
        out[i] = m_memory[address + i];
    return out;
}

void CSimController::setMemory(uint16_t address, const std::vector<uint8_t>& bytes) {
    for (std::size_t i = 0; i < bytes.size() && address + i < kMemorySize; ++i)
        m_memory[address + i] = bytes[i];
}

std::vector<uint8_t> CSimController::mapArea() const {
    return memory(kMapAddress, kMapAreaSize);
}

int CSimController::mapCell(int row, int column) const {
    return mapBytes()[row * kMapColumns + column] - kCellZero;
}

void CSimController::setMapCell(int row, int column, int value) {
    if (row < 0 || row >= kMapRows || column < 0 || column >= kMapColumns)
        return;
    mapBytes()[row * kMapColumns + column] = clampCell(value + kCellZero);
    recomputeMapChecksum();
}

uint8_t CSimController::mapFlags() const {
    return mapBytes()[285];
}

uint16_t CSimController::mapChecksum(const uint8_t* area) {
    uint32_t sum = 1;
    for (std::size_t i = 0; i < 286; ++i)
        sum += area[i];
    return static_cast<uint16_t>(sum);
}

bool CSimController::mapChecksumValid() const {
    const uint8_t* a = mapBytes();
    return mapChecksum(a) == static_cast<uint16_t>((a[286] << 8) | a[287]);
}

void CSimController::recomputeMapChecksum() {
    uint8_t* a = mapBytes();
    const uint16_t sum = mapChecksum(a);
    a[286] = static_cast<uint8_t>(sum >> 8); // the only value the controller keeps high byte first
    a[287] = static_cast<uint8_t>(sum);
}

// ---------------------------------------------------------------- fuel and engine

void CSimController::update() {
    const Clock::time_point t = now();
    if (m_gasAt && t >= *m_gasAt) {
        m_onGas = true;
        m_gasAt.reset();
    }
    if (m_petrolAt && t >= *m_petrolAt) {
        m_onGas = false;
        m_petrolAt.reset();
    }
    m_engine.advanceTo(t, engineInputs());
}

uint8_t CSimController::workMode() {
    update();
    return m_onGas ? 3 : 2;
}

void CSimController::forceFuel(bool gas) {
    m_onGas = gas;
    m_gasAt.reset();
    m_petrolAt.reset();
    m_fuelRequest = gas ? FuelRequest::Gas : FuelRequest::Petrol;
}

SimEngineInputs CSimController::engineInputs() const {
    const std::vector<uint8_t> setup = block(kAdvancedSetupCmd);
    SimEngineInputs in;
    in.onGas = m_onGas;
    in.switchPending = m_gasAt.has_value();
    in.absoluteManifoldSensor = (setup[12] & 0x10) || (setup[13] & 0x01);
    in.injectorCount = m_config.injectorCount;
    in.injectorMask = m_injectorMask;
    in.mapArea = mapBytes();
    return in;
}

std::vector<uint8_t> CSimController::liveRecord() {
    update();
    return m_engine.liveRecord(engineInputs());
}

// ---------------------------------------------------------------- programming

std::vector<uint8_t> CSimController::programmedImage() const {
    std::size_t end = 0;
    for (uint16_t word : m_programmedPages)
        end = std::max(end, std::min<std::size_t>(2u * word + kPageSize, kImageSize));
    return std::vector<uint8_t>(m_image.begin(),
                                m_image.begin() + static_cast<std::ptrdiff_t>(end));
}

bool CSimController::dumpImage(const std::string& path) const {
    const std::vector<uint8_t> bytes = programmedImage();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void CSimController::setProgrammingEndHandler(std::function<void(const CSimController&)> handler) {
    m_onProgrammingEnd = std::move(handler);
}

// ---------------------------------------------------------------- request dispatch

CSimFrame CSimController::ack(uint8_t result, uint8_t subResult) {
    return CSimFrame(2, {result, subResult, 0, 0, 0, 0});
}

const std::vector<CSimController::SelectorEntry>& CSimController::selectorTable() {
    static const std::vector<SelectorEntry> table = {
        {0xCC, &CSimController::onHandshake},    {0x0D, &CSimController::onDeviceInfo},
        {0x11, &CSimController::onStatistics},   {0x0B, &CSimController::onReadMemory},
        {0x13, &CSimController::onCommitMap},    {0x14, &CSimController::onClearMap},
        {0x01, &CSimController::onGas},          {0x02, &CSimController::onPetrol},
        {0x03, &CSimController::onAuto},         {0x05, &CSimController::onReadErrors},
        {0x0A, &CSimController::onRestart},      {0x06, &CSimController::onLive},
        {0x17, &CSimController::onInjectorMask}, {0x1C, &CSimController::onClearLoadMap},
        {0x1D, &CSimController::onClearLoadMap}, {0x1E, &CSimController::onReadLoadMap},
        {0x1F, &CSimController::onReadLoadMap},  {0x60, &CSimController::onEndProgramming},
    };
    return table;
}

const std::vector<CSimController::CommandEntry>& CSimController::commandTable() {
    static const std::vector<CommandEntry> table = {
        {5, &CSimController::onWriteMemory},   {13, &CSimController::onMapRegion},
        {14, &CSimController::onMapCell},      {23, &CSimController::onObd},
        {25, &CSimController::onObd},          {250, &CSimController::onAccessCode},
        {251, &CSimController::onProgramPage},
    };
    return table;
}

std::optional<CSimFrame> CSimController::handle(const CSimFrame& request) {
    update();
    if (request.command() == 2) {
        if (request.payload().empty())
            return std::nullopt;
        const uint8_t selector = request.payload()[0];
        for (const SelectorEntry& e : selectorTable())
            if (e.selector == selector)
                return (this->*e.handler)(request);
        if (blockBySelector(selector))
            return onReadBlock(request);
        return std::nullopt;
    }
    for (const CommandEntry& e : commandTable())
        if (e.command == request.command())
            return (this->*e.handler)(request);
    if (blockByCommand(request.command()))
        return onWriteBlock(request);
    return std::nullopt;
}

std::optional<CSimFrame> CSimController::onHandshake(const CSimFrame&) {
    CSimFrame reply = ack(kAccepted, kHandshakeSubResult);
    put16(reply.payload().data() + 2, kLiveDataAvailable);
    return reply;
}

std::optional<CSimFrame> CSimController::onDeviceInfo(const CSimFrame&) {
    return CSimFrame(8, deviceInfo());
}

std::optional<CSimFrame> CSimController::onStatistics(const CSimFrame&) {
    std::vector<uint8_t> p;
    vexor::sim::append32(p, petrolCounter());
    vexor::sim::append32(p, gasCounter());
    vexor::sim::append16(p, m_modifyCounter);
    return CSimFrame(12, std::move(p));
}

std::optional<CSimFrame> CSimController::onReadBlock(const CSimFrame& request) {
    const SimBlockLayout* layout = blockBySelector(request.payload()[0]);
    return CSimFrame(layout->command, block(layout->command));
}

std::optional<CSimFrame> CSimController::onWriteBlock(const CSimFrame& request) {
    const SimBlockLayout* layout = blockByCommand(request.command());
    // A block of the wrong size is refused rather than stored half-filled.
    if (request.payload().size() != layout->length)
        return ack(kRefused);
    setBlock(layout->command, request.payload());
    ++m_blockWrites[static_cast<std::size_t>(layout - blockLayouts().data())];
    ++m_modifyCounter;
    return ack();
}

std::optional<CSimFrame> CSimController::onReadMemory(const CSimFrame& request) {
    const uint16_t address = request.parameter();
    std::vector<uint8_t> p;
    vexor::sim::append16(p, address);
    const std::vector<uint8_t> bytes = memory(address, kMemoryChunk);
    p.insert(p.end(), bytes.begin(), bytes.end());
    return CSimFrame(5, std::move(p));
}

std::optional<CSimFrame> CSimController::onWriteMemory(const CSimFrame& request) {
    const std::vector<uint8_t>& p = request.payload();
    if (p.size() != 2 + kMemoryChunk)
        return ack(kRefused);
    setMemory(get16(p.data()), std::vector<uint8_t>(p.begin() + 2, p.end()));
    return ack();
}

std::optional<CSimFrame> CSimController::onCommitMap(const CSimFrame&) {
    ++m_commits;
    return ack();
}

std::optional<CSimFrame> CSimController::onClearMap(const CSimFrame&) {
    std::memset(mapBytes(), kCellZero, kMapRows * kMapColumns);
    recomputeMapChecksum();
    return ack();
}

std::optional<CSimFrame> CSimController::onMapRegion(const CSimFrame& request) {
    const std::vector<uint8_t>& p = request.payload();
    if (p.size() != 6 || p[4] < 1 || p[4] > 4)
        return ack(kRefused);
    const int row0 = p[0], col0 = p[1], rows = p[2], cols = p[3], op = p[4], operand = p[5];
    for (int r = row0; r < std::min(row0 + rows, kMapRows); ++r) {
        for (int c = col0; c < std::min(col0 + cols, kMapColumns); ++c) {
            uint8_t& cell = mapBytes()[r * kMapColumns + c];
            switch (op) {
            case 1:
                cell = clampCell(operand);
                break;
            case 2:
                cell = clampCell(cell + operand);
                break;
            case 3:
                cell = clampCell(cell - operand);
                break;
            default:
                cell = kCellZero;
                break;
            }
        }
    }
    recomputeMapChecksum();
    return ack();
}

std::optional<CSimFrame> CSimController::onMapCell(const CSimFrame& request) {
    const std::vector<uint8_t>& p = request.payload();
    if (p.size() != 4 || p[0] >= kMapRows || p[1] >= kMapColumns)
        return ack(kRefused);
    mapBytes()[p[0] * kMapColumns + p[1]] = clampCell(p[2]);
    recomputeMapChecksum();
    return ack();
}

std::optional<CSimFrame> CSimController::onGas(const CSimFrame&) {
    m_fuelRequest = FuelRequest::Gas;
    m_petrolAt.reset();
    if (!m_onGas && !m_gasAt) {
        if (m_config.gasSwitchDelay.count() <= 0)
            m_onGas = true;
        else
            m_gasAt = now() + m_config.gasSwitchDelay;
    }
    return ack();
}

std::optional<CSimFrame> CSimController::onAuto(const CSimFrame& request) {
    // Automatic mode switches over on its own once the engine is ready; the model's only
    // condition is the switch-over delay.
    onGas(request);
    m_fuelRequest = FuelRequest::Auto;
    return ack();
}

std::optional<CSimFrame> CSimController::onPetrol(const CSimFrame&) {
    m_fuelRequest = FuelRequest::Petrol;
    m_gasAt.reset();
    if (m_onGas && !m_petrolAt) {
        if (m_config.petrolSwitchDelay.count() <= 0)
            m_onGas = false;
        else
            m_petrolAt = now() + m_config.petrolSwitchDelay;
    }
    return ack();
}

std::optional<CSimFrame> CSimController::onReadErrors(const CSimFrame&) {
    return CSimFrame(6,
                     std::vector<uint8_t>(m_config.errorBytes.begin(), m_config.errorBytes.end()));
}

std::optional<CSimFrame> CSimController::onRestart(const CSimFrame&) {
    m_config.errorBytes = {};
    forceFuel(false);
    m_programming = false;
    ++m_restarts;
    return ack();
}

void CSimController::powerCycle() {
    forceFuel(false);
    m_programming = false;
    ++m_powerCycles;
}

std::optional<CSimFrame> CSimController::onLive(const CSimFrame&) {
    return CSimFrame(1, m_engine.liveRecord(engineInputs()));
}

std::optional<CSimFrame> CSimController::onInjectorMask(const CSimFrame& request) {
    m_injectorMask = static_cast<uint8_t>(request.parameter());
    return ack();
}

std::optional<CSimFrame> CSimController::onClearLoadMap(const CSimFrame& request) {
    m_engine.clearLoadMap(request.payload()[0] == 0x1D);
    return ack();
}

std::optional<CSimFrame> CSimController::onReadLoadMap(const CSimFrame& request) {
    const bool gas = request.payload()[0] == 0x1F;
    return CSimFrame(gas ? 20 : 19, m_engine.loadMap(gas));
}

std::optional<CSimFrame> CSimController::onObd(const CSimFrame& request) {
    return CSimFrame(24, m_obd.answer(request.command(), request.payload(), block(kObdSetupCmd),
                                      m_engine.obdInputs()));
}

std::optional<CSimFrame> CSimController::onAccessCode(const CSimFrame& request) {
    const std::vector<uint8_t>& p = request.payload();
    const std::size_t n = std::strlen(kAccessCode);
    if (p.size() != n || !std::equal(p.begin(), p.end(), kAccessCode))
        return ack(kRefused);
    m_programming = true;
    m_programmingEnded = false;
    return ack();
}

std::optional<CSimFrame> CSimController::onProgramPage(const CSimFrame& request) {
    const std::vector<uint8_t>& p = request.payload();
    if (!m_programming || p.size() != 2 + kPageSize)
        return ack(kRefused);
    const uint16_t word = get16(p.data());
    const std::size_t offset = 2u * word; // pages are addressed in 16-bit words
    for (std::size_t i = 0; i < kPageSize && offset + i < kImageSize; ++i)
        m_image[offset + i] = p[2 + i];
    m_programmedPages.push_back(word);
    return ack();
}

std::optional<CSimFrame> CSimController::onEndProgramming(const CSimFrame&) {
    if (!m_programming)
        return ack(kRefused);
    m_programming = false;
    m_programmingEnded = true;
    if (m_onProgrammingEnd)
        m_onProgrammingEnd(*this);
    return ack();
}
