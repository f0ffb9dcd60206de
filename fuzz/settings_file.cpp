// Settings files come from other installations and from hand edits: any bytes
// must read without a fault, and whatever image they give must go on through
// the steps a loaded file takes (applied to the device image, encoded into
// controller blocks, written again) without one either.
#include "support/FuzzInput.h"
#include "support/MemFile.h"

#include "device/Diag.h"
#include "device/codecs/BlockCodecs.h"
#include "files/SettingsFile.h"
#include "live/DiagFile.h"
#include "settings/LoadPreview.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsCopy.h"
#include "settings/SettingsDiff.h"
#include "settings/SettingsFileIo.h"

#include <cstdlib>
#include <string>

namespace {

// Every block the load sends to the controller, then decoded again as if the
// controller had echoed it.
void encodeEveryBlock(const DeviceSettings& image) {
    DeviceSettings echo;
    const auto base = vexor::encodeBase(image);
    const auto adv = vexor::encodeAdv(image);
    const auto advancedSetup = vexor::encodeAdvancedSetup(image);
    const auto mainCorr = vexor::encodeMainCorr(image);
    const auto sensors = vexor::encodeSensorsSetup(image);
    const auto setupTimes = vexor::encodeSetupTimes(image);
    const auto map = vexor::encodeInjMap(image);
    vexor::decodeSensorsSetup(sensors.data(), sensors.size(), echo);
    vexor::decodeBase(base.data(), base.size(), echo);
    vexor::decodeAdv(adv.data(), adv.size(), echo);
    vexor::decodeAdvancedSetup(advancedSetup.data(), advancedSetup.size(), echo);
    vexor::decodeMainCorr(mainCorr.data(), mainCorr.size(), echo);
    vexor::decodeSetupTimes(setupTimes.data(), setupTimes.size(), echo);
    // The map area carries its own check sum, so an encoded map must decode.
    if (!vexor::decodeInjMap(map.data(), map.size(), echo))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vexor::fuzz::CMemFile file;
    file.assign(data, size);

    DeviceSettings loaded;
    std::string missing;
    const bool complete = vexor::readSettingsFile(file.path(), loaded, &missing);
    if (complete != missing.empty())
        std::abort();

    // The single-key reader on the same bytes, for keys the image does not use.
    CSettingsFile keys;
    if (keys.open(file.path(), false)) {
        std::string text;
        double number = 0;
        keys.readText("", text);
        keys.readNumber("m_base.m_switchRPM", number);
        CSettingsFile::parseNumber(text);
        keys.close();
    }

    // A partly read image is discarded by the caller, but its members are
    // already stored: they must be harmless values too.
    DeviceSettings device;
    vexor::applyLoadedSettings(device, loaded);
    encodeEveryBlock(loaded);
    encodeEveryBlock(device);

    // Recording lines use the sensor types the file gave.
    CDiag record;
    for (std::size_t i = 0; i < CDiag::kRecordSize; ++i)
        record.setByte(i, static_cast<std::uint8_t>(i * 37 + 11));
    vexor::recordLine(record, vexor::SRecordUnits::fromSettings(loaded));

    // The strict reader of comparisons and offline edits takes only what the
    // ordinary reader takes whole, and reads the same values from it.
    DeviceSettings checked;
    vexor::SSettingsFileProblem problem;
    if (vexor::readSettingsFileChecked(file.path(), checked, problem,
                                       vexor::SettingsFileUse::Edit)) {
        if (!complete || !vexor::diffSettings(checked, loaded, true).empty())
            std::abort();
        (void)vexor::loadChanges(device, checked);
    }

    // Whatever was read can be saved, and the saved text reads back whole.
    if (complete) {
        const std::string text = vexor::formatSettingsFile(loaded);
        file.assign(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        DeviceSettings again;
        if (!vexor::readSettingsFile(file.path(), again, &missing))
            std::abort();
    }
    return 0;
}
