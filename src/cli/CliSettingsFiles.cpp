// `settings diff` and `settings set`: comparing settings, and editing a
// settings file without a controller.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"

#include "lang/Translate.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsDiff.h"
#include "settings/SettingsFileIo.h"
#include "settings/SettingsSchema.h"

using namespace vexor::cli;

namespace {

constexpr const char* kMsgUnknownKey = "Nieznany klucz";
constexpr const char* kMsgReadOnlyKey = "Tego ustawienia nie można zmieniać";
constexpr const char* kMsgRefusedValue = "Niedozwolona wartość";
constexpr const char* kMsgAccepted = "Dozwolone wartości";

} // namespace

void CCliCommands::printDifferences(const std::vector<vexor::SettingDifference>& differences) {
    printOut(m_options.json ? differencesJson(differences) : vexor::differenceLines(differences));
}

bool CCliCommands::readSettingsArgument(const std::string& path, DeviceSettings& target) {
    using Kind = vexor::SSettingsFileProblem::Kind;
    vexor::SSettingsFileProblem check;
    if (vexor::readSettingsFileChecked(path, target, check, vexor::SettingsFileUse::Edit))
        return true;
    // A file that could not be read at all is named with the system's
    // reason, as a load names it.
    if (check.kind == Kind::Unreadable || check.kind == Kind::NotRegular) {
        fileRefusal(CKorvantisDoc::kMsgFileRead, check.describe());
        return false;
    }
    // The load's own message first, then what exactly is wrong.
    std::string text =
        vexor::translate(CKorvantisDoc::kMsgFileRead) + "\n" + vexor::translate(check.title());
    switch (check.kind) {
    case Kind::LongLine:
    case Kind::Binary:
        text += ": " + path + ":" + check.subject(path);
        break;
    case Kind::MissingKey:
    case Kind::BadValue:
        text += ": " + path + ": " + check.subject(path);
        break;
    default:
        text += ": " + path;
        break;
    }
    m_prompt.message(text, IUserPrompt::Icon::Error);
    return false;
}

int CCliCommands::cmdSettingsDiff(const Args& args) {
    bool all = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (m_options.optionAt(i) && args[i] == "--all")
            all = true;
        else
            files.push_back(args[i]);
    }
    if (files.empty() || files.size() > 2 || files[0].empty() ||
        (files.size() == 2 && files[1].empty()))
        return usage("settings diff needs FILE, or FILE1 FILE2");

    // Every file is checked before a port is opened.
    DeviceSettings first;
    DeviceSettings second;
    if (!readSettingsArgument(files[0], first))
        return kExitUsage;
    if (files.size() == 2) {
        if (!readSettingsArgument(files[1], second))
            return kExitUsage;
        printDifferences(vexor::diffSettings(first, second, all));
        return kExitDone;
    }
    if (const int status = connectController())
        return status;
    printDifferences(vexor::diffSettings(m_doc.settings(), first, all));
    return kExitDone;
}

int CCliCommands::cmdSettingsSet(const Args& args) {
    if (args.size() < 4 || args.size() % 2 != 0 || args[1].empty())
        return usage("settings set needs FILE and KEY VALUE pairs");
    const std::string& path = args[1];
    DeviceSettings image;
    if (!readSettingsArgument(path, image))
        return kExitUsage;

    // Every pair is checked before the file is touched, so a refused value
    // leaves it byte for byte as it was.
    for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
        const std::string& key = args[i];
        const std::string& value = args[i + 1];
        const vexor::SettingInfo* info = vexor::findSetting(key);
        if (info == nullptr) {
            m_prompt.message(vexor::translate(kMsgUnknownKey) + ": " + key,
                             IUserPrompt::Icon::Error);
            return kExitUsage;
        }
        if (info->readOnly) {
            m_prompt.message(vexor::translate(kMsgReadOnlyKey) + ": " + key,
                             IUserPrompt::Icon::Error);
            return kExitUsage;
        }
        std::string accepts;
        if (!vexor::setSettingFromText(*info, image, value, accepts)) {
            m_prompt.message(vexor::translate(kMsgRefusedValue) + ": " + key + " = " + value +
                                 "\n" + vexor::translate(kMsgAccepted) + ": " + accepts,
                             IUserPrompt::Icon::Error);
            return kExitUsage;
        }
    }
    // The time stamp stays: it tells when the settings were read from a car.
    if (!vexor::writeSettingsFile(path, image)) {
        message(CKorvantisDoc::kMsgFileWrite);
        return kExitUsage;
    }
    return kExitDone;
}
