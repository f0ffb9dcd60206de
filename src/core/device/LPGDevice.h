#pragma once

#include "device/AutoCalResult.h"
#include "device/DemoDiag.h"
#include "device/DeviceRequest.h"
#include "device/DeviceSettings.h"
#include "device/Diag.h"
#include "device/DiagData.h"
#include "device/FrameTransport.h"
#include "device/LPGDeviceErr.h"
#include "device/LoadMap.h"
#include "device/MapRegionEffect.h"
#include "device/ObdReply.h"
#include "device/PortLink.h"
#include "device/RawImage.h"
#include "platform/Seams.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The one way the program talks to the controller. Every command is one
// method: it builds the request, runs the exchange with its retry rule, checks
// the reply and moves the data between the reply and the settings image.
//
// Failures of the controller are results (false; readDiag returns a code), the
// caller shows its own message. A failing system call of the port throws a
// CRSError pointer through the method.
//
// Retry rule: unless a method says otherwise it tries up to three times and
// takes the first reply that arrived intact with the expected command (and,
// for an acknowledge, result byte 4). Replies shorter than the block they
// should carry count as failed tries.
//
// Demo mode: every method returns true at once without touching the port; the
// reads leave the image as it is apart from a few demo values, and the live
// read fabricates records (CDemoDiag) that follow the fuel chosen last.
//
// Threads: readDiag runs on the polling thread, everything else on the user
// interface thread. The transaction lock keeps their exchanges apart; the
// settings image has no lock and belongs to the user interface thread.
class CLPGDevice : public CLPGDeviceErr {
public:
    // Results of readDiag.
    static constexpr int kDiagOk = 0;
    static constexpr int kDiagWrongReply = 1;
    static constexpr int kDiagFailed = 2;

    // Tries of the retry rule, and the pause before each try of a fuel switch.
    static constexpr int kTries = 3;
    static constexpr std::chrono::milliseconds kSwitchPause{500};
    // Poll period of the wait for petrol; each poll also lets the front end
    // handle its events.
    static constexpr std::chrono::milliseconds kPetrolPollPause{56};
    // The wait for petrol polls for as long as the controller needs to switch
    // all cylinders (injector count x switching time), but never for fewer
    // polls than cover 10 s: without this floor a controller whose injector
    // count or switching time reads 0 would be polled for ever.
    static constexpr int kMinPetrolPolls = 10000 / 56;
    // Demo restart: the pretend controller is back on petrol after this.
    static constexpr std::chrono::milliseconds kDemoRestartPause{300};

    static constexpr std::size_t kMemoryChunk = 32;
    using MemoryChunk = std::array<std::uint8_t, kMemoryChunk>;
    static constexpr std::size_t kProgramPageBytes = 128;
    // Access code that puts the controller into programming mode.
    static constexpr const char* kProgrammingCode = "QK318207";

    // Called after every page sent by programImage: pages done, pages to send.
    using ProgressFn = std::function<void(int done, int total)>;

    // portOverride: talk through this port instead of the device's own
    // CPortLink (tests, replays); the caller keeps it alive.
    explicit CLPGDevice(ISerialPort* portOverride = nullptr);
    virtual ~CLPGDevice();
    CLPGDevice(const CLPGDevice&) = delete;
    CLPGDevice& operator=(const CLPGDevice&) = delete;

    // ---- state ----
    DeviceSettings& settings() { return m_settings; }
    const DeviceSettings& settings() const { return m_settings; }
    CDiagData& diagData() { return m_diagData; }
    const CDiagData& diagData() const { return m_diagData; }
    // The settings blocks as the controller holds them (see CRawImage).
    const CRawImage& rawImage() const { return m_raw; }
    // Before a whole read: a block that then fails must not keep the bytes
    // of an earlier read (another controller, perhaps).
    void forgetRawImage() { m_raw.clear(); }
    // The port every exchange goes through (the override when one was given).
    ISerialPort& port() { return *m_link; }
    // The device's own port (a local device or a network adapter), also when
    // an override is in use.
    CPortLink& serialPort() { return m_port; }
    CFrameTransport& transport() { return m_transport; }
    CDemoDiag& demoDiag() { return m_demoDiag; }

    bool isDemo() const { return m_demo.load(); }
    void setDemo(bool demo) { m_demo = demo; }
    // Set once the connection step has read the controller (or chose demo).
    bool isConnected() const { return m_connected.load(); }
    void setConnected(bool connected) { m_connected = connected; }
    // Whether the controller sends live data; set by handshake, true at first.
    bool liveDataAvailable() const { return m_liveData.load(); }
    void setLiveDataAvailable(bool available) { m_liveData = available; }

    // How messages reach the user and how long waits keep the front end alive.
    const Seams& seams() const { return m_seams; }
    void setSeams(const Seams& seams) { m_seams = seams; }

    // "CNG" or "LPG" from the last advanced-setup read; empty before one.
    const std::string& fuelTitle() const { return m_fuelTitle; }

    // Lowers the 10 s floor of the wait for petrol (a short wait for tests
    // and scripted runs); negative values count as 0.
    void setMinPetrolPolls(int polls) { m_minPetrolPolls = polls < 0 ? 0 : polls; }
    int minPetrolPolls() const { return m_minPetrolPolls; }

    // ---- transactions ----
    // buffer: at least vexor::kTransactBufferSize bytes (see CFrameTransport).
    bool transact(std::uint8_t* buffer, std::uint8_t& length, std::uint8_t& command);
    int transactFast(std::uint8_t* buffer, std::uint8_t& length, std::uint8_t& command);
    static std::uint16_t payloadSum(const std::uint8_t* data, std::uint16_t count);

    // ---- identity ----
    // Checks that a controller answers. A controller that answers with
    // anything but sub-result 13 is not ours: "Brak połączenia" is shown the
    // first time this happens in a program run, and the result is false. On
    // success the live-data flag follows reply bytes 2..3 (0x0055 = live data).
    bool handshake();
    bool readDevInfo();
    bool readStatistic();

    // ---- settings blocks ----
    // The base block carries this computer's station code, stored into the
    // image before it is written.
    bool readBase();
    bool writeBase();
    bool readAdv();
    bool writeAdv();
    // A read also sets fuelTitle() and calls fuelTitleChanged().
    bool readAdvancedSetup();
    bool writeAdvancedSetup();
    // These three reads give up at once when the controller answers with
    // another block; only lost or damaged replies are tried again.
    bool readMainCorr();
    bool writeMainCorr();
    bool readSetupTimes();
    bool writeSetupTimes();
    bool readSensorsSetup();
    bool writeSensorsSetup();

    // ---- controller memory and the injection map ----
    // 32 bytes at `address`; a reply for another address is a failed try.
    bool readMemory(std::uint16_t address, MemoryChunk& data);
    bool writeMemory(std::uint16_t address, const MemoryChunk& data);
    // The map area moves in nine 32-byte chunks; the first failing chunk ends
    // the operation. A read whose check sum does not match leaves the image
    // untouched. A write is confirmed by reading the last chunk back.
    bool readInjMap();
    bool writeInjMap();
    // One block or the map area of a raw image, written as it is (no station
    // code stamped, nothing encoded); false for a block this program does not
    // know in that shape.
    bool writeRaw(const SRawBlock& block);
    // Makes the controller take over the map changes sent since the last one.
    bool commitMap();
    bool clearMap();
    // The 6-byte map-region record (first row, first column, row count, column
    // count, operation, operand), passed through unchanged. It is never carried
    // out twice: an add or subtract is sent again only after reading the map
    // back showed that the try before did not act (the map is read first for
    // that), and any operation whose reply went missing counts as done when
    // the map read back holds its result. lastRegionState() tells what the
    // controller holds afterwards.
    bool mapRegionOp(const vexor::MapRegionRecord& region);
    vexor::MapRegionState lastRegionState() const { return m_regionState; }
    // One cell: its two indices in the order of the region record, and its
    // value (-50..+50; sent as value + 100).
    bool writeMapCell(std::uint8_t first, std::uint8_t second, int value);

    // ---- fuel ----
    // Each try waits 500 ms first; any acknowledge counts.
    bool switchToLpg();
    bool switchToGasoline();
    // Petrol first (its result does not matter), then automatic.
    bool switchToAuto();
    // Switches to petrol and polls the live record until it reports petrol,
    // for as long as the controller needs to switch all its cylinders (see
    // kMinPetrolPolls). Keeps the front end responsive through the event
    // pump.
    bool waitForGasoline();
    // Waits for petrol, then restarts the controller.
    bool restart();
    // The restart alone, after programming.
    bool restartAfterProgramming();

    // ---- live data and faults ----
    // One live record (at most 82 bytes of the reply; the rest zero) into
    // `out`; the sample number is left to the caller. kDiagOk, kDiagWrongReply
    // or kDiagFailed; no retry.
    int readDiag(CDiag& out);
    bool readErrors(CLPGDeviceErr::ErrorBytes& bytes);
    // Bit i set: gas injector i+1 may work.
    bool setInjectorMask(std::uint8_t mask);

    // ---- OBD ----
    // One request forwarded to the car's diagnostic bus; the whole reply
    // payload lands in `reply`. No retry; false in demo mode.
    bool obdRequest(const vexor::ObdRequest& request, ObdReply& reply);
    // Several values at once; byte 12 of the record counts the items (at most
    // the record holds). No retry; false in demo mode.
    bool obdMultiRequest(const vexor::ObdMultiRequest& request, ObdReply& reply);
    // Demo reads set the link byte (8) to 1 and the bus speed (9) to 2.
    bool readObdSetup(vexor::ObdSetup& setup);
    bool writeObdSetup(const vexor::ObdSetup& setup);
    bool readObdCorr(vexor::ObdCorr& corr);
    bool writeObdCorr(const vexor::ObdCorr& corr);

    // ---- collected load maps ----
    bool clearGasolineMap();
    bool clearLpgMap();
    // A try counts only when the reply is exactly a load map long.
    bool readGasolineMap(LoadMap& map);
    bool readLpgMap(LoadMap& map);

    // ---- programming ----
    // Single try.
    bool enterProgramming();
    // One 128-byte page at a word address.
    bool programPage(std::uint16_t wordAddress, const std::uint8_t* page);
    // Walks the image page by page within the step budget and sends the pages
    // the controller takes (see device/ProgramImage.h); the first page that
    // fails ends the walk. Bytes beyond imageSize are sent as 0.
    bool programImage(const std::uint8_t* image, std::size_t imageSize, int steps,
                      const ProgressFn& progress = {});
    // Decided by the first reply that arrives: true when it is an accepted
    // acknowledge.
    bool endProgramming();

    // "Brak połączenia" is shown once per program run; this forgets that it
    // was (a front end that starts over, tests that play several runs).
    static void resetConnectionNotice();

    // The last automatic calibration run on this program run, whichever
    // controller it was made on (the result names it). None before the first.
    const std::optional<SAutoCalResult>& lastAutoCalibration() const { return m_lastAutoCal; }
    void setLastAutoCalibration(const SAutoCalResult& result) { m_lastAutoCal = result; }

protected:
    // Called after a successful advanced-setup read with "CNG" or "LPG"; the
    // document rebuilds its title from it.
    virtual void fuelTitleChanged(const std::string& fuel) { (void)fuel; }

    // Shows a Polish message, translated, through the prompt seam.
    void showMessage(const std::string& polish,
                     IUserPrompt::Icon icon = IUserPrompt::Icon::Error) const;

private:
    // A request whose only answer is an acknowledge that must be accepted.
    bool acknowledged(std::uint8_t command, const std::uint8_t* payload, std::size_t length);
    bool acknowledgedRead(std::uint8_t selector, std::uint16_t parameter = 0);
    // A fuel switch: 500 ms before each try, any acknowledge counts.
    bool fuelSwitch(std::uint8_t selector);
    // A block read whose reply must carry at least `length` bytes.
    bool readBlock(CDeviceRequest& request, std::uint8_t selector, std::uint8_t replyCommand,
                   std::size_t length, bool stopOnWrongReply = false);
    // The 288 bytes of the map area; false when a chunk failed or the area's
    // check sum does not match.
    bool readInjMapArea(vexor::InjMapArea& area);
    // A block write that keeps (or, refused, forgets) the raw block.
    bool writeKept(const char* name, std::uint8_t command, const std::uint8_t* payload,
                   std::size_t length);
    // The nine map chunks, confirmed by reading the last one back.
    bool writeMapArea(const std::uint8_t* area);
    bool readLoadMap(std::uint8_t selector, std::uint8_t replyCommand, LoadMap& map);
    bool obdExchange(std::uint8_t command, const std::uint8_t* payload, std::size_t length,
                     ObdReply& reply);

    DeviceSettings m_settings;
    CDiagData m_diagData;
    CPortLink m_port;
    std::atomic<bool> m_demo{false};
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_liveData{true};
    ISerialPort* m_link;
    CFrameTransport m_transport; // holds the transaction lock
    CDemoDiag m_demoDiag;
    Seams m_seams;
    std::string m_fuelTitle;
    int m_minPetrolPolls = kMinPetrolPolls;
    std::optional<SAutoCalResult> m_lastAutoCal;
    vexor::MapRegionState m_regionState = vexor::MapRegionState::Unchanged;
    CRawImage m_raw;
};
