#pragma once

#include <functional>
#include <string>

class CLPGDevice;

// The logic of the controller's fault dialog: shows the faults the
// controller recorded, clears them, and switches the controller's continuous
// error signal. The dialog forwards its handlers here and shows text() and
// continuousSignal() afterwards.
class CErrorsDlgModel {
public:
    static constexpr const char* kMsgRead = "Nie można wczytać błędów urządzenia";
    static constexpr const char* kMsgClear = "Nie można skasować błędów urządzenia";
    static constexpr const char* kMsgWrite = "Nie powiodło się wpisanie ustawień do urządzenia!";
    // Shown in the text area when a read after clearing found no fault.
    static constexpr const char* kMsgNoFaults = "Brak błędów";
    static constexpr const char* kHandlerInit = "CErrorsDlg::OnInitDialog()";
    static constexpr const char* kHandlerClear = "CErrorsDlg::OnBtnClear()";
    static constexpr const char* kHandlerSignal = "CErrorsDlg::OnChkBuzerSignalContinious()";
    // Bit of the base block's flags: the error signal sounds continuously.
    static constexpr unsigned kContinuousSignal = 0x04;

    // Told whether the controller reported any fault (the main view's
    // error indicator).
    using IndicatorFn = std::function<void(bool faults)>;

    explicit CErrorsDlgModel(CLPGDevice& device, IndicatorFn indicator = {});

    // The decoded fault text; empty while there are none or they could not
    // be read.
    const std::string& text() const { return m_text; }
    // What the text area shows: the fault text from its first line that
    // holds anything, or after a clear that left no fault the translated
    // "no faults" line.
    std::string shownText() const;
    bool continuousSignal() const { return m_signal; }

    // Reads the faults when the dialog opens.
    void init();
    // "Kasuj błędy": restarts the controller, which forgets its faults, and
    // reads them again, so the dialog shows what the controller holds now.
    void clear();
    // "Sygnał ciągły dla błędów" now shows `ticked`.
    void setContinuousSignal(bool ticked);

private:
    // Reads and describes the faults; false (with the read message shown and
    // the text emptied) when the controller did not answer.
    bool readFaults();

    CLPGDevice& m_device;
    IndicatorFn m_indicator;
    std::string m_text;
    bool m_signal = false;
    bool m_clearedClean = false;
};
