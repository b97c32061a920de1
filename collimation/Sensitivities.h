// How the secondary's misalignments change the axis image, as linear coefficients at
// small perturbations: central differences of the exact trace at +-step, each measured
// after refocusing and re-pointing and fitted with the classical terms (AxisWavefront.h,
// PupilFit.h). Coefficients of the wavefront are optical path differences in nanometres
// (signs: calc/SignConventions.h).
//
// The coma-free pivot follows from two of them: turning the secondary by a small angle
// a about the point z from its vertex (toward the sky) is the same, to first order, as
// turning it about its vertex and moving it sideways by z a, so its axial coma is
// a (T + z C), T the coma per radian of tilt about the vertex and C per unit of
// decenter, and vanishes at z = -T / C (the neutral point of the secondary's rotation:
// Wilson, "Reflecting Telescope Optics I", ch. 3, decentering of two-mirror
// telescopes; Schroeder, "Astronomical Optics", ch. 6, misaligned two-mirror
// telescopes).
#ifndef SPEKULOR_COLLIMATION_SENSITIVITIES_H
#define SPEKULOR_COLLIMATION_SENSITIVITIES_H

#include <array>

#include "collimation/AxisWavefront.h"
#include "collimation/Misalignment.h"

namespace spekulor::collimation {

// The probing steps: despace and decenter 1e-4 of the system focal length, tilt 0.005
// degrees. Central differences cancel the even terms, and the odd ones beyond the
// linear stay below 1e-6 of it at such steps, while the changes they make are a few
// hundredths of a wave, far above the trace's rounding.
constexpr double kProbeStepOfFocalLength = 1e-4;
constexpr double kProbeTiltDeg = 0.005;

// One kind of misalignment probed at -step and +step.
struct MisalignmentProbe {
  double step = 0.0;  // design unit, or degrees for the tilt
  AxisWavefront minus;
  AxisWavefront plus;
};

struct Sensitivities {
  // Despace, per unit: the paraxial back focal length's change (positive: longer) and
  // the spherical aberration W040 once refocused.
  double backFocusPerUnit = 0.0;
  double w040NmPerUnit = 0.0;
  // Decenter, per unit: the axial coma W131 and the image's shift along the decenter.
  double w131NmPerUnit = 0.0;
  double imageShiftPerUnit = 0.0;
  // Tilt about the vertex, per degree: the axial coma W131.
  double w131NmPerDegree = 0.0;
  // The coma-free pivot, from the vertex toward the sky, design unit; infinite when a
  // decenter adds no coma.
  double comaFreePivot = 0.0;
  std::array<MisalignmentProbe, kMisalignments.size()> probes;  // in kMisalignments' order
};

// The probing step of each kind for the telescope.
double ProbeStep(const trace::Telescope& telescope, Misalignment kind);

// Probes the three kinds on `probe`'s telescope; `wavelengthNm` converts waves to
// nanometres.
Sensitivities MeasureSensitivities(const AxisProbe& probe, double wavelengthNm);

}  // namespace spekulor::collimation

#endif
