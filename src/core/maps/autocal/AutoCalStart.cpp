#include "maps/autocal/AutoCalStart.h"

#include "device/Conversions.h"
#include "lang/Translate.h"
#include "maps/autocal/AutoCalRules.h"
#include "maps/autocal/AutoCalTexts.h"

namespace vexor::autocal {

bool preCheck(IAutoCalDevice& device, const Seams& seams) {
    CDiag latest;
    if (!device.liveHistory().latest(latest)) {
        seams.message(translate(kMsgNoLiveData), IUserPrompt::Icon::Error);
        return false;
    }
    const double tempr = temprFromRaw(latest.reducerTemprRaw(),
                                      device.settings().m_sensorsSetup.m_temprEngineSensor);
    if (!reducerWarmEnough(tempr)) {
        seams.message(reducerColdText(), IUserPrompt::Icon::Warning);
        seams.message(translate(kMsgWarmUp), IUserPrompt::Icon::Error);
        return false;
    }
    return true;
}

void offerReset(IAutoCalDevice& device, const Seams& seams,
                const std::function<void()>& lineChanged) {
    DeviceSettings& settings = device.settings();
    const SResetOffer offer = resetOfferFor(settings);
    if (!offer.offered || !seams.ask(resetQuestionText(offer), false))
        return;

    CBusyScope busy(seams.cursor);
    const DeviceSettings factory;
    const auto refused = [&seams] {
        seams.message(translate(kMsgSetDevice), IUserPrompt::Icon::Error);
    };

    settings.m_mainCorr = factory.m_mainCorr;
    if (!device.writeMainCorr())
        return refused();
    if (offer.multiplierLine) {
        copySetupTimes(settings, factory);
        if (!device.writeSetupTimes())
            return refused();
        if (lineChanged)
            lineChanged();
    }
    if (offer.injectionMap) {
        // The document takes the cleared map only once the controller has:
        // a refused clear must not leave it showing a map the controller
        // does not hold. The clear touches the cells only, so the flags
        // byte stays as the controller has it.
        if (!device.clearMap() || !device.commitMap())
            return refused();
        settings.m_injMapTable = factory.m_injMapTable;
    }
}

} // namespace vexor::autocal
