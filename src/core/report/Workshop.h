#pragma once

#include <string>
#include <vector>

// The workshop that issues job sheets: entered once, kept with the user's
// other remembered settings in the configuration folder.
struct SWorkshop {
    std::string name;
    std::string address; // may hold line breaks

    bool operator==(const SWorkshop&) const = default;
};

// What the job sheet says about the car and the customer that the
// controller does not hold. Kept in the workshop's store per controller
// serial, so the next visit of the same car starts with it filled in.
struct SVehicleRecord {
    std::string make;
    std::string model;
    std::string registration;
    std::string odometer;
    std::string customer;
    std::string workDone; // may hold line breaks

    bool operator==(const SVehicleRecord&) const = default;
};

namespace vexor {

// folder: the configuration folder; empty means the default one.
SWorkshop loadWorkshop(const std::string& folder);
bool saveWorkshop(const std::string& folder, const SWorkshop& workshop);

// The record of the controller with this serial (empty fields when none
// was kept). An empty serial (no controller read) keeps nothing.
SVehicleRecord loadVehicleRecord(const std::string& folder, const std::string& serial);
bool saveVehicleRecord(const std::string& folder, const std::string& serial,
                       const SVehicleRecord& record);
// The names the command line takes the fields by: make, model,
// registration, odometer, customer, work.
const std::vector<std::string>& vehicleFieldNames();
// Sets the field called `name`; false for a name that is none of them.
bool setVehicleField(SVehicleRecord& record, const std::string& name, const std::string& value);

} // namespace vexor
