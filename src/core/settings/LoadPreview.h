#pragma once

#include "device/DeviceSettings.h"
#include "settings/SettingsSchema.h"

#include <string>
#include <vector>

class CLPGDevice;

// What loading a settings file would change, shown before anything is
// written, and the load of only the settings the fitter kept ticked.
namespace vexor {

struct LoadChange {
    const SettingInfo* info = nullptr;
    std::string controller; // the value in the words the pages use
    std::string file;
};

// The image a full load of `file` would leave: the load's copy rules applied
// to a copy of `device` (identity, vehicle description and time stamp stay,
// the inspection reminder stays, the station code stays).
DeviceSettings loadedImage(const DeviceSettings& device, const DeviceSettings& file);

// The settings a full load would change, in settings-file order.
std::vector<LoadChange> loadChanges(const DeviceSettings& device, const DeviceSettings& file);

// `device` with only the given keys taken from the load of `file`; keys that
// a load does not change (or that no file has) are ignored.
DeviceSettings withTickedKeys(const DeviceSettings& device, const DeviceSettings& file,
                              const std::vector<std::string>& keys);

// The blocks holding the keys, in the order a full load writes them.
std::vector<SettingBlock> blocksOf(const std::vector<std::string>& keys);

// Writes the blocks from the device's image as a full load does: petrol
// first, the blocks in load order, then the restart. Stops at the first
// failure. An empty list sends nothing and succeeds.
bool writeSettingBlocks(CLPGDevice& device, const std::vector<SettingBlock>& blocks);

} // namespace vexor
