// The program's one home for the constants of units and angles.
#ifndef SPEKULOR_SUPPORT_UNITS_H
#define SPEKULOR_SUPPORT_UNITS_H

namespace spekulor::support {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 180.0 / kPi;
constexpr double kArcsecPerRadian = 3600.0 * kDegreesPerRadian;
constexpr double kMillimetresPerInch = 25.4;  // exact, by definition of the inch
constexpr double kMicrometresPerMillimetre = 1000.0;
constexpr double kNanometresPerMicrometre = 1000.0;
constexpr double kNanometresPerMillimetre = 1e6;
constexpr double kMillimetresPerNanometre = 1.0 / kNanometresPerMillimetre;

}  // namespace spekulor::support

#endif
