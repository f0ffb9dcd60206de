#include "maps/DriveFilter.h"

#include "diag/Recording.h"

#include <cmath>
#include <cstddef>

namespace vexor {

namespace {

// The speed or the pressure runs through the record fast, the same way on
// both sides of it: an acceleration or a lift-off. A record that differs from
// both neighbours the same way is a lone outlier (or lines of two steady
// points written in turn), not a change under way.
bool sweeping(double before, double now, double after, double limit) {
    return (now - before > limit && after - now > limit) ||
           (before - now > limit && now - after > limit);
}

bool transient(const SDriveRecord& a, const SDriveRecord& r, const SDriveRecord& b,
               const SDriveFilter& f) {
    return sweeping(a.rpm, r.rpm, b.rpm, f.transientRpm) ||
           sweeping(a.manifoldKpa, r.manifoldKpa, b.manifoldKpa, f.transientKpa);
}

bool onFuel(const SDriveRecord& r) {
    return r.workMode == kDriveOnPetrol || r.workMode == kDriveOnGas;
}

} // namespace

std::vector<DriveSkip> filterDrive(const DriveRun& run, const SDriveFilter& filter) {
    std::vector<DriveSkip> out(run.size(), DriveSkip::Kept);
    const auto settleLines =
        static_cast<std::size_t>(std::ceil(filter.afterSwitchSeconds / CRecording::kLineSeconds));
    std::size_t sinceSwitch = settleLines; // a run starts settled: its past is unknown
    for (std::size_t i = 0; i < run.size(); ++i) {
        const SDriveRecord& r = run[i];
        if (i > 0 && onFuel(run[i - 1]) && onFuel(r) && run[i - 1].workMode != r.workMode)
            sinceSwitch = 0;
        const bool settling = sinceSwitch < settleLines;
        ++sinceSwitch;
        DriveSkip& verdict = out[i];
        if (!onFuel(r))
            verdict = DriveSkip::NoFuel;
        else if (!(r.petrolMs > 0.0))
            verdict = DriveSkip::NoInjection;
        else if (filter.skipCold && r.reducerC < filter.switchTemprC)
            verdict = DriveSkip::Cold;
        else if (filter.skipTransients && i > 0 && i + 1 < run.size() &&
                 transient(run[i - 1], r, run[i + 1], filter))
            verdict = DriveSkip::Transient;
        else if (settling)
            verdict = DriveSkip::AfterSwitch;
        else if (filter.skipLambdaRails &&
                 (r.lambda1 <= filter.lambdaLowV || r.lambda1 >= filter.lambdaHighV ||
                  r.lambda2 >= filter.lambdaHighV))
            verdict = DriveSkip::LambdaRail;
        else if (filter.skipGasIdle && r.workMode == kDriveOnGas && !r.gasInjecting)
            verdict = DriveSkip::GasIdle;
    }
    return out;
}

} // namespace vexor
