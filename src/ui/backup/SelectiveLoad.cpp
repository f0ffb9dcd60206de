#include "backup/SelectiveLoad.h"

#include "app/IDocumentPort.h"
#include "backup/LoadCompareDlg.h"
#include "backup/RawRestorePlan.h"
#include "common/IError.h"
#include "doc/KorvantisDoc.h"
#include "lang/Translate.h"
#include "settings/LoadPreview.h"
#include "settings/SettingsCheck.h"

#include <memory>

namespace {
constexpr const char* kMsgSame = "Ustawienia nie różnią się";
} // namespace

CSelectiveLoad::CSelectiveLoad(IDocumentPort& doc, const Seams& seams, QWidget* parent)
    : m_doc(doc), m_seams(seams), m_parent(parent),
      m_review([](CLoadCompareDlg& dlg) { return dlg.exec() == QDialog::Accepted; }) {}

template <class F> DocResult CSelectiveLoad::reported(F&& action) {
    try {
        return action();
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        m_seams.message(std::string(kHandler) + "\n" + vexor::translate(error->description()),
                        IUserPrompt::Icon::Error);
        return DocResult::PortError;
    }
}

DocResult CSelectiveLoad::run(const std::string& path, const char* reason) {
    return reported([&] { return write(path, reason); });
}

DocResult CSelectiveLoad::runImage(IDocumentPort& controller, const DeviceSettings& image) {
    return reported([&] { return writeImage(controller, image, "load"); });
}

DocResult CSelectiveLoad::restore(const std::string& path) {
    return reported([&] { return restoreBackup(path); });
}

DocResult CSelectiveLoad::restoreBackup(const std::string& path) {
    const CRawImage* now = m_doc.rawImage();
    if (now == nullptr || path.empty())
        return DocResult::Cancelled;
    SRawRestorePlan plan = SRawRestorePlan::forBackup(path);
    plan.checkController(m_doc.settings());
    if (!plan.usable()) {
        m_seams.message(plan.fallbackMessage(), IUserPrompt::Icon::Warning);
        return write(path, "restore");
    }
    if (!m_doc.imageComplete()) {
        m_seams.message(vexor::translate(CKorvantisDoc::kMsgImageIncomplete),
                        IUserPrompt::Icon::Error);
        return DocResult::Failed;
    }
    const CRawImage& raw = plan.backup.image;
    bool sameBytes = true;
    for (const SRawBlock& b : raw.blocks()) {
        const SRawBlock* held = now->find(b.name);
        sameBytes = sameBytes && held != nullptr && held->bytes == b.bytes;
    }
    if (sameBytes) {
        m_seams.message(vexor::translate(kMsgSame), IUserPrompt::Icon::Information);
        return DocResult::Cancelled;
    }
    DeviceSettings restored = m_doc.settings();
    (void)raw.decodeInto(restored);
    // Bytes that differ where no shown setting does (a half second, a step of
    // the sensor table) are restored without a question.
    const auto changes = vexor::loadChanges(m_doc.settings(), restored);
    if (!changes.empty()) {
        CLoadCompareDlg comparison(changes, m_parent);
        if (!m_review(comparison))
            return DocResult::Cancelled;
        const std::vector<std::string> keys = comparison.tickedKeys();
        if (keys.empty())
            return DocResult::Cancelled;
        // Some settings left out: only those ticked go, through the image.
        if (keys.size() < changes.size())
            return writeTicked(m_doc, restored, keys, "restore");
    }
    CBusyScope busy(m_seams.cursor);
    const DocResult result = m_doc.restoreRaw(raw);
    m_doc.refreshPages();
    return result;
}

DocResult CSelectiveLoad::show(const std::string& path) {
    return run(path, nullptr);
}

DocResult CSelectiveLoad::write(const std::string& path, const char* reason) {
    if (m_doc.controller() == nullptr || path.empty())
        return DocResult::Cancelled;
    DeviceSettings loaded;
    vexor::SSettingsFileProblem problem;
    if (!vexor::readSettingsFileChecked(path, loaded, problem)) {
        m_seams.message(vexor::refusedLoadText(CKorvantisDoc::kMsgFileRead, problem),
                        IUserPrompt::Icon::Error);
        return DocResult::FileError;
    }
    return writeImage(m_doc, loaded, reason);
}

DocResult CSelectiveLoad::writeImage(IDocumentPort& port, const DeviceSettings& loaded,
                                     const char* reason) {
    if (port.controller() == nullptr)
        return DocResult::Cancelled;
    // A block that was not read holds defaults: shown as the controller's,
    // it would hide a difference or invent one.
    if (!port.imageComplete()) {
        m_seams.message(vexor::translate(CKorvantisDoc::kMsgImageIncomplete),
                        IUserPrompt::Icon::Error);
        return DocResult::Failed;
    }
    const auto changes = vexor::loadChanges(port.settings(), loaded);
    if (changes.empty()) {
        m_seams.message(vexor::translate(kMsgSame), IUserPrompt::Icon::Information);
        return DocResult::Cancelled;
    }
    CLoadCompareDlg comparison(changes, m_parent);
    if (reason == nullptr)
        comparison.setViewOnly();
    if (!m_review(comparison) || reason == nullptr)
        return DocResult::Cancelled;
    const std::vector<std::string> keys = comparison.tickedKeys();
    if (keys.empty())
        return DocResult::Cancelled;
    return writeTicked(port, loaded, keys, reason);
}

DocResult CSelectiveLoad::writeTicked(IDocumentPort& port, const DeviceSettings& loaded,
                                      const std::vector<std::string>& keys, const char* reason) {
    CLPGDevice* device = port.controller();
    if (!port.beforeChange(reason))
        return DocResult::Cancelled;

    const DeviceSettings before = port.settings();
    port.editSettings() = vexor::withTickedKeys(before, loaded, keys);
    CBusyScope busy(m_seams.cursor);
    bool written = false;
    try {
        written = vexor::writeSettingBlocks(*device, vexor::blocksOf(keys));
    } catch (IError* raw) {
        const std::unique_ptr<IError> error(raw);
        port.editSettings() = before;
        port.refreshPages();
        // The link went in the middle of the writes: the blocks before it may
        // be in the controller already. Loading the file again writes them all.
        m_seams.message(std::string(kHandler) + "\n" + vexor::translate(error->description()) +
                            "\n" + vexor::translate(CKorvantisDoc::kMsgHalfWritten),
                        IUserPrompt::Icon::Error);
        return DocResult::PortError;
    }
    if (!written) {
        // The image goes back to what the controller held, so that the same
        // load repeated still finds every difference and writes it; kept,
        // the new values would hide the blocks the controller never got.
        port.editSettings() = before;
        m_seams.message(vexor::translate(CKorvantisDoc::kMsgSetDevice), IUserPrompt::Icon::Error);
        port.refreshPages();
        return DocResult::Failed;
    }
    port.refreshPages();
    return DocResult::Done;
}
