#include "collimation/AxisWavefront.h"

#include "quality/FocusSearch.h"
#include "quality/PupilFunction.h"
#include "quality/Wavefront.h"

using namespace spekulor::trace;
using namespace spekulor::quality;

namespace spekulor::collimation {

AxisWavefront MeasureAxisWavefront(const TracedPupil& pupil, double wavelength) {
  AxisWavefront axis;
  axis.raysPassing = pupil.launched - pupil.obstructed;
  axis.raysImaged = pupil.imaged;
  if (pupil.rays.empty()) return axis;
  axis.traced = true;
  axis.bestFocus = OwnBestFocus(pupil, wavelength);
  const Wavefront front = EvaluateWavefront(pupil, axis.bestFocus, wavelength);
  axis.imageX = front.imageX;
  axis.imageY = front.imageY;
  axis.rmsWaves = front.rmsWaves;
  axis.terms = FitPupilTerms(pupil, front.waves);
  axis.largestWaveStep = LargestWaveStep(TracedPupilFunction(pupil, front));

  // Moving the plane changes the defocus term in proportion; where it vanishes is the
  // paraxial focus (the other terms take up the rest of the wavefront).
  const double step = FocusStep(pupil, wavelength);
  const Wavefront beyond = EvaluateWavefront(pupil, axis.bestFocus + step, wavelength);
  const double defocusBeyond = FitPupilTerms(pupil, beyond.waves)[kDefocus];
  const double perShift = (defocusBeyond - axis.terms[kDefocus]) / step;
  axis.paraxialFocus =
      perShift != 0.0 ? axis.bestFocus - axis.terms[kDefocus] / perShift : axis.bestFocus;
  return axis;
}

bool HoldsTheLight(const AxisWavefront& axis) {
  return axis.traced && axis.raysPassing > 0 && 2 * axis.raysImaged >= axis.raysPassing;
}

AxisWavefront MeasureAxis(const AxisProbe& probe, const SecondaryPerturbation& secondary) {
  return MeasureAxisWavefront(
      TracePupil(PerturbSecondary(probe.telescope, secondary), 0.0, probe.gridSize),
      probe.wavelength);
}

}  // namespace spekulor::collimation
