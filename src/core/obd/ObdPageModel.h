#pragma once

#include "device/ObdReply.h"
#include "obd/OBDCodes.h"
#include "obd/ObdPageView.h"
#include "obd/ObdPoller.h"

#include <cstdint>
#include <string>
#include <vector>

class CLPGDevice;

// The logic of the OBD page: switching the controller's OBD link, finding the
// car's bus protocol, polling the car's values, reading and clearing its
// trouble codes, and the controller's OBD-based gas correction. The window
// forwards its handlers here and shows view() afterwards.
//
// Every handler reports controller failures itself (translated messages
// through the device's prompt seam) and catches port errors, which it
// reports under the handler's report name. Everything runs on the user
// interface thread.
class CObdPageModel {
public:
    static constexpr const char* kMsgRead = "Nie powiodło się odczytanie ustawień urządzenia!";
    static constexpr const char* kMsgWrite = "Nie powiodło się ustawienie urządzenia!";
    static constexpr const char* kMsgCodesRead = "Nie można wczytać błędów OBD!";
    static constexpr const char* kMsgClearQuestion = "Czy chcesz skasować błędy OBD?";
    static constexpr const char* kMsgClearFailed = "Nie powiodło się skasowanie błędów OBD!";
    static constexpr const char* kMsgNoCodes = "Brak błędów OBD";
    static constexpr const char* kMsgNoLongTermTrim =
        "Samochód nie podaje korekty długoterminowej, korekta z OBD pozostaje wyłączona.";
    static constexpr const char* kLinkOn = "Podłączone";
    static constexpr const char* kLinkOff = "Rozłączone";
    static constexpr const char* kAirFlowLabel = "Przepływ powietrza";
    static constexpr const char* kAirFlowUnit = "g/s";

    static constexpr const char* kHandlerInit = "COBD2Page::initInterface()";
    static constexpr const char* kHandlerPoll = "COBD2Page::OnMessageGetDiag()";
    static constexpr const char* kHandlerReadCodes = "COBD2Page::OnGetObdErr()";
    static constexpr const char* kHandlerClearCodes = "COBD2Page::OnObdErrClear()";
    static constexpr const char* kHandlerLink = "COBD2Page::OnSelendokCmbEnable()";
    static constexpr const char* kHandlerCorrection = "COBD2Page::OnChkObdCorrEnable()";
    static constexpr const char* kHandlerPeriod = "COBD2Page::OnSelendokCmbObdCorrAverage()";
    static constexpr const char* kHandlerMaximum = "COBD2Page::OnSelendokCmbObdCorrMax()";
    static constexpr const char* kHandlerCylinder = "COBD2Page::onInjActive()";
    static constexpr const char* kHandlerScan = "COBD2Page::OnReadScanData()";
    static constexpr const char* kMsgNotRead = "Nie odczytano";
    static constexpr const char* kMsgNoFreezeFrame = "Samochód nie ma zapisanej zamrożonej ramki";

    // A poll is due on every this many live refreshes.
    static constexpr int kPollTicks = 2;
    // The correction period choice (seconds) and maximum choice (percent).
    static constexpr int kPeriodFirst = 2;
    static constexpr int kPeriodLast = 127;
    static constexpr int kMaximumFirst = 1;
    static constexpr int kMaximumLast = 50;

    explicit CObdPageModel(CLPGDevice& device);

    const SObdPageView& view() const { return m_view; }
    // The protocol was found: values and trouble codes can be asked for.
    bool obdConnected() const { return m_obdConnected; }
    const vexor::ObdSetup& setup() const { return m_setup; }
    const vexor::ObdCorr& correction() const { return m_corr; }
    CObdPoller& poller() { return m_poller; }
    const CObdPoller& poller() const { return m_poller; }

    // Refills the choices and, when the controller has an OBD interface,
    // reads both OBD set-ups into the controls and, with the link on,
    // searches for the car's protocol. The page runs it whenever it becomes
    // the shown page.
    void updatePage();
    // Called on every live refresh while the page is shown. True when a poll
    // is due: the window then queues poll() to run after the refresh.
    bool refreshLive();
    // One poll of the car's values, and the controller's bank corrections
    // from the newest live record.
    void poll();

    // "Wczytaj błędy OBD": asks every unit with stored codes for them.
    // True when every unit answered; the codes are then troubleCodes().
    bool readTroubleCodes();
    // "Kasuj błędy OBD": asks first, then clears the car's codes. True only
    // when the user agreed and the car confirmed.
    bool clearTroubleCodes();
    // "Wczytaj dane diagnostyczne": readiness, pending and permanent codes,
    // the freeze frame, VIN and calibration IDs, each section on its own (a
    // refused or failed one is noted and the others are still read). True
    // when every section was answered, supported or not.
    bool readScanData();
    // The codes of the last read, as the car sent them.
    const std::vector<std::uint16_t>& troubleCodes() const { return m_troubleCodes; }
    const COBDCodes& codeTable() const { return m_codes; }
    // A port error ended one of the handlers since this object was made (it
    // was reported with the handler's name); for front ends that stop at the
    // first one.
    bool portFailed() const { return m_portFailed; }

    // The link choice changed to entry `index`.
    void selectLink(int index);
    // "Czytanie korekty z OBD" was ticked or cleared.
    void setCorrectionEnabled(bool ticked);
    // The period (maximum) choice changed to entry `index`.
    void selectPeriod(int index);
    void selectMaximum(int index);
    // The box of `bank` (1 or 2) for cylinder `cylinder` (1..8) now shows
    // `ticked`; the other bank's box of that cylinder takes the opposite.
    void cylinderClicked(int cylinder, int bank, bool ticked);

private:
    template <class Body> void guarded(const char* handler, Body&& body);
    bool connected() const;
    void message(const char* polish) const;
    void initInterface();
    void applyCylinderLimits();
    void applyCorrection();
    void setCorrectionControls(bool visible);
    void setCodeControls(bool enabled);
    bool protocolSearch();
    bool tryProtocol(std::uint32_t protocol, std::uint8_t speedCode);
    bool readStandard(std::uint32_t protocol);
    void pollDemo();
    void showBankCorrections();
    bool collectTroubleCodes();
    void showTroubleCodes(bool complete);
    bool writeCorrection();
    void collectScanData();

    CLPGDevice& m_device;
    SObdPageView m_view;
    vexor::ObdSetup m_setup;
    vexor::ObdCorr m_corr;
    CObdPoller m_poller;
    COBDCodes m_codes;
    std::vector<std::uint16_t> m_troubleCodes;
    bool m_obdConnected = false;
    bool m_portFailed = false;
    int m_pollCountdown = kPollTicks;
    // The demonstration's fuel trims sweep up and down between these.
    double m_demoTrim1 = 8.11;
    double m_demoTrim2 = 7.83;
    double m_demoStep = 0.02;
};
