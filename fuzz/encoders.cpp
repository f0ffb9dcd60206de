// Every block encoder fed with arbitrary doubles: the input's bytes, eight at
// a time, become the value of each numeric member of the image in settings
// file order (any bit pattern: NaN, infinities, denormals, numbers far
// outside every field), integer members take the low bits of the same
// pattern. Every encoder must give defined bytes without undefined
// behaviour, and the load's check must name a member or none.
#include "support/EncodeEveryBlock.h"
#include "support/EncodedMembers.h"
#include "support/FuzzInput.h"

#include "device/codecs/BaseCodec.h"
#include "settings/SettingsCheck.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexor::fuzz::CFuzzInput input(data, size);
    static const std::vector<const vexor::SettingInfo*> rows = vexor::fuzz::encodedNumberRows();
    DeviceSettings image;
    for (const vexor::SettingInfo* info : rows) {
        const std::vector<std::uint8_t> bytes = input.take(sizeof(double));
        if (bytes.size() < sizeof(double))
            break;
        if (info->integral) {
            // The low bytes of the pattern, as the member's type keeps them:
            // the schema stores the low bits of a whole number.
            std::uint32_t low = 0;
            std::memcpy(&low, bytes.data(), sizeof low);
            info->setNumber(image, static_cast<double>(low));
        } else {
            double value = 0;
            std::memcpy(&value, bytes.data(), sizeof value);
            info->setNumber(image, value);
        }
    }

    vexor::fuzz::encodeEveryBlock(image);
    (void)vexor::heldEmulatorDelay(image.m_base.m_emulatorDelay);
    std::string key;
    std::string holds;
    if (vexor::findUnholdable(image, key, holds) && key.empty())
        __builtin_trap();
    return 0;
}
