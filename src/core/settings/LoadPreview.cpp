#include "settings/LoadPreview.h"

#include "device/LPGDevice.h"
#include "settings/SettingsCopy.h"

#include <algorithm>

namespace vexor {

namespace {

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
        if (!isLoadedBlock(info.block) || sameValue(info, device, after))
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
        if (info == nullptr || !isLoadedBlock(info->block))
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
    const bool written = std::all_of(blocks.begin(), blocks.end(),
                                     [&](SettingBlock block) { return writeBlock(device, block); });
    return written && device.restart();
}

} // namespace vexor
