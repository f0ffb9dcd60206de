// Restoring a backup's raw blocks: the controller gets back exactly the
// bytes it held, which a settings file cannot always give (it keeps values
// as the pages show them).

#include "doc/KorvantisDoc.h"

#include "common/IError.h"

#include <memory>

DocResult CKorvantisDoc::OnRestoreRaw(const CRawImage& raw) {
    try {
        return restoreRaw(raw);
    } catch (IError* error) {
        reportError(kHandlerRestoreRaw, std::unique_ptr<IError>(error));
        return DocResult::PortError;
    }
}

DocResult CKorvantisDoc::restoreRaw(const CRawImage& raw) {
    // Checked whole before anything is sent: a restore never writes a part,
    // nor blocks that would not read back (a map with a wrong check sum).
    DeviceSettings restored = settings();
    if (!raw.decodeInto(restored))
        return DocResult::FileError;
    if (m_changeGuard && !m_changeGuard())
        return DocResult::FileError;

    CBusyScope busy(seams().cursor);
    if (!waitForGasoline()) {
        message(kMsgSetDevice);
        return DocResult::Failed;
    }
    m_writeUnderWay = kMsgHalfWritten;
    bool written = true;
    for (const SRawBlock& block : raw.blocks()) {
        if (block.writeCommand != 0 && !writeRaw(block)) {
            written = false;
            break;
        }
    }
    if (!written || !restart()) {
        failedWrite(kMsgSetDevice);
        return DocResult::Failed;
    }
    m_writeUnderWay = nullptr;

    // The image follows what the controller now holds.
    settings() = std::move(restored);
    if (m_pageRefreshHook)
        m_pageRefreshHook();
    return DocResult::Done;
}
