#include "maps/autocal/AutoCalibration.h"

#include "common/IError.h"
#include "lang/Translate.h"
#include "maps/autocal/AutoCalRules.h"
#include "maps/autocal/AutoCalStart.h"
#include "maps/autocal/AutoCalTexts.h"
#include "maps/tools/MainCorrRange.h"

#include <ctime>
#include <memory>

using namespace vexor::autocal;

namespace {

// Sets a flag for the lifetime of the scope.
class CInsideScope {
public:
    explicit CInsideScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CInsideScope() { m_flag = false; }
    CInsideScope(const CInsideScope&) = delete;
    CInsideScope& operator=(const CInsideScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

CAutoCalibration::CAutoCalibration(IAutoCalDevice& device, const Seams& seams, Hooks hooks,
                                   NowFn now)
    : m_device(device), m_seams(seams), m_hooks(std::move(hooks)),
      m_now(now ? std::move(now) : NowFn(&Clock::now)) {}

const char* CAutoCalibration::buttonCaption() const {
    return isActive() ? kCaptionStop : kCaptionStart;
}

bool CAutoCalibration::onButton() {
    if (isActive())
        stop();
    else
        start();
    return isActive();
}

void CAutoCalibration::stop() {
    m_running = false;
}

bool CAutoCalibration::start() {
    if (isActive() || m_inside || !m_device.isConnected())
        return false;
    CInsideScope inside(m_inside);
    try {
        if (!preCheck(m_device, m_seams))
            return false;
        offerReset(m_device, m_seams, m_hooks.multiplierLineChanged);
    } catch (IError* raw) {
        std::unique_ptr<IError> error(raw);
        m_seams.message(procedureErrorText(*error), IUserPrompt::Icon::Error);
        return false;
    }

    m_running = true;
    m_completed = false;
    m_outcome = Outcome::None;
    m_differences.clear();
    m_pass = 0;
    m_finishedRecords = 0.0;
    m_switchingTimeCleared = false;
    m_portErrorShown = false;
    m_gasPressure = 0.0;
    m_heldCorrection = m_device.settings().m_mainCorr.m_mainCorr[0];
    beginPhase(Fuel::Petrol, false, Step::ReadSettings);

    if (m_hooks.textUpdate)
        m_hooks.textUpdate();
    if (m_hooks.tabsEnabled)
        m_hooks.tabsEnabled(false);
    m_seams.message(vexor::translate(kMsgIdle), IUserPrompt::Icon::Information);
    return true;
}

bool CAutoCalibration::tick() {
    if (!isActive() || m_inside)
        return isActive();
    CInsideScope inside(m_inside);
    try {
        advance();
    } catch (IError* raw) {
        portError(raw);
    }
    return isActive();
}

void CAutoCalibration::advance() {
    for (;;) {
        switch (m_step) {
        case Step::Idle:
            return;
        case Step::Switch: {
            const bool petrol = m_phaseFuel == Fuel::Petrol;
            const bool switched = petrol ? m_device.switchToGasoline() : m_device.switchToLpg();
            if (!switched)
                return failWith(petrol ? kMsgNoPetrol : kMsgNoGas);
            m_waitEnd = m_now() +
                        vexor::switchWait(injectors(), m_device.settings().m_base.m_emulatorDelay);
            m_step = Step::Wait;
            break;
        }
        case Step::Wait:
            if (!waitOver())
                return;
            if (m_phaseCollect)
                beginCollection(Step::Settle, settleRecords());
            else
                m_step = m_phaseNext;
            break;
        case Step::Settle:
            if (!collected())
                return;
            beginCollection(Step::Measure, vexor::kMeasureMinRecords);
            break;
        case Step::Measure: {
            if (!collected())
                return;
            std::vector<CDiag> records;
            m_device.liveHistory().copyRange(records, 0, m_device.liveHistory().count());
            const auto sample = vexor::measureRecords(records, injectors());
            if (!sample)
                return failWith(kMsgNoTime);
            m_sample = *sample;
            m_step = m_phaseNext;
            break;
        }
        case Step::ReadSettings:
            readSettings();
            break;
        case Step::ClearSwitchingTime:
            clearSwitchingTime();
            break;
        case Step::StorePressure:
            vexor::applyMeasuredPressure(m_device.settings(), m_sample.pressure);
            beginPhase(Fuel::Petrol, false, Step::WriteBase);
            break;
        case Step::WriteBase:
            writeBaseAfterPressure();
            break;
        case Step::PetrolMeasured:
            m_petrolTime = m_sample.timeMs;
            beginPhase(Fuel::Gas, true, Step::GasMeasured);
            break;
        case Step::GasMeasured:
            gasMeasured();
            break;
        case Step::Finish:
            finish();
            break;
        }
    }
}

void CAutoCalibration::beginPhase(Fuel fuel, bool collect, Step next) {
    m_phaseFuel = fuel;
    m_phaseCollect = collect;
    m_phaseNext = next;
    m_step = Step::Switch;
}

void CAutoCalibration::beginCollection(Step step, int target) {
    m_device.liveHistory().clear();
    m_collectTarget = target;
    m_step = step;
}

bool CAutoCalibration::waitOver() {
    if (m_now() >= m_waitEnd)
        return true;
    if (!m_running)
        fail(Outcome::Stopped);
    return false;
}

bool CAutoCalibration::collected() {
    CDiagData& history = m_device.liveHistory();
    const int count = history.count();
    if (count >= m_collectTarget) {
        m_finishedRecords += count;
        return true;
    }
    if (!m_running) {
        fail(Outcome::Stopped);
        return false;
    }
    CDiag latest;
    if (count >= 1 && history.latest(latest) && !vexor::engineRunning(latest, injectors())) {
        // A stopped engine ends a settle phase quietly; a measurement owes the
        // fitter a reason.
        if (m_step == Step::Measure)
            failWith(kMsgNoTime);
        else
            fail(Outcome::Failed);
        return false;
    }
    setProgress(vexor::autoCalProgress(count, m_finishedRecords, settleRecords()));
    return false;
}

void CAutoCalibration::readSettings() {
    if (!m_device.readBase() || !m_device.readAdv() || !m_device.readMainCorr())
        return failWith(kMsgRead);
    const double first = m_device.settings().m_mainCorr.m_mainCorr[0];
    m_heldCorrection = first;
    setAllCorrections(first);
    if (!m_device.writeMainCorr())
        return failWith(kMsgWrite);
    if (m_hooks.mainCorrShown)
        m_hooks.mainCorrShown(first);
    m_step = Step::ClearSwitchingTime;
}

void CAutoCalibration::clearSwitchingTime() {
    DeviceSettings& settings = m_device.settings();
    // With the flag set the fitter wants the switching time left alone; the
    // waits after a switch then keep their length.
    if (!(settings.m_advancedSetup.m_advancedFlags & vexor::kAdvFlagAutoCalibration)) {
        m_savedSwitchingTime = settings.m_base.m_emulatorDelay;
        m_switchingTimeCleared = true;
        settings.m_base.m_emulatorDelay = 0.0;
        if (!m_device.writeBase())
            return failWith(kMsgWrite);
    }
    beginPhase(Fuel::Gas, true, Step::StorePressure);
}

void CAutoCalibration::writeBaseAfterPressure() {
    if (!m_device.writeBase())
        return failWith(kMsgWrite);
    m_gasPressure = m_device.settings().m_base.m_pressureRef;
    m_pass = 0;
    beginPhase(Fuel::Petrol, true, Step::PetrolMeasured);
}

void CAutoCalibration::gasMeasured() {
    const double difference = m_sample.timeMs - m_petrolTime;
    m_differences.push_back(difference);
    if (m_pass == 0) {
        DeviceSettings& settings = m_device.settings();
        const auto check =
            vexor::checkFirstPassCorrection(settings.m_mainCorr.m_mainCorr[0], difference);
        if (check.verdict == vexor::CorrectionVerdict::TooSmall ||
            check.verdict == vexor::CorrectionVerdict::TooLarge)
            return fail(Outcome::Failed, correctionText(check));
        // A CNG set-up keeps quiet about the injector size.
        const bool advice = !(settings.m_advancedSetup.m_advancedFlags & vexor::kAdvFlagCng);
        if (advice && check.verdict != vexor::CorrectionVerdict::InRange)
            m_seams.message(correctionText(check), IUserPrompt::Icon::Warning);
        setAllCorrections(check.correction);
        if (!m_device.writeMainCorr())
            return failWith(kMsgWrite);
        m_heldCorrection = check.correction;
        if (m_hooks.mainCorrShown)
            m_hooks.mainCorrShown(check.correction);
    }
    ++m_pass;
    if (m_pass < 3)
        beginPhase(Fuel::Petrol, true, Step::PetrolMeasured);
    else
        m_step = Step::Finish;
}

void CAutoCalibration::finish() {
    const auto combined = vexor::combineDifferences(m_differences);
    if (!combined)
        return failWith(kMsgAllRejected);
    DeviceSettings& settings = m_device.settings();
    const double correction = vexor::clampMainCorr(*combined + settings.m_mainCorr.m_mainCorr[0]);
    setAllCorrections(correction);
    setProgress(99);
    if (!m_device.writeMainCorr())
        return failWith(kMsgWrite);
    m_heldCorrection = correction;
    if (m_hooks.mainCorrShown)
        m_hooks.mainCorrShown(correction);
    if (m_switchingTimeCleared) {
        m_switchingTimeCleared = false;
        settings.m_base.m_emulatorDelay = m_savedSwitchingTime;
        if (!m_device.writeBase())
            return failWith(kMsgWrite);
    }
    setProgress(100);
    m_device.switchToAuto();
    m_seams.message(vexor::translate(kMsgDone), IUserPrompt::Icon::Information);
    m_seams.message(vexor::translate(kMsgClearMaps), IUserPrompt::Icon::Information);
    m_completed = true;
    endRun(Outcome::Completed);
}

void CAutoCalibration::setAllCorrections(double ms) {
    m_device.settings().m_mainCorr.m_mainCorr.fill(ms);
}

void CAutoCalibration::setProgress(int percent) {
    if (percent == m_progress)
        return;
    m_progress = percent;
    if (m_hooks.progress)
        m_hooks.progress(percent);
}

int CAutoCalibration::settleRecords() const {
    return vexor::settleRecordCount(m_device.settings().m_base.m_emulatorDelay, injectors(),
                                    m_device.isDemo());
}

int CAutoCalibration::injectors() const {
    return vexor::autoCalInjectors(m_device.settings());
}

void CAutoCalibration::failWith(const char* polish) {
    fail(Outcome::Failed, vexor::translate(polish));
}

void CAutoCalibration::fail(Outcome outcome, const std::string& text) {
    m_step = Step::Idle;
    if (!text.empty())
        m_seams.message(text, IUserPrompt::Icon::Error);
    m_running = false;
    endingCommand([this] { m_device.switchToGasoline(); });
    // The switching time was cleared only for the run; left at 0 the
    // controller would switch all cylinders at once from now on.
    if (m_switchingTimeCleared) {
        m_switchingTimeCleared = false;
        m_device.settings().m_base.m_emulatorDelay = m_savedSwitchingTime;
        endingCommand([this] {
            if (!m_device.writeBase())
                m_seams.message(vexor::translate(kMsgWrite), IUserPrompt::Icon::Error);
        });
    }
    endRun(outcome);
}

void CAutoCalibration::portError(IError* raw) {
    std::unique_ptr<IError> error(raw);
    if (!m_portErrorShown) {
        m_portErrorShown = true;
        m_seams.message(procedureErrorText(*error), IUserPrompt::Icon::Error);
    }
    fail(Outcome::PortError);
}

template <class F> void CAutoCalibration::endingCommand(F&& command) {
    try {
        command();
    } catch (IError* raw) {
        std::unique_ptr<IError> error(raw);
        if (!m_portErrorShown) {
            m_portErrorShown = true;
            m_seams.message(procedureErrorText(*error), IUserPrompt::Icon::Error);
        }
    }
}

void CAutoCalibration::endRun(Outcome outcome) {
    m_step = Step::Idle;
    m_running = false;
    m_outcome = outcome;
    // What the controller holds, not what the image was set to: a refused
    // write leaves the correction written before it.
    m_result.outcome = outcome;
    m_result.serial = m_device.settings().m_devInfo.m_serial;
    m_result.ended = std::time(nullptr);
    m_result.gasPressure = m_gasPressure;
    m_result.differences = m_differences;
    m_result.mainCorrection = m_heldCorrection;
    m_device.calibrationEnded(m_result);
    if (m_hooks.textUpdate)
        m_hooks.textUpdate();
    setProgress(0);
    if (m_hooks.tabsEnabled)
        m_hooks.tabsEnabled(true);
}
