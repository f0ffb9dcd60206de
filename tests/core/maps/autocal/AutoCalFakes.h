#pragma once

#include "device/Diag.h"
#include "device/RSError.h"
#include "maps/autocal/IAutoCalDevice.h"
#include "platform/Seams.h"

#include <chrono>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vexor::test {

// Message boxes and questions, recorded; questions answered from a script
// (No when it runs out). onMessage runs inside each box, as a modal box lets
// the window's timers fire.
class RecordingPrompt : public IUserPrompt {
public:
    void message(const std::string& text, Icon icon) override {
        messages.emplace_back(text, icon);
        if (onMessage)
            onMessage();
    }
    bool ask(const std::string& text, bool defaultYes) override {
        questions.push_back(text);
        defaults.push_back(defaultYes);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages)
            out.push_back(m.first);
        return out;
    }

    std::vector<std::pair<std::string, Icon>> messages;
    std::vector<std::string> questions;
    std::vector<bool> defaults;
    std::deque<bool> answers;
    std::function<void()> onMessage;
};

// A controller behind the calibration's interface: every command is logged
// by name and succeeds unless the test refuses it or makes it throw a port
// error. The fuel switches decide which injection time the next live record
// carries.
class FakeAutoCalDevice : public IAutoCalDevice {
public:
    DeviceSettings image;
    CDiagData history;
    bool connected = true;
    bool demo = false;
    bool onGas = false;

    std::vector<std::string> log;
    // Command name -> the call that is refused (1 = the first; 0 = every call).
    std::map<std::string, int> refuse;
    // Command name -> the call that throws a port error.
    std::map<std::string, int> throwAt;
    // The settings image as each write found it.
    std::vector<DeviceSettings::Base> baseWrites;
    std::vector<double> mainCorrWrites;
    // Called with each command's name before it answers.
    std::function<void(const std::string&)> onCommand;
    // What each ended run reported.
    std::vector<SAutoCalResult> ended;

    // The engine: commanded injection time on each fuel, gas pressure byte,
    // reducer temperature byte. A stopped engine fires no injector.
    double petrolMs = 3.0;
    double gasMs = 3.3;
    std::uint8_t pressureRaw = 128;
    std::uint8_t reducerRaw = 30;
    bool engineStopped = false;

    FakeAutoCalDevice() {
        image.m_devInfo.m_injCount = 4;
        image.m_base.m_emulatorDelay = 0.5;
        image.m_sensorsSetup.m_temprEngineSensor = 1;
    }

    void calibrationEnded(const SAutoCalResult& result) override { ended.push_back(result); }

    int calls(const std::string& name) const {
        int n = 0;
        for (const auto& entry : log)
            n += entry == name;
        return n;
    }

    // One live record of the engine as it runs now.
    CDiag record() const {
        CDiag r;
        r.setWorkMode(onGas ? 3 : 2);
        r.setByte(CDiag::OffReducerTempr, reducerRaw);
        r.setByte(CDiag::OffGasPressure, pressureRaw);
        const double ms = engineStopped ? 0.0 : (onGas ? gasMs : petrolMs);
        for (int k = 0; k < image.m_devInfo.m_injCount && k < CDiag::kInjectorCount; ++k)
            r.setPetrolWord(2 * k, static_cast<std::uint16_t>(std::lround(ms / 0.025)));
        return r;
    }
    void feed() { history.append(record()); }

    DeviceSettings& settings() override { return image; }
    bool isConnected() const override { return connected; }
    CDiagData& liveHistory() override { return history; }
    bool isDemo() const override { return demo; }

    bool switchToGasoline() override {
        return command("switchToGasoline", [this] { onGas = false; });
    }
    bool switchToLpg() override {
        return command("switchToLpg", [this] { onGas = true; });
    }
    bool switchToAuto() override {
        return command("switchToAuto", [this] { onGas = false; });
    }
    bool readBase() override { return command("readBase"); }
    bool readAdv() override { return command("readAdv"); }
    bool readMainCorr() override { return command("readMainCorr"); }
    bool writeBase() override {
        return command("writeBase", [this] { baseWrites.push_back(image.m_base); });
    }
    bool writeMainCorr() override {
        return command("writeMainCorr",
                       [this] { mainCorrWrites.push_back(image.m_mainCorr.m_mainCorr[0]); });
    }
    bool writeSetupTimes() override { return command("writeSetupTimes"); }
    bool clearMap() override { return command("clearMap"); }
    bool commitMap() override { return command("commitMap"); }

private:
    bool command(const std::string& name, const std::function<void()>& effect = {}) {
        log.push_back(name);
        if (onCommand)
            onCommand(name);
        const int n = calls(name);
        if (auto it = throwAt.find(name); it != throwAt.end() && it->second == n)
            throw static_cast<IError*>(
                new CRSError(CRSError::kCantReadWrite, name, __LINE__, __FILE__));
        if (auto it = refuse.find(name); it != refuse.end() && (it->second == 0 || it->second == n))
            return false;
        if (effect)
            effect();
        return true;
    }
};

// A clock the test moves.
struct FakeClock {
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    std::function<std::chrono::steady_clock::time_point()> fn() {
        return [this] { return now; };
    }
};

} // namespace vexor::test
