#include "settings/LoadPreview.h"

#include "device/LPGDevice.h"
#include "doc/SettingsCopy.h"

#include <algorithm>
#include <array>

namespace vexor {

namespace {

// The order a full load writes the blocks in.
constexpr std::array<SettingBlock, 7> kLoadOrder = {
    SettingBlock::Base,       SettingBlock::Adv, SettingBlock::MainCorr,
    SettingBlock::SetupTimes, SettingBlock::Map, SettingBlock::AdvancedSetup,
    SettingBlock::Sensors};

bool isWrittenBlock(SettingBlock block) {
    return std::find(kLoadOrder.begin(), kLoadOrder.end(), block) != kLoadOrder.end();
}

bool sameValue(const SettingInfo& info, const DeviceSettings& a, const DeviceSettings& b) {
    if (info.kind == SettingKind::Text)
        return info.text(a) == info.text(b);
    return info.number(a) == info.number(b);
}

} // namespace

DeviceSettings loadedImage(const DeviceSettings& device, const DeviceSettings& file) {
    DeviceSettings result = device;
    applyLoadedSettings(result, file);
    return result;
}

std::vector<LoadChange> loadChanges(const DeviceSettings& device, const DeviceSettings& file) {
    const DeviceSettings after = loadedImage(device, file);
    std::vector<LoadChange> changes;
    for (const SettingInfo& info : settingsSchema()) {
        if (!isWrittenBlock(info.block) || sameValue(info, device, after))
            continue;
        changes.push_back(
            {&info, settingDisplayText(info, device), settingDisplayText(info, after)});
    }
    return changes;
}

DeviceSettings withTickedKeys(const DeviceSettings& device, const DeviceSettings& file,
                              const std::vector<std::string>& keys) {
    const DeviceSettings after = loadedImage(device, file);
    DeviceSettings result = device;
    for (const std::string& key : keys) {
        const SettingInfo* info = findSetting(key);
        if (info == nullptr || !isWrittenBlock(info->block))
            continue;
        if (info->kind == SettingKind::Text)
            info->setText(result, info->text(after));
        else
            info->setNumber(result, info->number(after));
    }
    return result;
}

std::vector<SettingBlock> blocksOf(const std::vector<std::string>& keys) {
    std::vector<SettingBlock> blocks;
    for (const SettingBlock block : kLoadOrder) {
        const bool held = std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
            const SettingInfo* info = findSetting(key);
            return info != nullptr && info->block == block;
        });
        if (held)
            blocks.push_back(block);
    }
    return blocks;
}

bool writeSettingBlocks(CLPGDevice& device, const std::vector<SettingBlock>& blocks) {
    if (blocks.empty())
        return true;
    if (!device.waitForGasoline())
        return false;
    for (const SettingBlock block : blocks) {
        bool written = false;
        switch (block) {
        case SettingBlock::Base:
            written = device.writeBase();
            break;
        case SettingBlock::Adv:
            written = device.writeAdv();
            break;
        case SettingBlock::MainCorr:
            written = device.writeMainCorr();
            break;
        case SettingBlock::SetupTimes:
            written = device.writeSetupTimes();
            break;
        case SettingBlock::Map:
            written = device.writeInjMap();
            break;
        case SettingBlock::AdvancedSetup:
            written = device.writeAdvancedSetup();
            break;
        case SettingBlock::Sensors:
            written = device.writeSensorsSetup();
            break;
        default:
            break;
        }
        if (!written)
            return false;
    }
    return device.restart();
}

} // namespace vexor
