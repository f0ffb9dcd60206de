// The document's whole-image actions on settings: load a settings file into
// the controller, save the image to a file, restore the factory settings.

#include "doc/KorvantisDoc.h"

#include "common/IError.h"
#include "doc/SettingsCopy.h"
#include "files/SettingsFileIo.h"
#include "lang/Translate.h"

#include <memory>

namespace {

constexpr const char* kSettingsExtension = "xset";

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
    if (!blockRead(ImageBlock::AdvancedSetup)) {
        message(kMsgImageIncomplete);
        return DocResult::Failed;
    }

    // Read into an image of its own: a file that breaks off half way must
    // not leave half its values in the device image.
    DeviceSettings loaded;
    if (!vexor::readSettingsFile(path, loaded)) {
        message(kMsgFileRead);
        return DocResult::FileError;
    }
    vexor::applyLoadedSettings(settings(), loaded);

    CBusyScope busy(seams().cursor);
    return writeLoadedImage();
}

DocResult CKorvantisDoc::writeLoadedImage() {
    // Most blocks are taken only while the engine runs on petrol; the restart
    // makes the controller work with the new values.
    const bool written = waitForGasoline() && writeBase() && writeAdv() && writeMainCorr() &&
                         writeSetupTimes() && writeInjMap() && writeAdvancedSetup() &&
                         writeSensorsSetup() && restart();
    if (!written) {
        message(kMsgSetDevice);
        return DocResult::Failed;
    }
    if (m_pageRefreshHook)
        m_pageRefreshHook();
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
            message(kMsgFileWrite);
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
    vexor::applyFactoryDefaults(settings());

    CBusyScope busy(seams().cursor);
    // The map is cleared and committed by the controller itself instead of
    // being written cell by cell.
    const bool written = waitForGasoline() && writeBase() && writeAdv() && writeMainCorr() &&
                         writeSetupTimes() && clearMap() && commitMap() && writeSensorsSetup() &&
                         writeAdvancedSetup() && restart();
    if (!written) {
        message(kMsgSetDevice);
        return DocResult::Failed;
    }
    if (m_refreshHook)
        m_refreshHook();
    return DocResult::Done;
}
