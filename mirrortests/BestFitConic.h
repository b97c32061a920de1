// The conic the measured readings describe: the K whose expected readings, shifted by
// a free constant (the readings' unknown origin), come closest in least squares.
//
// Given: the zones, the measured readings, R and the source. Returned: K, or a problem
// when no conic reaching the outermost zone fits.
// Source: Gauss-Newton on the two unknowns (K and the constant), the constant solved
// in closed form as the mean difference; the readings come from ExpectedReading
// (ExpectedReadings.h), exact for every K.
#ifndef SPEKULOR_MIRRORTESTS_BESTFITCONIC_H
#define SPEKULOR_MIRRORTESTS_BESTFITCONIC_H

#include <vector>

#include "mirrortests/ExpectedReadings.h"
#include "mirrortests/MirrorTestProblem.h"

namespace spekulor::mirrortests {

struct ConicFit {
  double conic = 0.0;
  MirrorTestProblem problem;
};

ConicFit FitConic(const std::vector<CouderZone>& zones, const std::vector<double>& measured,
                  double radius, TestSource source, double startConic);

}  // namespace spekulor::mirrortests

#endif
