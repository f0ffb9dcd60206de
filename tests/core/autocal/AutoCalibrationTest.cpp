#include "maps/autocal/AutoCalibration.h"
#include "AutoCalFakes.h"
#include "device/Conversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace vexor {
namespace {

using namespace std::chrono_literals;
using test::FakeAutoCalDevice;
using test::FakeClock;
using test::RecordingPrompt;
using Icon = IUserPrompt::Icon;
using Outcome = CAutoCalibration::Outcome;

const std::string kIdle = "Kalibracja powinna być przeprowadzona na wolnych obrotach.";

class AutoCalRun : public ::testing::Test {
protected:
    AutoCalRun() {
        device.feed(); // the polling thread has delivered a warm record
        device.onCommand = [this](const std::string& name) {
            times.emplace_back(name, clock.now);
            if (name == "switchToLpg" || name == "switchToGasoline")
                fedSinceSwitch = 0;
        };
    }

    Seams seams() {
        Seams s;
        s.prompt = &prompt;
        return s;
    }
    CAutoCalibration::Hooks hooks() {
        CAutoCalibration::Hooks h;
        h.textUpdate = [this] { ++textUpdates; };
        h.tabsEnabled = [this](bool on) { tabs.push_back(on); };
        h.progress = [this](int p) { progress.push_back(p); };
        h.mainCorrShown = [this](double ms) { shown.push_back(ms); };
        h.multiplierLineChanged = [this] { ++lineRedraws; };
        return h;
    }

    // Drives the run as the page's timer and the polling thread would: a
    // tick, a live record, 50 ms. beforeFeed may change the engine first.
    void run(const std::function<bool()>& until = {},
             const std::function<void()>& beforeFeed = {}) {
        for (int i = 0; i < 100000 && cal.isActive(); ++i) {
            cal.tick();
            if (until && until())
                return;
            if (beforeFeed)
                beforeFeed();
            device.feed();
            ++fedSinceSwitch;
            clock.now += 50ms;
        }
    }

    // Time between the n-th calls (1-based) of two commands.
    std::chrono::milliseconds between(const std::string& a, int na, const std::string& b,
                                      int nb) const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(at(b, nb) - at(a, na));
    }
    std::chrono::steady_clock::time_point at(const std::string& name, int n) const {
        for (const auto& [command, time] : times) {
            if (command == name && --n == 0)
                return time;
        }
        ADD_FAILURE() << name << " not called often enough";
        return {};
    }
    std::vector<std::string> errorTexts() const {
        std::vector<std::string> out;
        for (const auto& [text, icon] : prompt.messages) {
            if (icon == Icon::Error)
                out.push_back(text);
        }
        return out;
    }

    FakeAutoCalDevice device;
    RecordingPrompt prompt;
    FakeClock clock;
    int textUpdates = 0;
    int lineRedraws = 0;
    int fedSinceSwitch = 0;
    std::vector<bool> tabs;
    std::vector<int> progress;
    std::vector<double> shown;
    std::vector<std::pair<std::string, std::chrono::steady_clock::time_point>> times;
    CAutoCalibration cal{device, seams(), hooks(), clock.fn()};
};

TEST_F(AutoCalRun, aRunSwitchesMeasuresAndWritesInOrderAndRestoresTheSwitchingTime) {
    ASSERT_TRUE(cal.onButton());
    EXPECT_STREQ(cal.buttonCaption(), "Wyłącz kalibrację");
    run();

    const std::vector<std::string> expected{
        "switchToGasoline", "readBase",      "readAdv",          "readMainCorr", "writeMainCorr",
        "writeBase",        "switchToLpg",   "switchToGasoline", "writeBase",    "switchToGasoline",
        "switchToLpg",      "writeMainCorr", "switchToGasoline", "switchToLpg",  "switchToGasoline",
        "switchToLpg",      "writeMainCorr", "writeBase",        "switchToAuto"};
    EXPECT_EQ(device.log, expected);
    EXPECT_EQ(cal.outcome(), Outcome::Completed);
    EXPECT_TRUE(cal.isCompleted());
    EXPECT_FALSE(cal.isRunning());
    EXPECT_STREQ(cal.buttonCaption(), "Autokalibracja");

    // 3.30 on gas against 3.00 on petrol in every pass: the first pass makes
    // 1.30, the three equal differences add 0.30 more.
    ASSERT_EQ(cal.differences().size(), 3u);
    EXPECT_NEAR(cal.differences()[2], 0.3, 1e-9);
    ASSERT_EQ(device.mainCorrWrites.size(), 3u);
    EXPECT_DOUBLE_EQ(device.mainCorrWrites[0], 1.0);
    EXPECT_NEAR(device.mainCorrWrites[1], 1.3, 1e-9);
    EXPECT_NEAR(device.mainCorrWrites[2], 1.6, 1e-9);
    for (double corr : device.image.m_mainCorr.m_mainCorr)
        EXPECT_NEAR(corr, 1.6, 1e-9);
    EXPECT_NEAR(shown.back(), 1.6, 1e-9);

    // Switching time cleared for the run, the measured pressure written with
    // it, the switching time back at the end.
    ASSERT_EQ(device.baseWrites.size(), 3u);
    EXPECT_EQ(device.baseWrites[0].m_emulatorDelay, 0.0);
    const double pressure = std::round(pressureFromRaw(device.pressureRaw));
    EXPECT_EQ(device.baseWrites[1].m_pressureRef, pressure);
    EXPECT_EQ(device.baseWrites[1].m_switchPressure, std::round(0.6 * pressure));
    EXPECT_EQ(device.baseWrites[1].m_emulatorDelay, 0.0);
    EXPECT_EQ(device.baseWrites[2].m_emulatorDelay, 0.5);
    EXPECT_EQ(device.image.m_carInfo.m_reductorPress, pressure);

    EXPECT_EQ(prompt.texts(),
              (std::vector<std::string>{kIdle, "Autokalibracja zakończona",
                                        "Przed zebraniem map benzyny i gazu zalecane jest "
                                        "wykasowanie dotychczasowych map."}));
    EXPECT_EQ(tabs, (std::vector<bool>{false, true}));
    EXPECT_EQ(textUpdates, 2);
    ASSERT_GE(progress.size(), 3u);
    EXPECT_EQ(progress[progress.size() - 3], 99);
    EXPECT_EQ(progress[progress.size() - 2], 100);
    EXPECT_EQ(progress.back(), 0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end() - 1));
}

TEST_F(AutoCalRun, waitsAfterASwitchLastInjectorsTimesSwitchingTimeUntilItIsCleared) {
    device.image.m_base.m_emulatorDelay = 10.0; // N = 4: 40 s
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(between("switchToGasoline", 1, "readBase", 1), 40s);
    EXPECT_EQ(between("switchToGasoline", 2, "writeBase", 2), 0s);
    EXPECT_EQ(cal.outcome(), Outcome::Completed);
    EXPECT_EQ(device.baseWrites.back().m_emulatorDelay, 10.0);
}

TEST_F(AutoCalRun, withTheKeepFlagTheSwitchingTimeIsNeitherClearedNorWrittenBack) {
    device.image.m_advancedSetup.m_advancedFlags |= kAdvFlagAutoCalibration;
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::Completed);
    ASSERT_EQ(device.baseWrites.size(), 1u); // only the pressures
    EXPECT_EQ(device.baseWrites[0].m_emulatorDelay, 0.5);
    EXPECT_EQ(between("switchToGasoline", 2, "writeBase", 1), 2s);
}

TEST_F(AutoCalRun, aStopDuringTheSecondPassEndsOnPetrolWithoutABoxAndPutsTheSwitchingTimeBack) {
    ASSERT_TRUE(cal.start());
    run([this] { return cal.differences().size() == 1 && !device.onGas && fedSinceSwitch > 10; });
    ASSERT_TRUE(cal.isActive());
    EXPECT_TRUE(cal.onButton()); // stopped, winding down until the next tick
    EXPECT_FALSE(cal.isRunning());
    EXPECT_FALSE(cal.start()); // one run at a time, also while it winds down
    cal.tick();

    EXPECT_FALSE(cal.isActive());
    EXPECT_EQ(cal.outcome(), Outcome::Stopped);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{kIdle});
    EXPECT_FALSE(device.onGas);
    EXPECT_EQ(device.log[device.log.size() - 2], "switchToGasoline");
    EXPECT_EQ(device.log.back(), "writeBase");
    EXPECT_EQ(device.baseWrites.back().m_emulatorDelay, 0.5);
    EXPECT_EQ(tabs, (std::vector<bool>{false, true}));
    EXPECT_EQ(progress.back(), 0);
    // What the first pass found stays.
    EXPECT_NEAR(device.image.m_mainCorr.m_mainCorr[5], 1.3, 1e-9);
}

TEST_F(AutoCalRun, aStopDuringAWaitEndsTheRun) {
    device.image.m_base.m_emulatorDelay = 10.0;
    ASSERT_TRUE(cal.start());
    cal.tick(); // petrol, then the 40 s wait
    clock.now += 1s;
    cal.stop();
    EXPECT_FALSE(cal.tick());
    EXPECT_EQ(cal.outcome(), Outcome::Stopped);
    EXPECT_EQ(device.calls("readBase"), 0);
    EXPECT_EQ(device.calls("writeBase"), 0); // nothing was cleared yet
}

TEST_F(AutoCalRun, anEngineStoppingWhileSettlingEndsTheRunQuietly) {
    device.onCommand = [this](const std::string& name) {
        if (name == "switchToLpg")
            device.engineStopped = true;
    };
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::Failed);
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{kIdle});
    EXPECT_EQ(device.log.back(), "writeBase"); // the switching time back after petrol
}

TEST_F(AutoCalRun, anEngineStoppingDuringAMeasurementIsReported) {
    ASSERT_TRUE(cal.start());
    // The settle phase on gas ends with its 50th record; the records after
    // it, which the measurement reads, show a stopped engine.
    run({}, [this] {
        if (device.onGas && fedSinceSwitch == 50)
            device.engineStopped = true;
    });
    EXPECT_EQ(cal.outcome(), Outcome::Failed);
    EXPECT_EQ(errorTexts(),
              std::vector<std::string>{"Błąd - Nie można pobrać czasu wtr. benzynowego!"});
    EXPECT_EQ(device.calls("writeMainCorr"), 1); // only the alignment
}

TEST_F(AutoCalRun, eachRefusedStepEndsTheRunWithItsOwnText) {
    const std::map<std::string, std::string> cases{
        {"switchToLpg", "Błąd - Nie można przełączyć na LPG!"},
        {"readAdv", "Błąd - Nie powiodło się wczytanie ustawień z urządzenia!"},
        {"writeMainCorr", "Błąd - Nie powiodło się wpisanie ustawień do urządzenia!"},
    };
    for (const auto& [command, text] : cases) {
        FakeAutoCalDevice fresh;
        fresh.feed();
        fresh.refuse[command] = 1;
        RecordingPrompt box;
        Seams s;
        s.prompt = &box;
        FakeClock time;
        CAutoCalibration run(fresh, s, {}, time.fn());
        ASSERT_TRUE(run.start()) << command;
        for (int i = 0; i < 10000 && run.tick(); ++i) {
            fresh.feed();
            time.now += 50ms;
        }
        EXPECT_EQ(run.outcome(), Outcome::Failed) << command;
        ASSERT_EQ(box.messages.size(), 2u) << command;
        EXPECT_EQ(box.messages[1].first, text);
        EXPECT_EQ(box.messages[1].second, Icon::Error);
        EXPECT_EQ(fresh.log.back() == "switchToGasoline" || fresh.log.back() == "writeBase", true)
            << command;
        // Cleared switching time goes back whenever it was cleared.
        if (!fresh.baseWrites.empty()) {
            EXPECT_EQ(fresh.baseWrites.back().m_emulatorDelay, 0.5) << command;
        }
    }
}

TEST_F(AutoCalRun, aCorrectionBelowTheLimitEndsTheRunShowingTheLimit) {
    device.petrolMs = 6.0;
    device.gasMs = 1.5; // d = -4.5, 1.0 - 4.5 = -3.5
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::Failed);
    EXPECT_EQ(errorTexts(), std::vector<std::string>{"Policzona korekta: -3.00 ms jest za mała.\n"
                                                     "Korekty powinny być z zakresu od 0.5ms do "
                                                     "2.5ms.\n"
                                                     "Należy zmienić wtryskiwacze na mniejsze."});
    EXPECT_EQ(device.mainCorrWrites, std::vector<double>{1.0});
    EXPECT_EQ(device.calls("switchToLpg"), 2);
}

TEST_F(AutoCalRun, aCorrectionOutsideTheAdvisedRangeWarnsUnlessTheSetupIsForCng) {
    device.gasMs = 5.0; // d = 2.0: 3.0 ms
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::Completed);
    ASSERT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(prompt.messages[1].second, Icon::Warning);
    EXPECT_EQ(prompt.messages[1].first.rfind("Policzona korekta: 3.00 ms  nie mieści", 0), 0u);

    FakeAutoCalDevice cng;
    cng.feed();
    cng.gasMs = 5.0;
    cng.image.m_advancedSetup.m_advancedFlags |= kAdvFlagCng;
    RecordingPrompt box;
    Seams s;
    s.prompt = &box;
    FakeClock time;
    CAutoCalibration quiet(cng, s, {}, time.fn());
    ASSERT_TRUE(quiet.start());
    for (int i = 0; i < 10000 && quiet.tick(); ++i) {
        cng.feed();
        time.now += 50ms;
    }
    EXPECT_EQ(quiet.outcome(), Outcome::Completed);
    EXPECT_EQ(box.messages.size(), 3u);
}

TEST_F(AutoCalRun, aPortErrorIsShownOnceAndTheRunEndsLikeAnyFailure) {
    device.throwAt["writeBase"] = 2; // the pressures
    ASSERT_TRUE(cal.start());
    run();
    EXPECT_EQ(cal.outcome(), Outcome::PortError);
    ASSERT_EQ(errorTexts().size(), 1u);
    EXPECT_EQ(errorTexts()[0].rfind("Błąd wykonania procedury autoustawiania\n", 0), 0u);
    EXPECT_FALSE(cal.isRunning());
    EXPECT_EQ(tabs, (std::vector<bool>{false, true}));
    EXPECT_EQ(device.log[device.log.size() - 2], "switchToGasoline");
    EXPECT_EQ(device.baseWrites.back().m_emulatorDelay, 0.5);
    // The next run can start.
    device.throwAt.clear();
    EXPECT_TRUE(cal.start());
}

TEST_F(AutoCalRun, aTickWhileABoxIsOpenDoesNotReenterTheRun) {
    int nestedTicks = 0;
    prompt.onMessage = [&] {
        ++nestedTicks;
        EXPECT_TRUE(cal.tick());
    };
    ASSERT_TRUE(cal.start());
    EXPECT_EQ(nestedTicks, 1);
    EXPECT_TRUE(device.log.empty());
}

TEST_F(AutoCalRun, demonstrationRunsSettleOnFiveRecords) {
    device.demo = true;
    ASSERT_TRUE(cal.start());
    int ticks = 0;
    run([&] { return ++ticks > 200; });
    EXPECT_EQ(cal.outcome(), Outcome::Completed);
}

class AutoCalStartTest : public AutoCalRun {};

TEST_F(AutoCalStartTest, noLiveRecordOrACoolReducerRefusesTheRun) {
    device.history.clear();
    EXPECT_FALSE(cal.onButton());
    EXPECT_EQ(prompt.messages.back().first, "Błąd - Brak diagnostyki!");

    // 2.2 kOhm sensor: raw 37 is 49 °C, raw 36 is 50 °C.
    device.reducerRaw = 37;
    device.feed();
    prompt.messages.clear();
    EXPECT_FALSE(cal.start());
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].first, "Temperatura reduktora mniejsza niż 50 C");
    EXPECT_EQ(prompt.messages[0].second, Icon::Warning);
    EXPECT_EQ(prompt.messages[1].first, "Uruchom autokalibrację po rozgrzaniu silnika");
    EXPECT_EQ(prompt.messages[1].second, Icon::Error);
    EXPECT_TRUE(device.log.empty());
    EXPECT_TRUE(tabs.empty());

    device.reducerRaw = 36;
    device.feed();
    EXPECT_TRUE(cal.start());
}

TEST_F(AutoCalStartTest, withoutAControllerTheButtonDoesNothing) {
    device.connected = false;
    EXPECT_FALSE(cal.onButton());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(AutoCalStartTest, theResetQuestionComesOnlyForAChangedCorrectionAndResetsWhatItNames) {
    device.image.m_injMapTable[0][0] = 5;
    ASSERT_TRUE(cal.start()); // 1.00 ms: no question even with a map
    EXPECT_TRUE(prompt.questions.empty());
    cal.stop();
    cal.tick();

    device.log.clear();
    device.image.m_mainCorr.m_mainCorr.fill(1.4);
    device.image.m_setupTimes1[4] = 3;
    device.image.m_setupTimes2[4] = 2;
    prompt.answers = {true};
    ASSERT_TRUE(cal.start());
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_FALSE(prompt.defaults[0]);
    EXPECT_EQ(prompt.questions[0],
              "Uwaga!!! Przed każdą ponowną autokalibracją zalecane jest przywrócenie nastawów "
              "do wartości domyślnych.\n"
              "Czy przywrócić główną poprawkę stałoczasową (do 1,00 ms)?\n"
              "Czy skasować nastawy linii mnożnika?\n"
              "Czy skasować modyfikacje mapy 'Czas wtrysku/Obroty' (ms/RPM)?");
    EXPECT_EQ(device.log, (std::vector<std::string>{"writeMainCorr", "writeSetupTimes", "clearMap",
                                                    "commitMap"}));
    EXPECT_EQ(device.image.m_mainCorr.m_mainCorr[3], 1.0);
    EXPECT_EQ(device.image.m_setupTimes1[4], 0);
    EXPECT_EQ(device.image.m_setupTimes2[4], 0);
    EXPECT_EQ(device.image.m_injMapTable[0][0], 0);
    EXPECT_EQ(lineRedraws, 1);
}

TEST_F(AutoCalStartTest, aRefusedResetWriteIsReportedAndTheRunStillStarts) {
    device.image.m_mainCorr.m_mainCorr.fill(1.4);
    device.image.m_setupTimes1[4] = 3;
    device.image.m_injMapTable[2][2] = 5;
    device.refuse["writeSetupTimes"] = 1;
    prompt.answers = {true};
    ASSERT_TRUE(cal.start());
    EXPECT_EQ(device.calls("clearMap"), 0);
    EXPECT_EQ(prompt.messages[0].first, "Nie powiodło się ustawienie urządzenia!");
    EXPECT_EQ(prompt.messages[1].first, kIdle);
    EXPECT_EQ(device.image.m_injMapTable[2][2], 5);
}

TEST_F(AutoCalStartTest, answeringNoChangesNothing) {
    device.image.m_mainCorr.m_mainCorr.fill(1.4);
    prompt.answers = {false};
    ASSERT_TRUE(cal.start());
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_TRUE(device.log.empty());
    EXPECT_EQ(device.image.m_mainCorr.m_mainCorr[0], 1.4);
}

} // namespace
} // namespace vexor
