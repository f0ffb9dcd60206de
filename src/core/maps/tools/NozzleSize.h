#pragma once

#include <array>
#include <optional>
#include <string>

// The gas injector nozzle calculator: from the engine's power and cylinder
// count, the nozzle diameter to drill. No controller is involved.
namespace vexor {

// Order of the "Rodzaj wtrysku" list.
enum class InjectionType { Sequential = 0, SemiSequential = 1, FullGroup = 2 };

inline constexpr std::array<int, 6> kNozzleCylinderCounts{3, 4, 5, 6, 7, 8};
// The power field starts here, and its up-down control stays within the
// limits (a value typed into the field is used as typed).
inline constexpr int kNozzlePowerStart = 100; // HP
inline constexpr int kNozzlePowerMin = 30;
inline constexpr int kNozzlePowerMax = 500;
// Compressed natural gas needs a narrower nozzle than LPG for the same power.
inline constexpr double kNozzleCngReductionMm = 0.5;

struct SNozzleSizes {
    double small = 0.0;
    double medium = 0.0;
    double large = 0.0;
};

// The three nozzle diameters (mm) for a power per cylinder in HP.
SNozzleSizes nozzleSizes(int powerPerCylinder);

// "Oblicz": power / cylinders in whole HP, the row of that power, less the
// CNG reduction, then the large nozzle for sequential injection, the medium
// one for semi-sequential and the small one for full group. A cylinder count
// below 1 counts as 1.
double nozzleDiameterMm(int powerHp, int cylinders, InjectionType type, bool cng);

// The result field's text, "%1.1f".
std::string formatNozzleDiameter(double mm);

// The power field's leading whole number; 0 when it holds none.
int nozzlePowerFromText(const std::string& text);

// The power after a step of the up-down control (positive raises it), or
// nothing when it would leave kNozzlePowerMin .. kNozzlePowerMax.
std::optional<int> steppedNozzlePower(int power, int step);

// Polish names of the injection types, as the list shows them (translated).
const char* injectionTypeName(InjectionType type);

} // namespace vexor
