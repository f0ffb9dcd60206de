#include "maps/autocal/AutoCalibration.h"
#include "AutoCalFakes.h"
#include "device/Conversions.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vexor {
namespace {

using namespace std::chrono_literals;
using test::FakeAutoCalDevice;
using test::RecordingPrompt;
using Icon = IUserPrompt::Icon;
using Outcome = CAutoCalibration::Outcome;
using Texts = std::vector<std::string>;

const std::string kIdle = "Kalibracja powinna być przeprowadzona na wolnych obrotach.";

class AutoCalRun : public ::testing::Test {
protected:
    AutoCalRun() {
        device.feed(); // the polling thread has delivered a warm record
        device.onCommand = [this](const std::string& name) {
            times.emplace_back(name, clock.now);
            fedSinceSwitch = 0;
        };
    }

    CAutoCalibration::Hooks hooks() {
        CAutoCalibration::Hooks h;
        h.textUpdate = [this] { ++textUpdates; };
        h.tabsEnabled = [this](bool on) { tabs.push_back(on); };
        h.progress = [this](int p) { progress.push_back(p); };
        h.multiplierLineChanged = [this] { ++lineRedraws; };
        return h;
    }

    // Drives the run as the page's timer and the polling thread would: a
    // tick, a live record, 50 ms. beforeFeed may change the engine first.
    void run(const std::function<bool()>& until = {},
             const std::function<void()>& beforeFeed = {}) {
        for (int i = 0; i < 100000 && cal.tick(); ++i) {
            if (until && until())
                return;
            if (beforeFeed)
                beforeFeed();
            device.feed();
            ++fedSinceSwitch;
            clock.now += 50ms;
        }
    }

    std::chrono::steady_clock::time_point at(const std::string& name, int n) const {
        for (const auto& [command, time] : times) {
            if (command == name && --n == 0)
                return time;
        }
        ADD_FAILURE() << name << " not called often enough";
        return {};
    }
    Texts errors() const {
        Texts out;
        for (const auto& [text, icon] : prompt.messages) {
            if (icon == Icon::Error)
                out.push_back(text);
        }
        return out;
    }

    FakeAutoCalDevice device;
    RecordingPrompt prompt;
    test::FakeClock clock;
    Seams seams{&prompt};
    int textUpdates = 0;
    int lineRedraws = 0;
    int fedSinceSwitch = 0;
    std::vector<bool> tabs;
    std::vector<int> progress;
    std::vector<std::pair<std::string, std::chrono::steady_clock::time_point>> times;
    CAutoCalibration cal{device, seams, hooks(), clock.fn()};
};

TEST_F(AutoCalRun, aRunSwitchesMeasuresAndWritesInOrderAndRestoresTheSwitchingTime) {
    ASSERT_TRUE(cal.onButton());
    EXPECT_STREQ(cal.buttonCaption(), "Wyłącz kalibrację");
    run();

    EXPECT_EQ(device.log, (Texts{"switchToGasoline", "readBase", "readAdv", "readMainCorr",
                                 "writeMainCorr", "writeBase", "switchToLpg", "switchToGasoline",
                                 "writeBase", "switchToGasoline", "switchToLpg", "writeMainCorr",
                                 "switchToGasoline", "switchToLpg", "switchToGasoline",
                                 "switchToLpg", "writeMainCorr", "writeBase", "switchToAuto"}));
    EXPECT_EQ(cal.outcome(), Outcome::Completed);
    EXPECT_TRUE(cal.isCompleted());
    EXPECT_STREQ(cal.buttonCaption(), "Autokalibracja");

    // 3.30 on gas against 3.00 on petrol in every pass: the first pass makes
    // 1.30, the three equal differences add 0.30 more.
    ASSERT_EQ(device.mainCorrWrites.size(), 3u);
    EXPECT_DOUBLE_EQ(device.mainCorrWrites[0], 1.0);
    EXPECT_NEAR(device.mainCorrWrites[1], 1.3, 1e-9);
    EXPECT_NEAR(device.mainCorrWrites[2], 1.6, 1e-9);
    EXPECT_NEAR(device.image.m_mainCorr.m_mainCorr[7], 1.6, 1e-9);

    // Switching time cleared for the run, the measured pressure written with
    // it, the switching time back at the end.
    ASSERT_EQ(device.baseWrites.size(), 3u);
    EXPECT_EQ(device.baseWrites[0].m_emulatorDelay, 0.0);
    const double pressure = std::round(pressureFromRaw(device.pressureRaw));
    EXPECT_EQ(device.baseWrites[1].m_pressureRef, pressure);
    EXPECT_EQ(device.baseWrites[1].m_switchPressure, std::round(0.6 * pressure));
    EXPECT_EQ(device.baseWrites[2].m_emulatorDelay, 0.5);
    EXPECT_EQ(device.image.m_carInfo.m_reductorPress, pressure);

    EXPECT_EQ(prompt.texts(), (Texts{kIdle, "Autokalibracja zakończona",
                                     "Przed zebraniem map benzyny i gazu zalecane jest "
                                     "wykasowanie dotychczasowych map."}));
    EXPECT_EQ(tabs, (std::vector<bool>{false, true}));
    EXPECT_EQ(textUpdates, 2);
    ASSERT_GE(progress.size(), 3u);
    EXPECT_EQ(std::vector<int>(progress.end() - 3, progress.end()), (std::vector<int>{99, 100, 0}));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end() - 1));
}

TEST_F(AutoCalRun, waitsAfterASwitchLastInjectorsTimesSwitchingTimeUntilItIsCleared) {
    device.image.m_base.m_emulatorDelay = 10.0; // N = 4: 40 s
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(at("readBase", 1) - at("switchToGasoline", 1), 40s);
    EXPECT_EQ(at("writeBase", 2) - at("switchToGasoline", 2), 0s);
    EXPECT_EQ(device.baseWrites.back().m_emulatorDelay, 10.0);
}

TEST_F(AutoCalRun, withTheKeepFlagTheSwitchingTimeIsNeitherClearedNorWrittenBack) {
    device.image.m_advancedSetup.m_advancedFlags |= kAdvFlagAutoCalibration;
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::Completed);
    ASSERT_EQ(device.baseWrites.size(), 1u); // only the pressures
    EXPECT_EQ(device.baseWrites[0].m_emulatorDelay, 0.5);
    EXPECT_EQ(at("writeBase", 1) - at("switchToGasoline", 2), 2s);
}

TEST_F(AutoCalRun, aStopDuringTheSecondPassEndsOnPetrolWithoutABoxAndPutsTheSwitchingTimeBack) {
    ASSERT_TRUE(cal.start());
    run([this] { return cal.differences().size() == 1 && !device.onGas && fedSinceSwitch > 10; });
    EXPECT_TRUE(cal.onButton()); // stopped, winding down until the next tick
    EXPECT_FALSE(cal.isRunning());
    EXPECT_FALSE(cal.start()); // one run at a time
    cal.tick();

    EXPECT_EQ(cal.outcome(), Outcome::Stopped);
    EXPECT_EQ(prompt.texts(), Texts{kIdle});
    EXPECT_EQ(Texts(device.log.end() - 2, device.log.end()),
              (Texts{"switchToGasoline", "writeBase"}));
    EXPECT_EQ(device.baseWrites.back().m_emulatorDelay, 0.5);
    EXPECT_EQ(tabs, (std::vector<bool>{false, true}));
    EXPECT_EQ(progress.back(), 0);
    EXPECT_NEAR(device.image.m_mainCorr.m_mainCorr[5], 1.3, 1e-9); // the first pass's stays
}

TEST_F(AutoCalRun, aStopDuringAWaitEndsTheRunBeforeAnythingIsRead) {
    device.image.m_base.m_emulatorDelay = 10.0;
    ASSERT_TRUE(cal.start());
    cal.tick(); // petrol, then the 40 s wait
    clock.now += 1s;
    cal.stop();
    EXPECT_FALSE(cal.tick());
    EXPECT_EQ(cal.outcome(), Outcome::Stopped);
    EXPECT_EQ(device.log, (Texts{"switchToGasoline", "switchToGasoline"}));
}

TEST_F(AutoCalRun, anEngineStoppingWhileSettlingEndsTheRunQuietly) {
    device.onCommand = [this](const std::string& name) {
        device.engineStopped = device.engineStopped || name == "switchToLpg";
    };
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::Failed);
    EXPECT_EQ(prompt.texts(), Texts{kIdle});
}

TEST_F(AutoCalRun, anEngineStoppingDuringAMeasurementIsReported) {
    ASSERT_TRUE(cal.start());
    // The settle phase on gas ends with its 50th record; the records after
    // it, which the measurement reads, show a stopped engine.
    run({}, [this] { device.engineStopped = device.onGas && fedSinceSwitch >= 50; });
    EXPECT_EQ(cal.outcome(), Outcome::Failed);
    EXPECT_EQ(errors(), Texts{"Błąd - Nie można pobrać czasu wtr. benzynowego!"});
    EXPECT_EQ(device.calls("writeMainCorr"), 1); // only the alignment
}

// A run on its own device, driven to its end; the boxes it showed.
Texts runAlone(FakeAutoCalDevice& device, Outcome expected) {
    RecordingPrompt prompt;
    test::FakeClock clock;
    CAutoCalibration run(device, Seams{&prompt}, {}, clock.fn());
    device.feed();
    EXPECT_TRUE(run.start());
    for (int i = 0; i < 10000 && run.tick(); ++i) {
        device.feed();
        clock.now += 50ms;
    }
    EXPECT_EQ(run.outcome(), expected);
    return prompt.texts();
}

TEST_F(AutoCalRun, eachRefusedStepEndsTheRunWithItsOwnTextOnPetrolWithTheSwitchingTimeBack) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"switchToLpg", "Błąd - Nie można przełączyć na LPG!"},
        {"readAdv", "Błąd - Nie powiodło się wczytanie ustawień z urządzenia!"},
        {"writeMainCorr", "Błąd - Nie powiodło się wpisanie ustawień do urządzenia!"},
    };
    for (const auto& [command, text] : cases) {
        FakeAutoCalDevice fresh;
        fresh.refuse[command] = 1;
        EXPECT_EQ(runAlone(fresh, Outcome::Failed), (Texts{kIdle, text})) << command;
        EXPECT_FALSE(fresh.onGas) << command;
        if (!fresh.baseWrites.empty()) {
            EXPECT_EQ(fresh.baseWrites.back().m_emulatorDelay, 0.5) << command;
        }
    }
}

// The record a run leaves for the job sheet holds what the controller
// confirmed, not what the settings image was set to before a refused write.
TEST_F(AutoCalRun, theRecordOfARunSaysWhatTheControllerHolds) {
    device.image.m_devInfo.m_serial = "A1234";
    ASSERT_TRUE(cal.start());
    run();
    ASSERT_EQ(device.ended.size(), 1u);
    const SAutoCalResult& done = device.ended[0];
    EXPECT_EQ(done.outcome, Outcome::Completed);
    EXPECT_EQ(done.serial, "A1234");
    EXPECT_NEAR(done.mainCorrection, 1.6, 1e-9);
    EXPECT_EQ(done.gasPressure, std::round(pressureFromRaw(device.pressureRaw)));
    EXPECT_EQ(done.differences, cal.differences());
    EXPECT_EQ(cal.result(), done);

    // The final write refused: the image says 1.6, the controller 1.3.
    FakeAutoCalDevice refused;
    refused.refuse["writeMainCorr"] = 3;
    runAlone(refused, Outcome::Failed);
    ASSERT_EQ(refused.ended.size(), 1u);
    EXPECT_NEAR(refused.image.m_mainCorr.m_mainCorr[0], 1.6, 1e-9);
    EXPECT_NEAR(refused.ended[0].mainCorrection, 1.3, 1e-9);
    EXPECT_EQ(refused.ended[0].differences.size(), 3u);

    // The pressure write refused: no pressure reached the controller.
    FakeAutoCalDevice noPressure;
    noPressure.refuse["writeBase"] = 2;
    runAlone(noPressure, Outcome::Failed);
    ASSERT_EQ(noPressure.ended.size(), 1u);
    EXPECT_EQ(noPressure.ended[0].gasPressure, 0.0);
    EXPECT_TRUE(noPressure.ended[0].differences.empty());
    EXPECT_DOUBLE_EQ(noPressure.ended[0].mainCorrection, 1.0);
}

TEST_F(AutoCalRun, aFirstCorrectionBelowTheLimitEndsTheRunShowingTheLimit) {
    device.petrolMs = 6.0;
    device.gasMs = 1.5; // 1.0 - 4.5 = -3.5
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::Failed);
    EXPECT_EQ(errors(), Texts{"Policzona korekta: -3.00 ms jest za mała.\n"
                              "Korekty powinny być z zakresu od 0.5ms do 2.5ms.\n"
                              "Należy zmienić wtryskiwacze na mniejsze."});
    EXPECT_EQ(device.mainCorrWrites, std::vector<double>{1.0});
}

TEST_F(AutoCalRun, aCorrectionOutsideTheAdvisedRangeWarnsUnlessTheSetupIsForCng) {
    FakeAutoCalDevice lpg;
    lpg.gasMs = 5.0; // 1.0 + 2.0 = 3.0 ms
    const Texts shown = runAlone(lpg, Outcome::Completed);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1], "Policzona korekta: 3.00 ms  nie mieści się w zalecanym zakresie od "
                        "0.5ms do 2.5ms.\nZalecana jest zmiana wtryskiwaczy na większe.");

    FakeAutoCalDevice cng;
    cng.gasMs = 5.0;
    cng.image.m_advancedSetup.m_advancedFlags |= kAdvFlagCng;
    EXPECT_EQ(runAlone(cng, Outcome::Completed).size(), 3u);
}

TEST_F(AutoCalRun, aPortErrorIsShownOnceAndTheRunEndsLikeAnyFailure) {
    device.throwAt["writeBase"] = 2; // the pressures
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::PortError);
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].rfind("Błąd wykonania procedury autoustawiania\n", 0), 0u);
    EXPECT_EQ(tabs, (std::vector<bool>{false, true}));
    EXPECT_FALSE(device.onGas);
    EXPECT_EQ(device.baseWrites.back().m_emulatorDelay, 0.5);
    device.throwAt.clear();
    EXPECT_TRUE(cal.start()); // the next run can start
}

TEST_F(AutoCalRun, aTickWhileABoxIsOpenDoesNotReenterTheRun) {
    prompt.onMessage = [this] { EXPECT_TRUE(cal.tick()); };
    ASSERT_TRUE(cal.start());
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_TRUE(device.log.empty());
}

TEST_F(AutoCalRun, noControllerNoLiveRecordOrACoolReducerRefusesTheRun) {
    device.connected = false;
    EXPECT_FALSE(cal.onButton());
    EXPECT_TRUE(prompt.messages.empty());
    device.connected = true;

    device.history.clear();
    EXPECT_FALSE(cal.start());
    EXPECT_EQ(prompt.texts(), Texts{"Błąd - Brak diagnostyki!"});

    // 2.2 kOhm sensor: raw 37 is 49 °C, raw 36 is 50 °C.
    device.reducerRaw = 37;
    device.feed();
    prompt.messages.clear();
    EXPECT_FALSE(cal.start());
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0], std::make_pair(std::string("Temperatura reduktora mniejsza niż "
                                                             "50 C"),
                                                 Icon::Warning));
    EXPECT_EQ(prompt.messages[1], std::make_pair(std::string("Uruchom autokalibrację po "
                                                             "rozgrzaniu silnika"),
                                                 Icon::Error));
    EXPECT_TRUE(device.log.empty());

    device.reducerRaw = 36;
    device.feed();
    EXPECT_TRUE(cal.start());
}

TEST_F(AutoCalRun, theResetQuestionComesOnlyForAChangedCorrectionAndResetsWhatItNames) {
    device.image.m_injMapTable[0][0] = 5;
    ASSERT_TRUE(cal.start()); // 1.00 ms: no question even with a map
    EXPECT_TRUE(prompt.questions.empty());
    cal.stop();
    cal.tick();

    device.log.clear();
    device.image.m_mainCorr.m_mainCorr.fill(1.4);
    device.image.m_setupTimes1[4] = 3;
    device.image.m_setupTimes2[4] = 2;
    prompt.answers = {false, true};
    ASSERT_TRUE(cal.start()); // No: nothing changes
    EXPECT_TRUE(device.log.empty());
    cal.stop();
    cal.tick();

    device.log.clear();
    ASSERT_TRUE(cal.start());
    ASSERT_EQ(prompt.questions.size(), 2u);
    EXPECT_FALSE(prompt.defaults[1]);
    EXPECT_EQ(prompt.questions[1],
              "Uwaga!!! Przed każdą ponowną autokalibracją zalecane jest przywrócenie nastawów "
              "do wartości domyślnych.\n"
              "Czy przywrócić główną poprawkę stałoczasową (do 1,00 ms)?\n"
              "Czy skasować nastawy linii mnożnika?\n"
              "Czy skasować modyfikacje mapy 'Czas wtrysku/Obroty' (ms/RPM)?");
    EXPECT_EQ(device.log, (Texts{"writeMainCorr", "writeSetupTimes", "clearMap", "commitMap"}));
    EXPECT_EQ(device.image.m_mainCorr.m_mainCorr[3], 1.0);
    EXPECT_EQ(device.image.m_setupTimes2[4], 0);
    EXPECT_EQ(device.image.m_injMapTable[0][0], 0);
    EXPECT_EQ(lineRedraws, 1);
}

TEST_F(AutoCalRun, aRefusedResetWriteIsReportedEndsTheResetAndTheRunStillStarts) {
    device.image.m_mainCorr.m_mainCorr.fill(1.4);
    device.image.m_setupTimes1[4] = 3;
    device.image.m_injMapTable[2][2] = 5;
    device.refuse["writeSetupTimes"] = 1;
    prompt.answers = {true};
    ASSERT_TRUE(cal.start());
    EXPECT_EQ(device.calls("clearMap"), 0);
    EXPECT_EQ(prompt.texts(), (Texts{"Nie powiodło się ustawienie urządzenia!", kIdle}));
    EXPECT_EQ(device.image.m_injMapTable[2][2], 5);
}

TEST_F(AutoCalRun, aRefusedMapClearLeavesTheDocumentsMapAsTheControllerHoldsIt) {
    device.image.m_mainCorr.m_mainCorr.fill(1.4);
    device.image.m_injMapTable[2][2] = 5;
    device.image.m_corrMap.m_flags = 1;
    device.refuse["clearMap"] = 1;
    prompt.answers = {true};
    ASSERT_TRUE(cal.start());
    EXPECT_EQ(device.image.m_injMapTable[2][2], 5);
    cal.stop();
    cal.tick();

    device.refuse.clear();
    device.image.m_mainCorr.m_mainCorr.fill(1.4);
    prompt.answers = {true};
    ASSERT_TRUE(cal.start());
    EXPECT_EQ(device.image.m_injMapTable[2][2], 0);
    EXPECT_EQ(device.image.m_corrMap.m_flags, 1); // the clear leaves the flags alone
}

} // namespace
} // namespace vexor
