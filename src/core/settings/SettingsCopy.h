#pragma once

#include "device/DeviceSettings.h"

namespace vexor {

// What a loaded settings file changes in the device image: the base block
// (not the station code), the advanced block (not the injector pattern, which
// a file does not carry), the setup times, the main correction, the map, the
// sensors, and of the advanced setup the minimal gas speed, the switch-over
// correction and its time and the flags — except the inspection reminder
// bit, which stays as the controller had it. Every member a file does not
// carry keeps the controller's value: identity, vehicle description, time
// stamp, station code, injector pattern, service limit, maximal load and the
// second flags byte.
void applyLoadedSettings(DeviceSettings& device, const DeviceSettings& loaded);

// The factory image in every block the defaults action writes: base (station
// code kept), advanced, setup times, main correction, map (all cells 0),
// sensors and the whole advanced setup. Identity, vehicle description and
// time stamp stay.
void applyFactoryDefaults(DeviceSettings& device);

} // namespace vexor
