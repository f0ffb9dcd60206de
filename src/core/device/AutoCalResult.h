#pragma once

#include <ctime>
#include <string>
#include <vector>

// How a run of the automatic calibration ended.
enum class AutoCalOutcome {
    None,      // no run has ended yet
    Completed, // the final correction was written
    Failed,    // a command failed, a measurement failed or the result was unusable
    Stopped,   // the fitter stopped the run
    PortError  // the port failed; the error was shown
};

// What one run of the automatic calibration did, kept for the job sheet.
struct SAutoCalResult {
    AutoCalOutcome outcome = AutoCalOutcome::None;
    std::string serial; // the controller the run was made on
    std::time_t ended = 0;
    // The working gas pressure taken on gas (kPa); 0 when the run ended first.
    double gasPressure = 0.0;
    // Gas minus petrol injection time of each pass, ms.
    std::vector<double> differences;
    // The main correction the controller holds after the run, ms.
    double mainCorrection = 0.0;

    bool operator==(const SAutoCalResult&) const = default;
};
