#include "obd/ObdPageModel.h"

#include "common/IError.h"
#include "device/Conversions.h"
#include "device/LPGDevice.h"
#include "diag/FixedText.h"
#include "diag/HandlerReport.h"
#include "lang/Translate.h"
#include "obd/ObdIdentifiers.h"
#include "obd/ObdRequests.h"
#include "obd/ObdScan.h"
#include "obd/ObdSetupFields.h"
#include "obd/ObdValues.h"
#include "obd/TroubleCodes.h"

#include <iterator>
#include <memory>
#include <tuple>

using namespace vexor;

namespace {

// Bit of the controller's first feature flags: it has an OBD interface.
constexpr std::uint32_t kFlagObdInterface = 0x01;

// The codes the demonstration pretends the car has stored.
constexpr std::uint16_t kDemoCodes[] = {0x0171, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304};

// The demonstration's fuel trims turn back when they leave this band.
constexpr double kDemoTrimTop = 15.0;
constexpr double kDemoTrimBottom = -3.0;

} // namespace

CObdPageModel::CObdPageModel(CLPGDevice& device)
    : m_device(device), m_setup(defaultObdSetup()), m_corr(defaultObdCorr()) {}

template <class Body> void CObdPageModel::guarded(const char* handler, Body&& body) {
    try {
        body();
    } catch (IError* error) {
        m_portFailed = true;
        reportHandlerError(m_device.seams(), handler, std::unique_ptr<IError>(error));
    }
}

bool CObdPageModel::connected() const {
    return m_device.isConnected();
}

void CObdPageModel::message(const char* polish) const {
    m_device.seams().message(translate(polish), IUserPrompt::Icon::Error);
}

// ---------------------------------------------------------------- page set-up

void CObdPageModel::updatePage() {
    guarded(kHandlerInit, [&] { initInterface(); });
}

void CObdPageModel::initInterface() {
    applyCylinderLimits();
    m_view.standard.clear();
    // The protocol shown is the one the search below finds; with the link
    // off (or unreadable) there is none.
    m_view.protocol.clear();
    m_view.values = {};
    m_poller.table().clearTexts();
    m_poller.table().resetCursor();

    m_view.link.refill({{translate(kLinkOn), kObdLinkOn}, {translate(kLinkOff), kObdLinkOff}}, 1);
    m_view.period.refillRange(kPeriodFirst, kPeriodLast, 0);
    m_view.maximum.refillRange(kMaximumFirst, kMaximumLast, 0);

    const bool hasObd = (m_device.settings().m_devInfo.m_flags1 & kFlagObdInterface) != 0;
    // Until the set-ups are read, nothing on the page may claim a link: a
    // failed read must not leave the code buttons or the correction box as
    // an earlier read left them.
    m_obdConnected = false;
    setCodeControls(false);
    m_view.correctionCheckVisible = false;
    m_view.correctionControlsVisible = false;
    if (!connected() || !hasObd) {
        m_view.linkEnabled = false;
        return;
    }

    m_view.linkEnabled = true;
    if (!m_device.readObdSetup(m_setup)) {
        message(kMsgRead);
        return;
    }
    m_view.link.selectValue(m_setup[kObdSetupLink]);
    m_obdConnected = m_setup[kObdSetupLink] == kObdLinkOn;
    setCodeControls(m_obdConnected);

    if (!m_device.readObdCorr(m_corr)) {
        message(kMsgRead);
        return;
    }
    m_view.correctionCheckVisible = true;
    applyCorrection();

    if (m_setup[kObdSetupLink] != kObdLinkOff)
        protocolSearch();
}

void CObdPageModel::applyCylinderLimits() {
    const int injectors = m_device.settings().m_devInfo.m_injCount;
    for (int i = 0; i < SObdPageView::kCylinders; ++i) {
        const int cylinder = i + 1;
        m_view.cylinderEnabled[i] =
            !(cylinder >= 7 && injectors < 8) && !(cylinder >= 5 && injectors < 6);
    }
}

void CObdPageModel::applyCorrection() {
    m_view.period.selectValue(m_corr[kObdCorrPeriod] / 2);
    m_view.maximum.selectValue(m_corr[kObdCorrMaximum]);
    m_view.correctionChecked = m_corr[kObdCorrEnable] != 0;
    for (int i = 0; i < SObdPageView::kCylinders; ++i) {
        const bool onBank2 = (m_corr[kObdCorrBankMask] >> i) & 1;
        m_view.bank2[i] = onBank2;
        m_view.bank1[i] = !onBank2;
    }
    m_view.correctionControlsVisible = m_view.correctionChecked;
}

void CObdPageModel::setCodeControls(bool enabled) {
    m_view.codeButtonsEnabled = enabled;
    m_view.correctionCheckEnabled = enabled;
}

// ---------------------------------------------------------------- protocol search

bool CObdPageModel::protocolSearch() {
    CBusyScope busy(m_device.seams().cursor);
    m_view.standard.clear();
    m_view.protocol.clear();
    m_view.values = {};
    m_obdConnected = false;

    bool found = tryProtocol(obdSetupProtocol(m_setup), m_setup[kObdSetupSpeed]);
    for (std::uint8_t speed : {kObdSpeed250, kObdSpeed500}) {
        for (std::uint32_t protocol : {kObdCan11Bit, kObdCan29Bit}) {
            if (found)
                break;
            m_device.seams().pumpEvents();
            found = tryProtocol(protocol, speed);
        }
    }
    if (!found) {
        m_device.seams().pumpEvents();
        found = tryProtocol(kObdKLine, kObdSpeed500);
    }

    if (found) {
        m_obdConnected = true;
        setCodeControls(true);
        return true;
    }

    m_view.link.selectValue(kObdLinkOff);
    setCodeControls(false);
    m_setup[kObdSetupLink] = kObdLinkOff;
    raiseObdCount(m_setup);
    if (!m_device.writeObdSetup(m_setup))
        message(kMsgWrite);
    return false;
}

bool CObdPageModel::tryProtocol(std::uint32_t protocol, std::uint8_t speedCode) {
    if (m_device.isDemo()) {
        m_view.protocol = obdProtocolText(kObdCan11Bit, kObdSpeed500);
        return true;
    }
    m_view.protocol.clear();
    storeObdProtocol(m_setup, protocol, speedCode);
    if (!m_device.writeObdSetup(m_setup))
        return false;
    if (!m_poller.readSupported(m_device, protocol))
        return false;

    if (m_poller.table().airFlow()) {
        m_view.loadLabel = translate(kAirFlowLabel);
        m_view.loadUnit = translate(kAirFlowUnit);
    } else {
        m_view.loadLabel.clear();
        m_view.loadUnit.clear();
    }

    if (!readStandard(protocol))
        return false;
    m_view.protocol = obdProtocolText(protocol, speedCode);
    return true;
}

bool CObdPageModel::readStandard(std::uint32_t protocol) {
    ObdReply reply;
    if (!m_device.obdRequest(obdPidRequest(protocol, kPidStandard), reply))
        return false;
    const std::uint8_t* answer = obdFirstAnswer(reply, kPidStandard);
    if (!answer)
        return false;
    m_view.standard = obdStandardName(answer[kObdEntryA]);
    return true;
}

// ---------------------------------------------------------------- live values

bool CObdPageModel::refreshLive() {
    if (--m_pollCountdown > 0)
        return false;
    m_pollCountdown = kPollTicks;
    return true;
}

void CObdPageModel::poll() {
    guarded(kHandlerPoll, [&] {
        if (!connected() || !m_obdConnected)
            return;
        if (m_device.isDemo()) {
            pollDemo();
            return;
        }
        if (m_poller.poll(m_device, obdSetupProtocol(m_setup))) {
            for (int i = 0; i < SObdPageView::kValues; ++i)
                m_view.values[i] = m_poller.table().text(i);
        }
        showBankCorrections();
    });
}

void CObdPageModel::pollDemo() {
    CDiag record;
    (void)m_device.diagData().latest(record); // an empty history reads as a zero record
    m_view.standard = "OBD II (EUROPA)";
    m_view.values[0] = fixedText(101.0 - pressureFromRaw(record.manifoldRaw()), 0);
    m_view.values[1] = fixedText(m_demoTrim1, 2);
    m_view.values[2] = "3.21";
    m_view.values[3] = fixedText(m_demoTrim2, 2);
    m_view.values[4] = "2.98";
    m_view.values[5] = fixedText(voltFromRaw(record.lambda1Raw()), 2);
    m_view.values[6] = "0.43";
    m_view.values[7] = fixedText(voltFromRaw(record.lambda2Raw()), 2);
    m_view.values[8] = "0.48";
    m_view.bank1Correction = "2";
    m_view.bank2Correction = "2";

    m_demoTrim1 += m_demoStep;
    m_demoTrim2 += m_demoStep;
    if (m_demoTrim1 > kDemoTrimTop)
        m_demoStep = -m_demoStep;
    if (m_demoTrim1 < kDemoTrimBottom)
        m_demoStep = -m_demoStep;
}

void CObdPageModel::showBankCorrections() {
    CDiag record;
    if (!m_device.diagData().latest(record))
        return;
    m_view.bank1Correction = std::to_string(record.obdCorrBank1());
    m_view.bank2Correction = std::to_string(record.obdCorrBank2());
}

// ---------------------------------------------------------------- trouble codes

bool CObdPageModel::readTroubleCodes() {
    bool done = false;
    guarded(kHandlerReadCodes, [&] {
        m_troubleCodes.clear();
        showTroubleCodes(false);
        if (!connected())
            return;
        if (m_device.isDemo()) {
            m_troubleCodes.assign(std::begin(kDemoCodes), std::end(kDemoCodes));
            done = true;
        } else {
            done = collectTroubleCodes();
        }
        showTroubleCodes(done);
    });
    return done;
}

void CObdPageModel::showTroubleCodes(bool complete) {
    m_view.troubleCodes.clear();
    for (std::uint16_t code : m_troubleCodes)
        m_view.troubleCodes.push_back(m_codes.text(code));
    m_view.noTroubleCodes = complete && m_troubleCodes.empty();
}

bool CObdPageModel::collectTroubleCodes() {
    const std::uint32_t protocol = obdSetupProtocol(m_setup);
    ObdReply status;
    if (!m_device.obdRequest(obdPidRequest(protocol, kPidMonitorStatus), status)) {
        message(kMsgCodesRead);
        return false;
    }
    // A reply in which no unit reports its status says nothing about the
    // car's codes: that is a failed read, not an empty list.
    bool anyStatus = false;
    for (std::size_t k = 0; k < status.entryCount(); ++k) {
        const std::uint8_t* unit = status.entry(k);
        anyStatus = anyStatus || obdEntryAnswers(unit, kPidMonitorStatus);
        const int stored = storedCodeCount(unit);
        if (stored == 0)
            continue;
        ObdRequest request = obdServiceRequest(protocol, kObdStoredCodes);
        putObdIdentifiers(request.data(), obdUnitRequestId(protocol, obdEntryUnit(unit)),
                          obdResponseId(protocol), obdThirdId(protocol));
        ObdReply answer;
        if (!m_device.obdRequest(request, answer) || answer.entryCount() == 0) {
            message(kMsgCodesRead);
            return false;
        }
        for (std::uint16_t code : troubleCodesFromAnswer(answer, stored))
            m_troubleCodes.push_back(code);
    }
    if (!anyStatus) {
        message(kMsgCodesRead);
        return false;
    }
    return true;
}

bool CObdPageModel::clearTroubleCodes() {
    bool done = false;
    guarded(kHandlerClearCodes, [&] {
        if (!connected())
            return;
        if (!m_device.seams().ask(translate(kMsgClearQuestion), true))
            return;
        if (!m_device.isDemo()) {
            ObdReply reply;
            if (!m_device.obdRequest(obdServiceRequest(obdSetupProtocol(m_setup), kObdClearCodes),
                                     reply)) {
                message(kMsgClearFailed);
                return;
            }
            const std::uint8_t* answer = reply.entry(0);
            if (!answer || answer[kObdEntryService] != kObdClearCodes + kObdAnswerOffset) {
                // The car refused (a negative answer, or no unit answered):
                // its codes are still stored, so the list stays and the user
                // is told.
                message(kMsgClearFailed);
                return;
            }
        }
        m_troubleCodes.clear();
        showTroubleCodes(true);
        done = true;
    });
    return done;
}

// ---------------------------------------------------------------- scan data

namespace {

// The note of a section that has nothing to show.
std::string scanNote(CObdScan::Status status) {
    return translate(status == CObdScan::Status::NotSupported ? CObdScan::kNotSupported
                                                              : CObdPageModel::kMsgNotRead);
}

} // namespace

bool CObdPageModel::readScanData() {
    bool complete = false;
    guarded(kHandlerScan, [&] {
        if (!connected() || !m_obdConnected)
            return;
        collectScanData();
        complete = m_view.scanRead;
    });
    return complete;
}

void CObdPageModel::collectScanData() {
    using Status = CObdScan::Status;
    CObdScan scan(m_device, obdSetupProtocol(m_setup));
    SObdPageView& v = m_view;
    v.scanRead = true;
    auto noted = [&](Status status, std::string& note) {
        note = status == Status::Done ? std::string() : scanNote(status);
        if (status == Status::Failed)
            v.scanRead = false;
        return status == Status::Done;
    };

    ObdReadiness readiness;
    v.readiness.clear();
    if (noted(scan.readReadiness(readiness), v.readinessNote)) {
        v.readiness.push_back(
            {translate("Kontrolka silnika"), translate(readiness.lamp ? "włączona" : "wyłączona")});
        v.readiness.push_back({translate("Zapisane błędy"), std::to_string(readiness.storedCodes)});
        for (const ObdMonitor& m : readiness.monitors)
            v.readiness.push_back({translate(m.name), translate(obdMonitorStateText(m.state))});
    }

    std::vector<std::uint16_t> codes;
    for (auto [service, list, note] :
         {std::tuple{CObdScan::kPendingCodes, &v.pendingCodes, &v.pendingNote},
          std::tuple{CObdScan::kPermanentCodes, &v.permanentCodes, &v.permanentNote}}) {
        list->clear();
        if (!noted(scan.readCodes(service, codes), *note))
            continue;
        for (std::uint16_t code : codes)
            list->push_back(m_codes.text(code));
        if (codes.empty())
            *note = translate(kMsgNoCodes);
    }

    ObdFreezeFrame frame;
    v.freezeFrame.clear();
    if (noted(scan.readFreezeFrame(frame), v.freezeNote)) {
        if (frame.code == 0) {
            v.freezeNote = translate(kMsgNoFreezeFrame);
        } else {
            v.freezeFrame.push_back(
                {translate(obdPidName(kPidFreezeCode)), m_codes.text(frame.code), ""});
            for (const ObdFreezeValue& value : frame.values) {
                const bool word = value.pid == kPidFuelSystem;
                v.freezeFrame.push_back({translate(obdPidName(value.pid)),
                                         word ? translate(value.text) : value.text,
                                         translate(obdPidUnit(value.pid))});
            }
        }
    }

    std::vector<std::string> ids;
    std::string vinNote;
    v.calibrationId.clear();
    if (noted(scan.readVehicleInfo(v.vin, ids), vinNote)) {
        for (const std::string& id : ids)
            v.calibrationId += (v.calibrationId.empty() ? "" : ", ") + id;
    } else {
        v.vin = vinNote;
    }
}

// ---------------------------------------------------------------- link and correction

void CObdPageModel::selectLink(int index) {
    m_view.link.select(index);
    if (!connected() || m_view.link.selected() < 0)
        return;
    guarded(kHandlerLink, [&] {
        CBusyScope busy(m_device.seams().cursor);
        m_setup[kObdSetupLink] = static_cast<std::uint8_t>(m_view.link.selectedValue());
        raiseObdCount(m_setup);
        if (!m_device.writeObdSetup(m_setup)) {
            message(kMsgWrite);
            return;
        }
        m_obdConnected = m_setup[kObdSetupLink] == kObdLinkOn;
        if (m_setup[kObdSetupLink] == kObdLinkOff) {
            m_corr[kObdCorrEnable] = 0;
            if (!writeCorrection())
                return;
            m_view.correctionChecked = false;
        }
        initInterface();
    });
}

void CObdPageModel::setCorrectionEnabled(bool ticked) {
    m_view.correctionChecked = ticked;
    m_view.correctionControlsVisible = ticked;
    if (!connected())
        return;
    guarded(kHandlerCorrection, [&] {
        CBusyScope busy(m_device.seams().cursor);
        std::uint8_t enable = 0;
        // A bank is corrected only when the car reports its long-term trim.
        if (ticked && m_poller.table().longTermTrim1())
            enable |= 0x01;
        if (ticked && m_poller.table().longTermTrim2())
            enable |= 0x02;
        m_corr[kObdCorrEnable] = enable;
        if (!writeCorrection() || !ticked || enable != 0)
            return;
        // Nothing can be corrected: the controller now holds "off", and the
        // box says so instead of pretending the correction runs.
        m_view.correctionChecked = false;
        m_view.correctionControlsVisible = false;
        m_device.seams().message(translate(kMsgNoLongTermTrim), IUserPrompt::Icon::Warning);
    });
}

void CObdPageModel::selectPeriod(int index) {
    m_view.period.select(index);
    if (!connected() || m_view.period.selected() < 0)
        return;
    guarded(kHandlerPeriod, [&] {
        m_corr[kObdCorrPeriod] = static_cast<std::uint8_t>(m_view.period.selectedValue() * 2);
        writeCorrection();
    });
}

void CObdPageModel::selectMaximum(int index) {
    m_view.maximum.select(index);
    if (!connected() || m_view.maximum.selected() < 0)
        return;
    guarded(kHandlerMaximum, [&] {
        m_corr[kObdCorrMaximum] = static_cast<std::uint8_t>(m_view.maximum.selectedValue());
        writeCorrection();
    });
}

void CObdPageModel::cylinderClicked(int cylinder, int bank, bool ticked) {
    if (cylinder < 1 || cylinder > SObdPageView::kCylinders || (bank != 1 && bank != 2))
        return;
    const int i = cylinder - 1;
    const bool onBank2 = bank == 2 ? ticked : !ticked;
    m_view.bank2[i] = onBank2;
    m_view.bank1[i] = !onBank2;
    if (!connected())
        return;
    guarded(kHandlerCylinder, [&] {
        std::uint8_t mask = 0;
        for (int c = 0; c < SObdPageView::kCylinders; ++c)
            if (m_view.bank2[c])
                mask = static_cast<std::uint8_t>(mask | (1u << c));
        m_corr[kObdCorrBankMask] = mask;
        writeCorrection();
    });
}

bool CObdPageModel::writeCorrection() {
    if (m_device.writeObdCorr(m_corr))
        return true;
    message(kMsgWrite);
    return false;
}
