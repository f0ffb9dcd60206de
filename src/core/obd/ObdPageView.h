#pragma once

#include "diag/ChoiceList.h"

#include <array>
#include <string>
#include <vector>

// Everything the OBD page shows, as the page's logic left it. The window
// copies it into its controls after every call into the logic.
struct SObdPageView {
    static constexpr int kCylinders = 8;
    static constexpr int kValues = 9;

    // OBD link on/off ("Podłączone" 1, "Rozłączone" 0), correction update
    // period in seconds (2..127), correction maximum in percent (1..50).
    CChoiceList link;
    CChoiceList period;
    CChoiceList maximum;
    bool linkEnabled = false;
    // "Wczytaj błędy OBD" and "Kasuj błędy OBD".
    bool codeButtonsEnabled = false;

    // "Czytanie korekty z OBD" and the controls of the correction set-up
    // (period, maximum, bank corrections, cylinder boxes and their labels).
    bool correctionCheckVisible = false;
    bool correctionCheckEnabled = false;
    bool correctionChecked = false;
    bool correctionControlsVisible = false;

    // Bank boxes of each cylinder: exactly one of the two is ticked.
    std::array<bool, kCylinders> bank1{};
    std::array<bool, kCylinders> bank2{};
    std::array<bool, kCylinders> cylinderEnabled{true, true, true, true, true, true, true, true};

    std::string standard; // OBD standard of the car
    std::string protocol; // bus protocol found
    // Manifold pressure or air flow, the four fuel trims, the four oxygen
    // sensors.
    std::array<std::string, kValues> values;
    // The first value is air flow: its label and unit (translated) replace
    // the page's own "Podciśnienie" and "kPa". Empty otherwise.
    std::string loadLabel;
    std::string loadUnit;
    // The controller's current OBD gas correction per bank, percent.
    std::string bank1Correction;
    std::string bank2Correction;

    // The list of stored trouble codes, one text each.
    std::vector<std::string> troubleCodes;
    // The last read succeeded (or the car confirmed a clear) and the car has
    // no codes stored: the list says so rather than staying blank.
    bool noTroubleCodes = false;

    // What "Wczytaj dane diagnostyczne" found, translated and ready to show.
    // A section the car does not support, or whose read failed, has no
    // entries and a note saying which.
    bool scanRead = false;
    std::vector<std::array<std::string, 2>> readiness; // name, state
    std::string readinessNote;
    std::vector<std::string> pendingCodes;
    std::string pendingNote;
    std::vector<std::string> permanentCodes;
    std::string permanentNote;
    std::vector<std::array<std::string, 3>> freezeFrame; // name, value, unit
    std::string freezeNote;
    std::string vin;
    std::string calibrationId; // several IDs joined by ", "
};
