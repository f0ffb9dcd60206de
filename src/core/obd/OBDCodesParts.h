#pragma once

#include "obd/OBDCodes.h"

#include <span>

// The generic code tables of the letters after P, each sorted by code.
namespace vexor::obdcodes {

std::span<const COBDCodes::Entry> chassisEntries();
std::span<const COBDCodes::Entry> bodyEntries();
std::span<const COBDCodes::Entry> networkEntries();

} // namespace vexor::obdcodes
