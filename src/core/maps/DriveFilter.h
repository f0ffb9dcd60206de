#pragma once

#include "maps/DriveRecord.h"

#include <vector>

namespace vexor {

// Which records of a drive a map proposal may learn from.
//
// Always left out: records on neither fuel and records without a petrol
// time (no injector works: the engine stands or the car cuts fuel), which
// have no place on the map. The two filters that are on by default only
// leave out what cannot be steady and warm, so a record taken at a steady
// operating point with a warm reducer always counts:
// - a reducer colder than the switching temperature (the car's computer
//   still enriches a cold engine, on either fuel);
// - a transient: engine speed or manifold pressure running through the
//   record fast, rising (or falling) both into and out of it. One jump alone
//   is the edge of a steady stretch, and a record that differs from both
//   neighbours the same way is not a change under way either.
// The stricter ones are the fitter's choice.
struct SDriveFilter {
    double switchTemprC = 35.0;
    bool skipCold = true;
    bool skipTransients = true;
    // Between neighbouring records (a tenth of a second apart).
    double transientRpm = 150.0;
    double transientKpa = 4.0;
    // Seconds after a change of fuel during which the fuel trims still
    // catch up (0: none are left out).
    double afterSwitchSeconds = 0.0;
    // Lambda probes held at a rail say nothing about the mixture any more;
    // a missing second probe reads 0 V, so only its upper rail counts.
    bool skipLambdaRails = false;
    double lambdaLowV = 0.05;
    double lambdaHighV = 0.95;
    // Gas records on which no gas injector works (cylinders cut off).
    bool skipGasIdle = false;
};

// Why a record is left out, or Kept.
enum class DriveSkip {
    Kept,
    NoFuel,
    NoInjection,
    Cold,
    Transient,
    AfterSwitch,
    LambdaRail,
    GasIdle
};

// One verdict per record of the run.
std::vector<DriveSkip> filterDrive(const DriveRun& run, const SDriveFilter& filter);

} // namespace vexor
