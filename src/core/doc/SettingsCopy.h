#pragma once

#include "device/DeviceSettings.h"

namespace vexor {

// What a loaded settings file changes in the device image: the base block
// (not the station code), the advanced block whole (a file carries no
// injector pattern, so the loaded image's default pattern goes in), the setup
// times, the main correction, the map, the sensors, and of the advanced setup
// the minimal gas speed, the switch-over correction and its time, the maximal
// load (which a file does not carry either) and the flags — except the
// inspection reminder bit, which stays as the controller had it. Identity,
// vehicle description, time stamp, service limit and the second flags byte
// stay as they were.
void applyLoadedSettings(DeviceSettings& device, const DeviceSettings& loaded);

// The factory image in every block the defaults action writes: base (station
// code kept), advanced, setup times, main correction, map (all cells 0),
// sensors and the whole advanced setup. Identity, vehicle description and
// time stamp stay.
void applyFactoryDefaults(DeviceSettings& device);

} // namespace vexor
