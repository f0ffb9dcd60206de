// Every block encoder fed with arbitrary doubles: the input's bytes, eight at
// a time, become the value of each numeric member of the image in settings
// file order (any bit pattern: NaN, infinities, denormals, numbers far
// outside every field), integer members take the low bits of the same
// pattern. Every encoder must give defined bytes without undefined
// behaviour, and the load's check must name a member or none.
#include "support/EncodeEveryBlock.h"
#include "support/FuzzInput.h"

#include "device/codecs/BaseCodec.h"
#include "files/SettingsKeys.h"
#include "settings/SettingsCheck.h"

#include <cstring>
#include <string>
#include <type_traits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexor::fuzz::CFuzzInput input(data, size);
    DeviceSettings image;
    auto fill = [&](const std::string&, auto& member) {
        using T = std::decay_t<decltype(member)>;
        if constexpr (!std::is_same_v<T, std::string>) {
            const std::vector<std::uint8_t> bytes = input.take(sizeof(double));
            if (bytes.size() < sizeof(double))
                return;
            if constexpr (std::is_floating_point_v<T>) {
                std::memcpy(&member, bytes.data(), sizeof(double));
            } else {
                std::memcpy(&member, bytes.data(), sizeof(T));
            }
        }
    };
    vexor::settings_keys::baseKeys(image, fill);
    vexor::settings_keys::advKeys(image, fill);
    vexor::settings_keys::mainCorrKeys(image, fill);
    vexor::settings_keys::sensorsKeys(image, fill);
    vexor::settings_keys::setupTimesKeys(image, fill);
    vexor::settings_keys::mapKeys(image, fill);
    vexor::settings_keys::advancedSetupKeys(image, fill);

    vexor::fuzz::encodeEveryBlock(image);
    (void)vexor::heldEmulatorDelay(image.m_base.m_emulatorDelay);
    std::string key;
    std::string holds;
    if (vexor::findUnholdable(image, key, holds) && key.empty())
        __builtin_trap();
    return 0;
}
