// Every decoder of a controller payload. The input is a sequence of records:
// a selector byte that picks the decoder, a length byte, and that many payload
// bytes (fewer at the end of the input). All records decode into the same
// image, in input order, because some blocks are read with settings an
// earlier block left (the sensor types decide how temperatures read). The
// image then goes back out through every encoder.
#include "support/EncodeEveryBlock.h"
#include "support/FuzzInput.h"

#include "device/Cipher.h"
#include "device/Diag.h"
#include "device/InjPattern.h"
#include "device/LPGDeviceErr.h"
#include "device/LoadMap.h"
#include "device/ObdReply.h"
#include "device/SerialNumber.h"
#include "device/codecs/BlockCodecs.h"
#include "live/DiagFile.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum Decoder : std::uint8_t {
    DevInfo,
    Statistic,
    Base,
    Adv,
    AdvancedSetup,
    MainCorr,
    SetupTimes,
    Sensors,
    InjMap,
    Live,
    Load,
    Serial,
    Obd,
    Errors,
    Pattern,
    DecoderCount
};

// A block read and written back unchanged must read back as the same
// settings: a page that stores a value it did not touch must not move it.
template <class Decode, class Encode>
void decodeStable(const std::vector<std::uint8_t>& payload, DeviceSettings& settings, Decode decode,
                  Encode encode) {
    if (!decode(payload.data(), payload.size(), settings))
        return;
    const auto written = encode(settings);
    DeviceSettings again = settings;
    if (!decode(written.data(), written.size(), again))
        std::abort();
    // The always-on flag goes out set whatever the image holds.
    if ((again.m_base.m_flags ^ settings.m_base.m_flags) == vexor::kBaseFlagAlwaysOn)
        again.m_base.m_flags = settings.m_base.m_flags;
    // A drive parameter of 10 and less travels without its bias and so reads
    // back 10 higher; no injector type uses such a value.
    if (settings.m_adv.m_pwm <= 10 && again.m_adv.m_pwm == settings.m_adv.m_pwm + 10)
        again.m_adv.m_pwm = settings.m_adv.m_pwm;
    if (!(again == settings))
        std::abort();
}

void checkRecordRoutines(const CDiag& record, const DeviceSettings& settings) {
    record.rpm();
    for (int i = -1; i <= CDiag::kInjectorCount; ++i)
        record.injectorTimes(i);
    for (int k = -1; k <= CDiag::kChannelCount; ++k) {
        record.petrolMs(k);
        vexor::decodeGasCorrection(record.gasCorrWord(k));
    }
    vexor::recordLine(record, vexor::SRecordUnits::fromSettings(settings));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Built once: its texts come from the phrase table, not from the input.
    static CLPGDeviceErr errors;
    if (errors.errorDecoderCount() == 0)
        errors.buildErrorDecoders();

    vexor::fuzz::CFuzzInput in(data, size);
    DeviceSettings settings;
    while (!in.empty()) {
        const std::uint8_t decoder = in.byte() % DecoderCount;
        const std::vector<std::uint8_t> payload = in.take(in.byte());
        const std::uint8_t* p = payload.data();
        const std::size_t n = payload.size();
        switch (decoder) {
        case DevInfo: {
            vexor::SerialBytes serial{};
            if (vexor::decodeDevInfo(p, n, settings, serial))
                settings.m_devInfo.m_serial = vexor::serialFromDeviceBytes(serial.data());
            break;
        }
        case Statistic:
            vexor::decodeStatistic(p, n, settings);
            break;
        case Base:
            decodeStable(payload, settings, vexor::decodeBase, vexor::encodeBase);
            break;
        case Adv:
            decodeStable(payload, settings, vexor::decodeAdv, vexor::encodeAdv);
            break;
        case AdvancedSetup:
            decodeStable(payload, settings, vexor::decodeAdvancedSetup, vexor::encodeAdvancedSetup);
            break;
        case MainCorr:
            decodeStable(payload, settings, vexor::decodeMainCorr, vexor::encodeMainCorr);
            break;
        case SetupTimes:
            decodeStable(payload, settings, vexor::decodeSetupTimes, vexor::encodeSetupTimes);
            break;
        case Sensors:
            decodeStable(payload, settings, vexor::decodeSensorsSetup, vexor::encodeSensorsSetup);
            break;
        case InjMap: {
            // A map whose check sum is right is what the controller sends; fix it
            // up when the area is whole, or the decoder would refuse nearly all.
            std::vector<std::uint8_t> area = payload;
            area.resize(vexor::kInjMapAreaLength, 0);
            const std::uint16_t sum = vexor::injMapChecksum(area.data());
            area[vexor::kInjMapChecksumOffset] = static_cast<std::uint8_t>(sum >> 8);
            area[vexor::kInjMapChecksumOffset + 1] = static_cast<std::uint8_t>(sum);
            decodeStable(area, settings, vexor::decodeInjMap, vexor::encodeInjMap);
            if (!vexor::decodeInjMap(area.data(), area.size(), settings))
                std::abort();
            vexor::decodeInjMap(p, n, settings);
            break;
        }
        case Live: {
            CDiag record;
            record.fromPayload(p, n);
            checkRecordRoutines(record, settings);
            break;
        }
        case Load: {
            LoadMap map;
            vexor::decodeLoadMap(p, n, map);
            break;
        }
        case Serial: {
            std::uint8_t bytes[16] = {};
            for (std::size_t i = 0; i < n && i < sizeof bytes; ++i)
                bytes[i] = p[i];
            vexor::serialFromDeviceBytes(bytes);
            CCipher cipher;
            cipher.decipher(std::string(payload.begin(), payload.end()), vexor::kSerialKeyText);
            break;
        }
        case Obd: {
            ObdReply reply;
            reply.payload = payload;
            const std::size_t count = reply.entryCount();
            if (count > reply.declaredEntries())
                std::abort();
            unsigned sum = 0;
            for (std::size_t k = 0; k <= count; ++k) {
                const std::uint8_t* entry = reply.entry(k);
                if ((entry == nullptr) != (k == count))
                    std::abort();
                for (std::size_t b = 0; entry != nullptr && b < ObdReply::kEntryLength; ++b)
                    sum += entry[b];
            }
            if (sum > count * ObdReply::kEntryLength * 255)
                std::abort();
            break;
        }
        case Errors: {
            CLPGDeviceErr::ErrorBytes bytes{};
            for (std::size_t i = 0; i < n && i < bytes.size(); ++i)
                bytes[i] = p[i];
            errors.describeErrors(bytes);
            break;
        }
        case Pattern: {
            vexor::InjSequence sequence{};
            for (std::size_t i = 0; i < n && i < sequence.size(); ++i)
                sequence[i] = p[i];
            vexor::recognizeInjPattern(sequence, settings.m_devInfo.m_injCount);
            vexor::recognizeInjPattern(sequence, static_cast<std::int8_t>(n));
            break;
        }
        }
    }

    // Whatever the controller sent, the image must encode again.
    vexor::fuzz::encodeEveryBlock(settings);
    return 0;
}
