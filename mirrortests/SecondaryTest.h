// The test of a completed design's convex secondary: the Hindle sphere laid out for it,
// verified on the exact double pass, and, for a secondary figured to a conic off by
// `conicError`, what the test reads beside what the telescope's axis image suffers.
//
// The telescope never uses the centre of the secondary that the secondary's own disc
// shades: on the axis the light from the primary's radius r meets the secondary at
// r p / f1, so the part inside (secondary diameter) p / f1 carries no light.
//
// Lengths in the design's unit; wavefronts in waves at the wavelength given.
#ifndef SPEKULOR_MIRRORTESTS_SECONDARYTEST_H
#define SPEKULOR_MIRRORTESTS_SECONDARYTEST_H

#include "calc/DesignResult.h"
#include "mirrortests/HindleSphere.h"
#include "mirrortests/HindleTrace.h"

namespace spekulor::mirrortests {

// Rays over the tested annulus: ample for a wavefront of a few terms.
constexpr int kHindleSamples = 200;

struct SecondaryTestOptions {
  double sphereRadius = 0.0;  // 0: the smallest that tests what the telescope uses
  double conicError = 0.0;    // dK of the secondary as figured
  double wavelength = 0.0;    // design unit
};

struct SecondaryTest {
  HindleInput input;
  HindleLayout layout;            // layout.problem says why there is no test
  HindleWavefront null;           // the perfect secondary on the double pass
  HindleWavefront withError;      // figured to K2 + dK (traced only when dK != 0)
  double telescopeRmsWaves = 0.0; // the axis image, refocused, with that secondary
  bool telescopeTraced = false;
};

// The unused centre's diameter: SecDia p / f1.
double UnusedSecondaryCentre(const calc::DesignResult& design);

SecondaryTest TestSecondary(const calc::DesignResult& design, const SecondaryTestOptions& options);

}  // namespace spekulor::mirrortests

#endif
