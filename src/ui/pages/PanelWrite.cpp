#include "pages/PanelWrite.h"

#include "app/IDocumentPort.h"
#include "lang/Translate.h"

namespace vexor {

bool panelConnected(const IDocumentPort* doc) {
    return doc != nullptr && (doc->isConnected() || doc->isOffline());
}

bool writePanelBlocks(IDocumentPort& doc, const Seams& seams,
                      std::initializer_list<SettingBlock> blocks, unsigned flags) {
    const auto refused = [&](const char* text) {
        seams.message(translate(text), IUserPrompt::Icon::Error);
        return false;
    };
    if ((flags & kPetrolFirst) != 0 && !doc.waitForGasoline())
        return refused(kMsgPanelWriteFailed);
    for (const SettingBlock block : blocks) {
        if (!doc.writeBlock(block))
            return refused(kMsgPanelWriteFailed);
    }
    if ((flags & kRestartAfter) != 0 && !doc.restart())
        return refused(kMsgPanelResetFailed);
    return true;
}

} // namespace vexor
