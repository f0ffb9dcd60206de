// The firmware update: choose and check an image file, program the
// controller page by page, and find it again after its restart.

#include "doc/KorvantisDoc.h"

#include "common/IError.h"
#include "files/FirmwareFile.h"
#include "lang/Translate.h"

#include <memory>
#include <optional>

namespace {

constexpr const char* kFirmwareExtension = "img";

} // namespace

DocResult CKorvantisDoc::OnDeviceUpdate() {
    try {
        return updateFirmware();
    } catch (IError* error) {
        reportError(kHandlerUpdate, std::unique_ptr<IError>(error));
        return DocResult::PortError;
    }
}

DocResult CKorvantisDoc::updateFirmware() {
    IFileChooser* chooser = seams().chooser;
    const std::string path = chooser ? chooser->openPath(firmwareFolder(), kFirmwareExtension) : "";
    if (path.empty())
        return DocResult::Cancelled;

    if (!waitForGasoline()) {
        message(kMsgPetrol);
        return DocResult::Failed;
    }
    const auto deviceVersion = static_cast<std::uint16_t>(settings().m_devInfo.m_version);

    std::optional<CBusyScope> busy(std::in_place, seams().cursor);
    {
        CFirmwareFile file;
        std::uint16_t fileVersion = 0;
        if (!file.loadFor(path, settings().m_devInfo.m_producer, fileVersion)) {
            seams().message(vexor::translate(kMsgProgramming) + "\n" +
                                vexor::translate(CFirmwareFile::refusalText(file.refusal())),
                            IUserPrompt::Icon::Error);
            return DocResult::FileError;
        }
        if (fileVersion < deviceVersion &&
            !seams().ask(vexor::translate(kMsgDowngradeQuestion), false))
            return DocResult::Cancelled;

        stopPolling();
        pause(kProgrammingPause);
        // From the access code on, the controller waits in programming mode
        // for a whole image; anything less leaves it unusable until flashed.
        m_writeUnderWay = kMsgHalfProgrammed;
        if (!enterProgramming()) {
            failedWrite(kMsgProgramming);
            return DocResult::Failed;
        }
        pause(kProgrammingPause);
        if (!programImage(file.image(), file.imageSize(), file.pageCount(), m_progressHook)) {
            failedWrite(kMsgProgramming);
            return DocResult::Failed;
        }
        m_writeUnderWay = nullptr;
        // The controller leaves programming mode on its own once restarted;
        // whether it acknowledges either request does not change what follows.
        (void)endProgramming();
        (void)restartAfterProgramming();
        pause(kProgrammingPause);
    }
    busy.reset();

    // The search reads the controller again, its new version included.
    (void)connect();
    if (!isConnected()) {
        message(kMsgProgramming);
        return DocResult::Failed;
    }
    startPolling();
    if (m_pageRefreshHook)
        m_pageRefreshHook();
    return DocResult::Done;
}
