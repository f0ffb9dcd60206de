#pragma once

#include "device/DeviceSettings.h"
#include "device/LoadMap.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// What a job sheet says about one car and its controller, gathered from the
// document at one moment. Values are ready to print; labels are the Polish
// texts that the renderers translate, so the object itself does not depend
// on the language chosen.
struct SJobSheetField {
    std::string label; // Polish, translated when shown
    std::string value;
    // The value is a Polish text too, translated when shown.
    bool translatedValue = false;

    bool operator==(const SJobSheetField&) const = default;
};

// One value that differs from the image saved before the first change.
struct SJobSheetChange {
    std::string label; // the setting's name (Polish) or its settings-file key
    std::string unit;
    std::string before;
    std::string after;
    std::string group; // caption of the label's group (Polish), may be empty
    // The values are entries of a list, Polish texts to translate.
    bool listEntries = false;

    bool operator==(const SJobSheetChange&) const = default;
};

// Faults of the controller and trouble codes of the car at one moment. A list
// that could not be read is marked so, which is not the same as "none".
struct SJobSheetFindings {
    bool faultsRead = false;
    std::vector<std::string> faults;
    bool obdRead = false;
    std::vector<std::string> obdCodes;
    // Read with the codes when the car's link was found: its identity, the
    // readiness of its monitors (the lamp, then each supported monitor with
    // "Gotowy" or "Niegotowy") and the codes of the other kinds. A list the
    // car does not support or that could not be read has a note instead
    // (Polish, translated when shown).
    std::string vin;
    std::vector<std::string> calibrationIds;
    std::vector<SJobSheetField> readiness;
    std::string readinessNote;
    std::vector<std::string> pendingCodes;
    std::string pendingNote;
    std::vector<std::string> permanentCodes;
    std::string permanentNote;

    bool operator==(const SJobSheetFindings&) const = default;
};

struct SJobSheetLiveValue {
    std::string label; // Polish
    std::string value;
    std::string unit;
    // The value is a Polish text too (the work mode), translated when shown.
    bool translatedValue = false;

    bool operator==(const SJobSheetLiveValue&) const = default;
};

class CJobSheet {
public:
    std::string workshopName;
    std::string workshopAddress; // may hold line breaks
    std::string issued;          // "YYYY-MM-DD HH:MM"
    bool demo = false;

    std::vector<SJobSheetField> identity;
    std::vector<SJobSheetField> vehicle;
    // The customer's name and the work done; empty when nothing was entered.
    std::vector<SJobSheetField> customer;
    std::vector<SJobSheetField> statistics;

    SJobSheetFindings atConnection;
    SJobSheetFindings now;

    // False when no saved image was there to compare with.
    bool baselineKnown = false;
    std::vector<SJobSheetChange> changes;

    DeviceSettings::InjMapTable map{};
    // Shown only when some point is not 0.
    std::optional<std::array<double, 20>> multiplierLine;
    // Shown only when the controller has collected samples.
    std::optional<LoadMap> petrolLoadMap;
    std::optional<LoadMap> gasLoadMap;
    // The automatic calibration's outcome; empty when none ran.
    std::vector<SJobSheetField> calibration;
    // Empty when no live record was available.
    std::vector<SJobSheetLiveValue> live;
};
