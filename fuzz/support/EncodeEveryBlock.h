#pragma once

#include "device/codecs/BlockCodecs.h"

namespace vexor::fuzz {

// Sends the image out through every block encoder: whatever the input left in
// it must encode again.
inline void encodeEveryBlock(const DeviceSettings& image) {
    vexor::encodeBase(image);
    vexor::encodeAdv(image);
    vexor::encodeAdvancedSetup(image);
    vexor::encodeMainCorr(image);
    vexor::encodeSensorsSetup(image);
    vexor::encodeSetupTimes(image);
    vexor::encodeInjMap(image);
}

} // namespace vexor::fuzz
