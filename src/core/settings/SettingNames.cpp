#include "settings/SettingNames.h"

namespace vexor {

const char* settingOwnName(const std::string& key) {
    struct SName {
        const char* key;
        const char* polish;
    };
    static constexpr SName kNames[] = {
        {"m_adv.m_injectorType", "Typ wtryskiwacza"},
        {"m_adv.m_pwmOffset", "Przesunięcie PWM"},
        {"m_adv.m_pwm", "Wypełnienie PWM"},
        {"m_adv.m_injectorWarmingImpulse", "Impuls rozgrzewania"},
    };
    for (const SName& name : kNames) {
        if (key == name.key)
            return name.polish;
    }
    return nullptr;
}

} // namespace vexor
