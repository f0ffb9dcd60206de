#include "obd/OBDCodesParts.h"

namespace {

// Generic body (B0xxx) codes, described in plain English, sorted by code.
constexpr COBDCodes::Entry kEntries[] = {
    {0x8001, "Driver frontal airbag stage 1 deployment control"},
    {0x8002, "Driver frontal airbag stage 2 deployment control"},
    {0x8003, "Driver frontal airbag stage 3 deployment control"},
    {0x8010, "Passenger frontal airbag stage 1 deployment control"},
    {0x8011, "Passenger frontal airbag stage 2 deployment control"},
    {0x8012, "Passenger frontal airbag stage 3 deployment control"},
    {0x8020, "Left side airbag deployment control"},
    {0x8028, "Right side airbag deployment control"},
    {0x8050, "Driver seat belt sensor"},
    {0x8081, "Passenger presence detection system"},
    {0x8100, "Electronic frontal crash sensor 1"},
};

} // namespace

std::span<const COBDCodes::Entry> vexor::obdcodes::bodyEntries() {
    return kEntries;
}
