#pragma once

#include "maps/autocal/IAutoCalDevice.h"
#include "platform/Seams.h"

#include <functional>

// The two steps before a calibration run starts.
namespace vexor::autocal {

// The engine must be running warm: a live record must have arrived, and its
// reducer temperature must be at least 50 °C. Tells the fitter why not and
// returns false otherwise.
bool preCheck(IAutoCalDevice& device, const Seams& seams);

// When the main correction is not the factory 1.00 ms, asks (No is the
// default) whether to return it, and the multiplier line and the injection map
// when they hold anything, to their factory values before the run. On Yes each
// offered part is reset in the settings image and written; the first refused
// write is reported and ends the reset (the run still starts).
// lineChanged is called after the multiplier line was written, for the chart.
// Port errors are thrown through.
void offerReset(IAutoCalDevice& device, const Seams& seams,
                const std::function<void()>& lineChanged = {});

} // namespace vexor::autocal
