#include "device/SettingBlock.h"

#include "device/LPGDevice.h"

#include <algorithm>

namespace vexor {

namespace {

struct SBlockCalls {
    SettingBlock block;
    const char* name;
    bool (CLPGDevice::*read)();
    bool (CLPGDevice::*write)();
};

constexpr SBlockCalls kCalls[] = {
    {SettingBlock::None, "", nullptr, nullptr},
    {SettingBlock::DevInfo, "m_devInfo", &CLPGDevice::readDevInfo, nullptr},
    {SettingBlock::Statistics, "m_devInfo.m_statistic", &CLPGDevice::readStatistic, nullptr},
    {SettingBlock::Base, "m_base", &CLPGDevice::readBase, &CLPGDevice::writeBase},
    {SettingBlock::Adv, "m_adv", &CLPGDevice::readAdv, &CLPGDevice::writeAdv},
    {SettingBlock::MainCorr, "m_mainCorr", &CLPGDevice::readMainCorr, &CLPGDevice::writeMainCorr},
    {SettingBlock::SetupTimes, "m_setupTimes", &CLPGDevice::readSetupTimes,
     &CLPGDevice::writeSetupTimes},
    {SettingBlock::Sensors, "m_sensorsSetup", &CLPGDevice::readSensorsSetup,
     &CLPGDevice::writeSensorsSetup},
    {SettingBlock::Map, "m_injMapTable", &CLPGDevice::readInjMap, &CLPGDevice::writeInjMap},
    {SettingBlock::AdvancedSetup, "m_advancedSetup", &CLPGDevice::readAdvancedSetup,
     &CLPGDevice::writeAdvancedSetup},
};
static_assert(std::size(kCalls) == kSettingBlockCount);

const SBlockCalls& callsOf(SettingBlock block) {
    return kCalls[static_cast<std::size_t>(block)];
}

} // namespace

bool isLoadedBlock(SettingBlock block) {
    return std::find(kLoadOrder.begin(), kLoadOrder.end(), block) != kLoadOrder.end();
}

const char* blockName(SettingBlock block) {
    return callsOf(block).name;
}

bool readBlock(CLPGDevice& device, SettingBlock block) {
    const auto read = callsOf(block).read;
    return read != nullptr && (device.*read)();
}

bool writeBlock(CLPGDevice& device, SettingBlock block) {
    const auto write = callsOf(block).write;
    return write != nullptr && (device.*write)();
}

} // namespace vexor
