// The program's one home for the optical constants its analyses share.
#ifndef SPEKULOR_CALC_OPTICALCONSTANTS_H
#define SPEKULOR_CALC_OPTICALCONSTANTS_H

#include <array>

#include "support/Units.h"

namespace spekulor::calc {

// The reference wavelength: 550 nm, where the eye is most sensitive. The spot
// diagrams' Airy disk, the exported lens files and the default of the image-quality
// and collimation analyses use it.
constexpr double kReferenceWavelengthNm = 550.0;
constexpr double kWavelengthMm = kReferenceWavelengthNm / support::kNanometresPerMillimetre;

// The three field points of the spot diagrams, the image-quality analysis and the
// exported lens files: on the axis, 0.7 and 1.0 of the half field, the edge of the fully
// illuminated field.
constexpr std::array<double, 3> kSpotFieldFractions = {0.0, 0.7, 1.0};

// Wavelengths an analysis accepts, nanometres: the near ultraviolet to the thermal
// infrared.
constexpr double kLeastWavelengthNm = 200.0;
constexpr double kMostWavelengthNm = 20000.0;

// The radius of the first dark ring of a clear circular aperture, in lambda N (the Airy
// disk's radius, 1.21967 rounded as opticians quote it: Born and Wolf, "Principles of
// Optics", sec. 8.5.2).
constexpr double kAiryFactor = 1.22;

}  // namespace spekulor::calc

#endif
