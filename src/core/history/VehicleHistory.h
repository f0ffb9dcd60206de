#pragma once

#include "device/DeviceSettings.h"
#include "history/VisitLog.h"

#include <string>
#include <vector>

// A car's visits as the fitter reads them: one visit per controller and
// calendar day, made of what the visit log recorded (connections, faults,
// trouble codes, job sheets) and of the automatic backups of that day. The
// settings changed during a visit come from the backups: the first backup of
// the day holds the car as it came in, and the next backup after it (that
// day's last one, or the first of a later visit) what it had become.
struct SVisit {
    std::string serial; // folder name of the controller
    std::string day;    // "YYYY-MM-DD"
    // Oldest first: recorded events, "backup" (ID, reason) and "setting"
    // (KEY, BEFORE, AFTER; at the time of the day's first backup).
    std::vector<SVisitEvent> events;
    std::string firstBackup; // path of the day's first backup; empty when none
};

struct SVehicleHistory {
    std::vector<SVisit> visits;       // oldest first
    std::vector<std::string> damaged; // entries skipped, each with its reason
};

namespace vexor {

// Every visit, or the visits of one controller when serial is given.
SVehicleHistory loadVehicleHistory(const std::string& dataFolder, const std::string& serial = {});

// One line per event, oldest first: TIME<TAB>SERIAL<TAB>KIND[<TAB>FIELD...].
std::string historyLines(const SVehicleHistory& history);

// The settings as the car came in on that visit (its first backup); false
// when the visit has no readable backup.
bool visitSettings(const SVisit& visit, DeviceSettings& settings);

} // namespace vexor
