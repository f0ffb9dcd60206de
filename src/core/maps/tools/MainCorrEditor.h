#pragma once

#include "maps/tools/IMainCorrDevice.h"
#include "platform/Seams.h"

#include <array>
#include <functional>
#include <string>
#include <utility>

// The per-cylinder main correction window without its widgets: eight text
// fields (one per cylinder, "%.2f" ms), two up-down controls per row (0.01 ms
// on the right, 0.1 ms on the left) and the check box "change for all". The
// window shows fieldText(), rowVisible() and spinEnabled(), passes typed text
// to setFieldText() and every up-down step to onDeltaSpin(), and redraws the
// fields afterwards.
//
// Every accepted step writes all eight corrections to the controller at once;
// there is no Apply button.
class CMainCorrEditor {
public:
    static constexpr int kRows = 8;
    static constexpr double kFineStepMs = 0.01;
    static constexpr double kCoarseStepMs = 0.1;

    static constexpr const char* kMsgSetDevice = "Nie powiodło się ustawienie urządzenia!";
    // Report name shown above a port error's description.
    static constexpr const char* kHandlerName = "CMainCorrDlg::onDeltaSpinMainCorr()";

    enum class Spin { Fine, Coarse };
    enum class Result {
        Ignored,  // no controller, no such row, or the value would leave the range
        Written,  // the controller took the corrections
        Refused,  // the controller did not take them; the fitter was told
        PortError // the port failed; the error was shown
    };

    CMainCorrEditor(IMainCorrDevice& device, const Seams& seams);

    // Fills the fields from the settings image and checks "change for all".
    void open();

    const std::string& fieldText(int row) const;
    // What the fitter typed into a field; read when the next step is written.
    void setFieldText(int row, std::string text);

    bool changeAll() const { return m_changeAll; }
    void setChangeAll(bool all) { m_changeAll = all; }

    // Only the rows of the engine's cylinders are shown.
    bool rowVisible(int row) const;
    // With "change for all" only the first row's controls work; nothing works
    // without a controller.
    bool spinEnabled(int row) const;

    // An up-down step on a row. delta is the control's position change: -1
    // for the upper arrow, which raises the value.
    Result onDeltaSpin(int row, int delta, Spin spin);

    // OK: what was typed into the fields goes to the controller, limited to
    // the range as for a step. Ignored when no field differs from the image
    // (to two decimals) or no controller is connected.
    Result acceptTyped();
    // Asked before a change is made, once the controller is known to be
    // there (the window program backs the controller up then); false stops
    // the change before anything is changed or sent.
    void setChangeGuard(std::function<bool()> guard) { m_changeGuard = std::move(guard); }

    // The value a field stands for: its leading decimal number (the decimal
    // point is '.', whatever the locale), or the image's value when the field
    // holds no number.
    double fieldValue(int row) const;

private:
    std::function<bool()> m_changeGuard;
    Result writeFields();
    void showValue(int row, double ms);

    IMainCorrDevice& m_device;
    Seams m_seams;
    std::array<std::string, kRows> m_fields;
    bool m_changeAll = true;
};
