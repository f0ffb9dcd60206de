#include "pages/PanelWrite.h"

#include "app/IDocumentPort.h"
#include "lang/Translate.h"

namespace vexor {

namespace {
bool runStep(IDocumentPort& doc, PanelStep step) {
    switch (step) {
    case PanelStep::WaitPetrol:
        return doc.waitForGasoline();
    case PanelStep::Base:
        return doc.writeBase();
    case PanelStep::Adv:
        return doc.writeAdv();
    case PanelStep::AdvancedSetup:
        return doc.writeAdvancedSetup();
    case PanelStep::Sensors:
        return doc.writeSensorsSetup();
    case PanelStep::Restart:
        return doc.restart();
    }
    return false;
}
} // namespace

bool panelConnected(const IDocumentPort* doc) {
    return doc != nullptr && (doc->isConnected() || doc->isOffline());
}

bool runPanelSteps(IDocumentPort& doc, const Seams& seams, std::initializer_list<PanelStep> steps) {
    for (const PanelStep step : steps) {
        if (runStep(doc, step))
            continue;
        const char* text = step == PanelStep::Restart ? kMsgPanelResetFailed : kMsgPanelWriteFailed;
        seams.message(translate(text), IUserPrompt::Icon::Error);
        return false;
    }
    return true;
}

} // namespace vexor
