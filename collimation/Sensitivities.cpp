#include "collimation/Sensitivities.h"

#include <cmath>
#include <limits>

#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::trace;

namespace spekulor::collimation {

double ProbeStep(const Telescope& telescope, Misalignment kind) {
  return kind == Misalignment::Tilt ? kProbeTiltDeg
                                    : kProbeStepOfFocalLength * telescope.systemFocus;
}

Sensitivities MeasureSensitivities(const AxisProbe& probe, double wavelengthNm) {
  Sensitivities result;
  for (size_t i = 0; i < kMisalignments.size(); ++i) {
    const Misalignment kind = kMisalignments[i];
    MisalignmentProbe& probed = result.probes[i];
    probed.step = ProbeStep(probe.telescope, kind);
    probed.minus = MeasureAxis(probe, Misaligned(kind, -probed.step));
    probed.plus = MeasureAxis(probe, Misaligned(kind, probed.step));
  }
  // d/dx of a measured quantity by the central difference.
  auto slope = [&](Misalignment kind, auto quantity) {
    const MisalignmentProbe& probed = result.probes[static_cast<size_t>(kind)];
    return (quantity(probed.plus) - quantity(probed.minus)) / (2.0 * probed.step);
  };
  const auto paraxial = [](const AxisWavefront& a) { return a.paraxialFocus; };
  const auto spherical = [](const AxisWavefront& a) { return a.terms[kSpherical]; };
  const auto coma = [](const AxisWavefront& a) { return a.terms[kComaY]; };
  const auto height = [](const AxisWavefront& a) { return a.imageY; };

  result.backFocusPerUnit = slope(Misalignment::Despace, paraxial);
  result.w040NmPerUnit = slope(Misalignment::Despace, spherical) * wavelengthNm;
  result.w131NmPerUnit = slope(Misalignment::Decenter, coma) * wavelengthNm;
  result.imageShiftPerUnit = slope(Misalignment::Decenter, height);
  result.w131NmPerDegree = slope(Misalignment::Tilt, coma) * wavelengthNm;
  const double perRadian = result.w131NmPerDegree * kDegreesPerRadian;
  result.comaFreePivot = result.w131NmPerUnit != 0.0
                             ? -perRadian / result.w131NmPerUnit
                             : std::numeric_limits<double>::infinity();
  return result;
}

}  // namespace spekulor::collimation
