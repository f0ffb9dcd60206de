#pragma once

#include "SimConfig.h"
#include "SimEngine.h"
#include "SimFrame.h"
#include "SimObd.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A settings block the controller keeps as raw bytes: read with command 2 and `selector`,
// answered and written with `command`, `length` bytes long.
struct SimBlockLayout {
    uint8_t selector;
    uint8_t command;
    std::size_t length;
    const char* name;
};

// The controller model: answers one request frame with one reply frame. It keeps the raw
// bytes the controller would keep (identity, counters, settings blocks, memory with the
// injection map, fault bytes, programming image) and decodes requests itself.
//
// Requests it answers (command 2 requests are named by their selector, payload byte 0):
//   sel 0xCC handshake          -> 2  [4, 13, 0x55, 0x00, status word]
//   sel 0x0D device info        -> 8  (30 bytes)      sel 0x11 statistics -> 12 (10 bytes)
//   settings blocks, read sel / reply and write command / length:
//     base 7/3/28, advanced 8/4/21, advanced setup 0x22/26/30, main correction 0x16/15/16,
//     setup times 0x0C/7/42, sensors 0x0E/9/28, OBD setup 0x1B/18/12, OBD correction 0x23/27/18
//   sel 0x0B read memory (parameter = address) -> 5 [address, 32 bytes];  command 5 writes
//   sel 0x13 commit map, sel 0x14 clear map, command 13 map region, command 14 map cell
//   sel 1 gas, sel 2 petrol, sel 3 automatic, sel 0x0A restart, sel 0x17 injector mask
//   sel 5 error bytes -> 6 (4 bytes);  sel 6 live record -> 1 (82 bytes)
//   sel 0x1C / 0x1D clear the petrol / gas load map, sel 0x1E / 0x1F read them -> 19 / 20
//   command 25 / 23 OBD request(s) -> 24
//   command 250 access code, command 251 program page, sel 0x60 end of programming
// Acknowledges are command 2 with 6 bytes: result (4 = accepted, 0 = refused), sub-result,
// 2 bytes 0, status word (low byte first, 0). Unknown requests get no answer. Refused (0):
// a block or memory write of the wrong length, an unknown map operation or a cell outside the
// map, a wrong access code, and pages or an end of programming outside programming mode.
// Programming mode lasts from the access code to sel 0x60 or a restart; other requests are
// answered as usual meanwhile.
//
// Not thread-safe: CSimServer calls it under its lock (see CSimServer::withController).
class CSimController {
public:
    using Clock = std::chrono::steady_clock;
    enum class FuelRequest { Petrol, Gas, Auto };

    static constexpr uint16_t kMapAddress = 320;
    static constexpr std::size_t kMapAreaSize = 288;
    static constexpr int kMapRows = 19;    // petrol-time bands
    static constexpr int kMapColumns = 15; // speed bands
    static constexpr std::size_t kMemorySize = 65536;
    static constexpr std::size_t kImageSize = 0x20000; // every 16-bit word address fits
    static constexpr const char* kAccessCode = "QK318207";

    explicit CSimController(const SimConfig& config = {});

    // Answers one request; nothing when the controller stays silent.
    std::optional<CSimFrame> handle(const CSimFrame& request);

    // The clock the model runs on (fuel switch delays, engine time); steady_clock by default.
    void setClock(std::function<Clock::time_point()> clock);
    Clock::time_point now() const;

    // ---- identity ----
    void setVersion(uint16_t version) { m_config.version = version; }
    uint16_t version() const { return m_config.version; }
    void setSerialText(const std::string& text);
    void setSerialBlock(const std::array<uint8_t, 16>& block);
    std::array<uint8_t, 16> serialField() const;
    void setInjectorCount(uint8_t count) { m_config.injectorCount = count; }
    uint8_t injectorCount() const { return m_config.injectorCount; }
    void setFlags(uint32_t flags1, uint32_t flags2);
    void setDeviceId(uint8_t id) { m_config.deviceId = id; }
    void setProductionDay(uint16_t day) { m_config.productionDay = day; }
    std::vector<uint8_t> deviceInfo() const; // the 30-byte reply payload

    // ---- statistics (0.5 s units; they grow with the simulated running time) ----
    void setStatistics(uint32_t petrol, uint32_t gas, uint16_t modify);
    uint32_t petrolCounter() const;
    uint32_t gasCounter() const;
    uint16_t modifyCounter() const { return m_modifyCounter; }

    // ---- settings blocks, raw ----
    static const std::vector<SimBlockLayout>& blockLayouts();
    static const SimBlockLayout* blockBySelector(uint8_t selector);
    static const SimBlockLayout* blockByCommand(uint8_t command);
    // The bytes of the block written with `command` (3, 4, 26, 15, 7, 9, 18, 27).
    std::vector<uint8_t> block(uint8_t command) const;
    // Replaces a block; bytes beyond its length are ignored, missing ones become 0.
    void setBlock(uint8_t command, const std::vector<uint8_t>& bytes);
    // Factory contents of a block.
    static std::vector<uint8_t> factoryBlock(uint8_t command);
    int blockWriteCount(uint8_t command) const;

    // ---- memory and the injection map area ----
    std::vector<uint8_t> memory(uint16_t address, std::size_t count) const;
    void setMemory(uint16_t address, const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> mapArea() const;            // the 288 bytes at kMapAddress
    int mapCell(int row, int column) const;          // -50..+50
    void setMapCell(int row, int column, int value); // keeps the check sum right
    uint8_t mapFlags() const;
    bool mapChecksumValid() const;
    int commitCount() const { return m_commits; }
    static uint16_t mapChecksum(const uint8_t* area286);

    // ---- fuel ----
    FuelRequest fuelRequest() const { return m_fuelRequest; }
    uint8_t workMode(); // 2 petrol, 3 gas, at the current clock
    void setGasSwitchDelay(std::chrono::milliseconds delay) { m_config.gasSwitchDelay = delay; }
    void setPetrolSwitchDelay(std::chrono::milliseconds d) { m_config.petrolSwitchDelay = d; }
    // Puts the engine on gas or petrol at once (test set-up).
    void forceFuel(bool gas);

    // ---- faults, injectors, restart ----
    void setErrorBytes(const std::array<uint8_t, 4>& bytes) { m_config.errorBytes = bytes; }
    std::array<uint8_t, 4> errorBytes() const { return m_config.errorBytes; }
    uint8_t injectorMask() const { return m_injectorMask; }
    int restartCount() const { return m_restarts; }
    // Power lost and back: programming mode ends, the fuel goes back to petrol;
    // what is in the settings blocks, the map and the program stays.
    void powerCycle();
    int powerCycles() const { return m_powerCycles; }

    // ---- models ----
    CSimEngine& engine() { return m_engine; }
    CSimObd& obd() { return m_obd; }
    std::vector<uint8_t> liveRecord(); // at the current clock
    // What the fuel trims still make up on gas at a point, with the map as it is now.
    double remainingMixtureError(double rpm, double load) const {
        return m_engine.gasTrim(rpm, load, mapBytes());
    }

    // ---- programming ----
    bool programmingMode() const { return m_programming; }
    bool programmingEnded() const { return m_programmingEnded; }
    // Word addresses of the pages received, in order (a page at word a fills image byte 2a..).
    const std::vector<uint16_t>& programmedWordAddresses() const { return m_programmedPages; }
    const std::vector<uint8_t>& image() const { return m_image; } // erased bytes are 0xFF
    // The image up to the end of the highest page received (empty when none was).
    std::vector<uint8_t> programmedImage() const;
    bool dumpImage(const std::string& path) const;
    // Called (under the server's lock, on its thread) when programming ends with sel 0x60.
    void setProgrammingEndHandler(std::function<void(const CSimController&)> handler);

private:
    using Handler = std::optional<CSimFrame> (CSimController::*)(const CSimFrame&);
    struct SelectorEntry {
        uint8_t selector;
        Handler handler;
    };
    struct CommandEntry {
        uint8_t command;
        Handler handler;
    };
    static const std::vector<SelectorEntry>& selectorTable();
    static const std::vector<CommandEntry>& commandTable();

    static CSimFrame ack(uint8_t result = 4, uint8_t subResult = 0);
    void update();
    SimEngineInputs engineInputs() const;
    void recomputeMapChecksum();
    uint8_t* mapBytes() { return m_memory.data() + kMapAddress; }
    const uint8_t* mapBytes() const { return m_memory.data() + kMapAddress; }

    std::optional<CSimFrame> onHandshake(const CSimFrame&);
    std::optional<CSimFrame> onDeviceInfo(const CSimFrame&);
    std::optional<CSimFrame> onStatistics(const CSimFrame&);
    std::optional<CSimFrame> onReadMemory(const CSimFrame&);
    std::optional<CSimFrame> onCommitMap(const CSimFrame&);
    std::optional<CSimFrame> onClearMap(const CSimFrame&);
    std::optional<CSimFrame> onGas(const CSimFrame&);
    std::optional<CSimFrame> onPetrol(const CSimFrame&);
    std::optional<CSimFrame> onAuto(const CSimFrame&);
    std::optional<CSimFrame> onReadErrors(const CSimFrame&);
    std::optional<CSimFrame> onRestart(const CSimFrame&);
    std::optional<CSimFrame> onLive(const CSimFrame&);
    std::optional<CSimFrame> onInjectorMask(const CSimFrame&);
    std::optional<CSimFrame> onClearLoadMap(const CSimFrame&);
    std::optional<CSimFrame> onReadLoadMap(const CSimFrame&);
    std::optional<CSimFrame> onEndProgramming(const CSimFrame&);
    std::optional<CSimFrame> onWriteMemory(const CSimFrame&);
    std::optional<CSimFrame> onMapRegion(const CSimFrame&);
    std::optional<CSimFrame> onMapCell(const CSimFrame&);
    std::optional<CSimFrame> onObd(const CSimFrame&);
    std::optional<CSimFrame> onAccessCode(const CSimFrame&);
    std::optional<CSimFrame> onProgramPage(const CSimFrame&);
    std::optional<CSimFrame> onReadBlock(const CSimFrame&);
    std::optional<CSimFrame> onWriteBlock(const CSimFrame&);

    SimConfig m_config;
    std::function<Clock::time_point()> m_clock;
    CSimEngine m_engine;
    CSimObd m_obd;

    uint32_t m_petrolCounterBase = 7200;
    uint32_t m_gasCounterBase = 36000;
    Clock::duration m_petrolTimeAtBase{};
    Clock::duration m_gasTimeAtBase{};
    uint16_t m_modifyCounter = 3;

    std::vector<std::vector<uint8_t>> m_blocks; // in blockLayouts() order
    std::vector<int> m_blockWrites;
    std::vector<uint8_t> m_memory;
    int m_commits = 0;

    FuelRequest m_fuelRequest = FuelRequest::Petrol;
    bool m_onGas = false;
    std::optional<Clock::time_point> m_gasAt;
    std::optional<Clock::time_point> m_petrolAt;
    uint8_t m_injectorMask = 0xFF;
    int m_restarts = 0;
    int m_powerCycles = 0;

    bool m_programming = false;
    bool m_programmingEnded = false;
    std::vector<uint16_t> m_programmedPages;
    std::vector<uint8_t> m_image;
    std::function<void(const CSimController&)> m_onProgrammingEnd;
};
