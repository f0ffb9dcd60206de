#include "obd/OBDCodesParts.h"

namespace {

// Generic chassis (C0xxx) codes, described in plain English, sorted by code.
constexpr COBDCodes::Entry kEntries[] = {
    {0x4020, "Anti-lock brake pump motor control"},
    {0x4030, "Tone wheel fault, left front"},
    {0x4031, "Wheel speed sensor fault, left front"},
    {0x4032, "Wheel speed sensor supply fault, left front"},
    {0x4033, "Tone wheel fault, right front"},
    {0x4034, "Wheel speed sensor fault, right front"},
    {0x4035, "Wheel speed sensor supply fault, right front"},
    {0x4036, "Tone wheel fault, left rear"},
    {0x4037, "Wheel speed sensor fault, left rear"},
    {0x4038, "Wheel speed sensor supply fault, left rear"},
    {0x4039, "Tone wheel fault, right rear"},
    {0x403A, "Wheel speed sensor fault, right rear"},
    {0x403B, "Wheel speed sensor supply fault, right rear"},
    {0x4040, "Brake pedal switch A fault"},
    {0x4041, "Brake pedal switch B fault"},
    {0x4045, "Brake pressure sensor A fault"},
    {0x4046, "Brake pressure sensor B fault"},
    {0x4050, "Wheel speed sensor circuit fault, right rear"},
    {0x4051, "Steering wheel position sensor fault"},
    {0x4110, "Anti-lock brake pump motor circuit fault"},
    {0x4121, "Anti-lock brake valve relay circuit fault"},
    {0x4161, "Anti-lock brake or traction control brake switch circuit fault"},
    {0x4196, "Yaw rate sensor circuit fault"},
    {0x4242, "Anti-lock brake hydraulic solenoid valve fault"},
    {0x4265, "Anti-lock brake motor relay circuit fault"},
    {0x4455, "Steering wheel position sensor circuit fault"},
    {0x4561, "Stability control system switched off or out of service"},
};

} // namespace

std::span<const COBDCodes::Entry> vexor::obdcodes::chassisEntries() {
    return kEntries;
}
