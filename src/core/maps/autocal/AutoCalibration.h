#pragma once

#include "device/AutoCalResult.h"
#include "maps/autocal/AutoCalMeasure.h"
#include "maps/autocal/IAutoCalDevice.h"
#include "platform/Seams.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class IError;

// The automatic calibration at idle, as a state machine the calibration page
// drives with a timer. It switches the controller between petrol and gas,
// lets the engine settle, and from how much longer the car's control unit
// injects on gas than on petrol computes the main constant-time correction; it
// also takes the working gas pressure from the first measurement on gas.
//
//   start()  pre-check, reset offer, first box; true when a run began
//   tick()   call about every kTickPeriod while isActive(); runs the
//            controller commands of one step and returns at the next wait
//   stop()   the fitter's stop: the run ends at its next wait or collection
//
// A run goes: petrol, wait, read base / advanced / main correction and align
// the eight corrections; clear the cylinder switching time; gas, wait, settle,
// measure the pressure; petrol, wait, write the base block; three passes of
// petrol-settle-measure and gas-settle-measure, the first of which corrects
// the main correction; combine the three differences into the final
// correction; restore the switching time; automatic fuel choice.
//
// Every end that is not a success switches to petrol and puts the cylinder
// switching time back in the controller; the values measured before the end
// (pressures, the first pass's correction) stay in the settings image.
//
// Runs on the user-interface thread. The live records come from the polling
// thread through the history, which every phase clears and then watches.
class CAutoCalibration {
public:
    using Clock = std::chrono::steady_clock;
    using NowFn = std::function<Clock::time_point()>;

    // How often the page should call tick(): the pace at which a collection
    // phase looks at the history.
    static constexpr std::chrono::milliseconds kTickPeriod{50};

    using Outcome = AutoCalOutcome;

    // What the page does when the run asks. Empty members do nothing; none may
    // throw. textUpdate comes once when a run starts and once when it ends, so
    // the page can take isActive() there to lock its map and line buttons.
    struct Hooks {
        std::function<void()> textUpdate;            // re-apply the page's texts and values
        std::function<void(bool)> tabsEnabled;       // the page set's tabs
        std::function<void(int)> progress;           // the progress bar, 0 .. 100
        std::function<void(double)> mainCorrShown;   // the correction field, ms
        std::function<void()> multiplierLineChanged; // redraw the chart's line
    };

    // now: the clock of the waits (steady_clock when empty).
    CAutoCalibration(IAutoCalDevice& device, const Seams& seams, Hooks hooks = {}, NowFn now = {});

    // The start/stop button: a run going is stopped, otherwise one is started
    // (only while a controller is connected). True while a run is under way
    // afterwards; a stopped run ends at the next tick.
    bool onButton();
    bool start();
    void stop();
    // Advances the run; true while it goes on.
    bool tick();

    // The running flag the fitter's stop clears.
    bool isRunning() const { return m_running; }
    // A run is under way (until its next check after a stop).
    bool isActive() const { return m_step != Step::Idle; }
    bool isCompleted() const { return m_completed; }
    Outcome outcome() const { return m_outcome; }
    // The last run's record, once one has ended.
    const SAutoCalResult& result() const { return m_result; }
    int progress() const { return m_progress; }
    // The differences of the passes so far (gas minus petrol, ms).
    const std::vector<double>& differences() const { return m_differences; }
    // Polish caption of the start/stop button for the current state.
    const char* buttonCaption() const;

private:
    enum class Fuel { Petrol, Gas };
    enum class Step {
        Idle,
        // A fuel phase: switch, wait, and optionally settle and measure; then
        // m_phaseNext.
        Switch,
        Wait,
        Settle,
        Measure,
        // What follows the phases.
        ReadSettings,
        ClearSwitchingTime,
        StorePressure,
        WriteBase,
        PetrolMeasured,
        GasMeasured,
        Finish
    };

    void advance();
    void beginPhase(Fuel fuel, bool collect, Step next);
    void beginCollection(Step step, int target);
    // A wait: true once it is over; ends the run when the fitter stopped it.
    bool waitOver();
    // A collection: true once it holds its records; ends the run on a stop
    // or a stopped engine.
    bool collected();
    void readSettings();
    void clearSwitchingTime();
    void writeBaseAfterPressure();
    void gasMeasured();
    void finish();
    void setAllCorrections(double ms);
    void setProgress(int percent);
    int settleRecords() const;
    int injectors() const;

    // Ends the run without success: the box (if any text), then petrol, the
    // switching time put back, the page restored.
    void fail(Outcome outcome, const std::string& text = {});
    void failWith(const char* polish);
    void portError(IError* raw);
    void endRun(Outcome outcome);
    // Runs a command of an ending; a port error there is shown once per run.
    template <class F> void endingCommand(F&& command);

    IAutoCalDevice& m_device;
    Seams m_seams;
    Hooks m_hooks;
    NowFn m_now;

    Step m_step = Step::Idle;
    bool m_running = false;
    bool m_completed = false;
    Outcome m_outcome = Outcome::None;
    SAutoCalResult m_result;
    double m_gasPressure = 0.0;    // once written to the controller
    double m_heldCorrection = 0.0; // the main correction the controller last confirmed
    int m_progress = 0;

    Fuel m_phaseFuel = Fuel::Petrol;
    bool m_phaseCollect = false;
    Step m_phaseNext = Step::Idle;
    Clock::time_point m_waitEnd{};
    int m_collectTarget = 0;
    double m_finishedRecords = 0.0; // records of the collections that ended
    vexor::SAutoCalSample m_sample; // of the last measurement

    int m_pass = 0;
    double m_petrolTime = 0.0;
    std::vector<double> m_differences;
    bool m_switchingTimeCleared = false;
    double m_savedSwitchingTime = 0.0;
    bool m_portErrorShown = false;
    // Set while tick() or start() runs: a modal box shown meanwhile lets the
    // page's timer fire again, and that tick must not re-enter the run.
    bool m_inside = false;
};
