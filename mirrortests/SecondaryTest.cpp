#include "mirrortests/SecondaryTest.h"

#include <cmath>

#include "collimation/AxisWavefront.h"
#include "trace/RayTrace.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::collimation;

namespace spekulor::mirrortests {

namespace {

// Pupil cells across the primary for the telescope's axis image.
constexpr int kTelescopeGrid = 64;

}  // namespace

double UnusedSecondaryCentre(const DesignResult& design) {
  return design.SecDia * design.SecPriFocDist / design.PriFoc;
}

SecondaryTest TestSecondary(const DesignResult& design, const SecondaryTestOptions& options) {
  SecondaryTest test;
  test.input.secondaryRoc = design.SecRadCur;
  test.input.secondaryConic = design.SecConic;
  test.input.testedDiameter = design.SecDia;
  test.input.unusedCentre = UnusedSecondaryCentre(design);
  test.input.primaryDiameter = design.PriDia;
  test.layout = LayOutHindleSphere(test.input, options.sphereRadius);
  if (test.layout.problem != HindleProblem::None) return test;

  test.null = TraceHindleTest(BenchOf(test.layout, test.input, design.SecConic),
                              options.wavelength, kHindleSamples);
  if (options.conicError != 0.0) {
    test.withError =
        TraceHindleTest(BenchOf(test.layout, test.input, design.SecConic + options.conicError),
                        options.wavelength, kHindleSamples);
  }
  DesignResult figured = design;
  figured.SecConic += options.conicError;
  const AxisProbe probe{BuildTelescope(figured), kTelescopeGrid, options.wavelength};
  const AxisWavefront axis = MeasureAxis(probe, SecondaryPerturbation{});
  test.telescopeTraced = HoldsTheLight(axis);
  test.telescopeRmsWaves = axis.rmsWaves;
  return test;
}

}  // namespace spekulor::mirrortests
