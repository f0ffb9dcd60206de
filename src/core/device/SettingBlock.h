#pragma once

#include <array>
#include <cstddef>

class CLPGDevice;

// The blocks of the controller's settings image. Each setting names the
// block that holds it; whoever writes settings writes whole blocks, each
// through writeBlock.
namespace vexor {

enum class SettingBlock : unsigned {
    None, // what only the settings file keeps (time stamp, vehicle description)
    DevInfo,
    Statistics,
    Base,
    Adv,
    MainCorr,
    SetupTimes,
    Sensors,
    Map, // the injection map in controller memory
    AdvancedSetup
};

inline constexpr std::size_t kSettingBlockCount = 10;

// The order a settings load writes the blocks in.
inline constexpr std::array<SettingBlock, 7> kLoadOrder = {
    SettingBlock::Base,       SettingBlock::Adv, SettingBlock::MainCorr,
    SettingBlock::SetupTimes, SettingBlock::Map, SettingBlock::AdvancedSetup,
    SettingBlock::Sensors};

// The order the whole image is read in at connection.
inline constexpr std::array<SettingBlock, 8> kImageReadOrder = {
    SettingBlock::DevInfo, SettingBlock::Sensors,      SettingBlock::Base,
    SettingBlock::Adv,     SettingBlock::MainCorr,     SettingBlock::SetupTimes,
    SettingBlock::Map,     SettingBlock::AdvancedSetup};

// Whether a settings load writes the block.
bool isLoadedBlock(SettingBlock block);

// The block's name as the settings file's keys start ("m_base", ...); "" for None.
const char* blockName(SettingBlock block);

// Reads the block from the controller into the device's image.
bool readBlock(CLPGDevice& device, SettingBlock block);
// Writes the block from the device's image; false for a block that is never
// written as a whole (identity, statistics, the file-only members).
bool writeBlock(CLPGDevice& device, SettingBlock block);

} // namespace vexor
