#include "backup/RawRestorePlan.h"

#include "lang/Translate.h"

#include <sys/stat.h>

namespace {

constexpr const char* kMsgRawMissing =
    "Ta kopia nie zawiera bloków sterownika zapisanych bajt po bajcie.";
constexpr const char* kMsgRawDamaged = "Plik bloków sterownika tej kopii jest uszkodzony.";
constexpr const char* kMsgRawOther =
    "Bloki tej kopii pochodzą z innego sterownika lub innej wersji oprogramowania.";
constexpr const char* kMsgRawFallback =
    "Ustawienia zostaną przywrócone z pliku ustawień: niektóre wartości mogą nieznacznie różnić "
    "się od tych, które sterownik miał w chwili wykonania kopii.";

} // namespace

SRawRestorePlan SRawRestorePlan::forBackup(const std::string& settingsPath) {
    SRawRestorePlan plan;
    const std::string path = vexor::rawBackupPath(settingsPath);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        plan.state = State::Missing;
        return plan;
    }
    if (!vexor::readRawBackup(path, plan.backup, plan.detail)) {
        plan.state = State::Damaged;
        return plan;
    }
    // Blocks the controller would not read back as settings (a map whose
    // check sum is wrong) are not worth writing.
    DeviceSettings probe;
    if (!plan.backup.image.decodeInto(probe)) {
        plan.state = State::Damaged;
        plan.detail = path + ": the blocks do not decode as settings";
        return plan;
    }
    plan.state = State::Usable;
    return plan;
}

void SRawRestorePlan::checkController(const DeviceSettings& controller) {
    if (state != State::Usable)
        return;
    const auto& info = controller.m_devInfo;
    if (info.m_version != backup.version || info.m_serial != backup.serial) {
        state = State::OtherController;
        detail = backup.serial + " " + std::to_string(backup.version) + " / " + info.m_serial +
                 " " + std::to_string(info.m_version);
    }
}

std::string SRawRestorePlan::fallbackMessage() const {
    const char* why = nullptr;
    switch (state) {
    case State::Usable:
        return {};
    case State::Missing:
        why = kMsgRawMissing;
        break;
    case State::Damaged:
        why = kMsgRawDamaged;
        break;
    case State::OtherController:
        why = kMsgRawOther;
        break;
    }
    std::string text = vexor::translate(why);
    if (!detail.empty())
        text += "\n" + detail;
    return text + "\n" + vexor::translate(kMsgRawFallback);
}
