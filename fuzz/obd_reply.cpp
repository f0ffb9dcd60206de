// OBD answers pass the controller through from whatever units sit on the car's
// bus, so their contents are the least trusted of all. The first input byte
// picks what runs:
//  - even: one request (bit 1: the several-values request), the request
//    record (20 or 34 bytes), the count of trouble codes the unit announced,
//    then the port script of CReplyPort. An answer that arrives is read entry
//    by entry, as values and as trouble codes, then as whole answers.
//  - odd: the OBD page and the calibration page's value poller run a few of
//    their actions (one byte each, after a count byte) against the peer.
#include "support/FuzzInput.h"
#include "support/InstantSleep.h"
#include "support/ReplyPort.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "device/ObdReply.h"
#include "obd/OBDCodes.h"
#include "obd/ObdDiagnostic.h"
#include "obd/ObdFreezeFrame.h"
#include "obd/ObdMessages.h"
#include "obd/ObdPageModel.h"
#include "obd/ObdReadiness.h"
#include "obd/ObdValues.h"
#include "obd/ObdVehicleInfo.h"
#include "obd/TroubleCodes.h"

#include <cstdlib>
#include <memory>

namespace {

void readEntries(const ObdReply& reply, int announced) {
    const std::size_t count = reply.entryCount();
    if (count > reply.declaredEntries() ||
        ObdReply::kCountLength + count * ObdReply::kEntryLength > reply.payload.size())
        std::abort();
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t* entry = reply.entry(k);
        if (entry == nullptr)
            std::abort();
        vexor::storedCodeCount(entry);
        const std::uint8_t pid = entry[6];
        vexor::obdPidBit(pid);
        vexor::obdValueText(pid, entry[7], entry[8]);
        vexor::obdStandardName(entry[7]);
    }
    if (reply.entry(count) != nullptr)
        std::abort();

    static const COBDCodes texts;
    for (std::uint16_t code : vexor::troubleCodesFromAnswer(reply, announced))
        texts.text(code);

    // The same frames put together into whole answers, read as every scan
    // answer they could be.
    for (const vexor::ObdMessage& m : vexor::obdMessages(reply)) {
        if (m.bytes.size() > 4095)
            std::abort();
        vexor::obdVin(m);
        vexor::obdCalibrationIds(m);
        std::vector<std::uint8_t> data;
        for (std::uint8_t pid : vexor::obdFreezePids())
            if (vexor::obdFreezeData(m, pid, data))
                vexor::obdFreezeValueText(pid, data);
        if (m.bytes.size() >= 6)
            vexor::decodeReadiness(m.bytes[2], m.bytes[3], m.bytes[4], m.bytes[5]);
    }
}

void runRequest(vexor::fuzz::CFuzzInput& in, bool several) {
    vexor::ObdRequest single{};
    vexor::ObdMultiRequest multi{};
    if (several) {
        for (auto& b : multi)
            b = in.byte();
    } else {
        for (auto& b : single)
            b = in.byte();
    }
    const int announced = in.byte() & 0x7F;
    vexor::fuzz::CReplyPort port(in);
    CLPGDevice device(&port);
    ObdReply reply;
    const bool ok =
        several ? device.obdMultiRequest(multi, reply) : device.obdRequest(single, reply);
    if (ok)
        readEntries(reply, announced);
    else if (!reply.payload.empty())
        std::abort();
}

void runPages(vexor::fuzz::CFuzzInput& in) {
    const int count = 1 + (in.byte() & 7);
    std::vector<std::uint8_t> actions;
    for (int i = 0; i < count; ++i)
        actions.push_back(in.byte());
    vexor::fuzz::CReplyPort port(in);
    CLPGDevice device(&port);
    device.setConnected(true);
    device.settings().m_devInfo.m_flags1 = 1; // the controller has an OBD interface
    CObdPageModel page(device);
    CObdDiagnostic values(device);
    for (std::uint8_t action : actions) {
        switch (action % 8) {
        case 0:
            page.updatePage();
            break;
        case 1:
            page.poll();
            break;
        case 2:
            page.readTroubleCodes();
            if (action & 8)
                page.readScanData();
            break;
        case 3:
            page.clearTroubleCodes();
            break;
        case 4:
            page.selectLink(action >> 3 & 3);
            break;
        case 5:
            page.setCorrectionEnabled((action & 8) != 0);
            break;
        case 6:
            values.initialise();
            break;
        case 7:
            values.onGetDiag();
            for (int slot = 0; slot <= 8; ++slot)
                values.text(slot);
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexor::fuzz::CInstantSleep instant;
    vexor::fuzz::CFuzzInput in(data, size);
    const std::uint8_t mode = in.byte();
    try {
        if (mode & 1)
            runPages(in);
        else
            runRequest(in, (mode & 2) != 0);
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        owned->description();
    }
    return 0;
}
