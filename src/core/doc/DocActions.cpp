// The document's whole-image actions on settings: load a settings file into
// the controller, save the image to a file, restore the factory settings.

#include "doc/KorvantisDoc.h"

#include "common/IError.h"
#include "lang/Translate.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsCopy.h"
#include "settings/SettingsFileIo.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

namespace {

constexpr const char* kSettingsExtension = "xset";

// The factory settings go out with the sensors block before the advanced
// setup, the other way round from a load.
constexpr std::array<vexor::SettingBlock, 7> kDefaultsOrder = {
    vexor::SettingBlock::Base,         vexor::SettingBlock::Adv, vexor::SettingBlock::MainCorr,
    vexor::SettingBlock::SetupTimes,   vexor::SettingBlock::Map, vexor::SettingBlock::Sensors,
    vexor::SettingBlock::AdvancedSetup};

} // namespace

DocResult CKorvantisDoc::OnFileReadSettings() {
    try {
        return loadSettings();
    } catch (IError* error) {
        reportError(kHandlerLoad, std::unique_ptr<IError>(error));
        return DocResult::PortError;
    }
}

DocResult CKorvantisDoc::loadSettings() {
    IFileChooser* chooser = seams().chooser;
    const std::string path = chooser ? chooser->openPath(settingsFolder(), kSettingsExtension) : "";
    if (path.empty())
        return DocResult::Cancelled;
    // The load keeps a few members as the controller has them (the service
    // limit, the inspection reminder): unread, they would be overwritten
    // with defaults.
    if (!blockRead(vexor::SettingBlock::AdvancedSetup)) {
        message(kMsgImageIncomplete);
        return DocResult::Failed;
    }

    // Read into an image of its own: a file that breaks off half way must
    // not leave half its values in the device image.
    DeviceSettings loaded;
    vexor::SSettingsFileProblem problem;
    if (!vexor::readSettingsFileChecked(path, loaded, problem)) {
        seams().message(vexor::refusedLoadText(kMsgFileRead, problem), IUserPrompt::Icon::Error);
        return DocResult::FileError;
    }
    if (m_changeGuard && !m_changeGuard())
        return DocResult::FileError;
    vexor::applyLoadedSettings(settings(), loaded);

    CBusyScope busy(seams().cursor);
    const DocResult result = writeImage(vexor::kLoadOrder, false);
    if (result == DocResult::Done && m_pageRefreshHook)
        m_pageRefreshHook();
    return result;
}

DocResult CKorvantisDoc::writeImage(std::span<const vexor::SettingBlock> order,
                                    bool clearMapBlock) {
    // Most blocks are taken only while the engine runs on petrol; the restart
    // makes the controller work with the new values.
    if (!waitForGasoline()) {
        message(kMsgSetDevice);
        return DocResult::Failed;
    }
    // From the first block on, a failure leaves the controller half-written.
    m_writeUnderWay = kMsgHalfWritten;
    const auto write = [&](vexor::SettingBlock block) {
        if (clearMapBlock && block == vexor::SettingBlock::Map)
            return clearMap() && commitMap();
        return vexor::writeBlock(*this, block);
    };
    if (!std::all_of(order.begin(), order.end(), write) || !restart()) {
        failedWrite(kMsgSetDevice);
        return DocResult::Failed;
    }
    m_writeUnderWay = nullptr;
    return DocResult::Done;
}

DocResult CKorvantisDoc::OnFileWriteSettings() {
    try {
        // A block that was not read holds defaults or another controller's
        // values; a file made from it would look right and be wrong.
        if (!imageComplete()) {
            message(kMsgSaveIncomplete);
            return DocResult::Failed;
        }
        vexor::stampNow(settings());
        IFileChooser* chooser = seams().chooser;
        const std::string path =
            chooser ? chooser->savePath(settingsFolder(), kSettingsExtension, {}) : "";
        if (path.empty())
            return DocResult::Cancelled;
        if (!vexor::writeSettingsFile(path, settings())) {
            const int error = errno;
            seams().message(vexor::translate(kMsgFileWrite) + "\n" + path + ": " +
                                std::strerror(error),
                            IUserPrompt::Icon::Error);
            return DocResult::FileError;
        }
        return DocResult::Done;
    } catch (IError* error) {
        reportError(kHandlerSave, std::unique_ptr<IError>(error));
        return DocResult::PortError;
    }
}

DocResult CKorvantisDoc::OnDefaultValues() {
    try {
        return restoreDefaults();
    } catch (IError* error) {
        reportError(kHandlerDefaults, std::unique_ptr<IError>(error));
        return DocResult::PortError;
    }
}

DocResult CKorvantisDoc::restoreDefaults() {
    if (!seams().ask(vexor::translate(kMsgDefaultsQuestion), true))
        return DocResult::Cancelled;
    if (m_changeGuard && !m_changeGuard())
        return DocResult::FileError;
    vexor::applyFactoryDefaults(settings());

    CBusyScope busy(seams().cursor);
    // The map is cleared and committed by the controller itself instead of
    // being written cell by cell.
    const DocResult result = writeImage(kDefaultsOrder, true);
    if (result == DocResult::Done && m_refreshHook)
        m_refreshHook();
    return result;
}
