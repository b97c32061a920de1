#include "mirrortests/HindleSphere.h"

#include <cmath>

namespace spekulor::mirrortests {

namespace {

bool FinitePositive(double x) { return std::isfinite(x) && x > 0.0; }

}  // namespace

double HindleUntestedDiameter(double nearFocus, double farFocus, double testedDiameter,
                              double sphereRadius) {
  return testedDiameter * nearFocus * (farFocus + nearFocus - sphereRadius) /
         (farFocus * sphereRadius);
}

double SmallestHindleSphere(double nearFocus, double farFocus, double testedDiameter,
                            double unusedCentre) {
  return testedDiameter * nearFocus * (farFocus + nearFocus) /
         (farFocus * unusedCentre + testedDiameter * nearFocus);
}

HindleLayout LayOutHindleSphere(const HindleInput& input, double sphereRadius) {
  HindleLayout layout;
  const double R2 = input.secondaryRoc;
  const double Dt = input.testedDiameter;
  if (!FinitePositive(R2) || !FinitePositive(Dt) || !std::isfinite(input.secondaryConic) ||
      !(input.unusedCentre >= 0.0) || !std::isfinite(sphereRadius) || sphereRadius < 0.0) {
    layout.problem = HindleProblem::NotFinite;
    return layout;
  }
  if (!(input.secondaryConic < -1.0)) {
    layout.problem = HindleProblem::NotAHyperboloid;
    layout.problemDetail = input.secondaryConic;
    return layout;
  }
  const double e = std::sqrt(-input.secondaryConic);
  const double B = R2 / (1.0 + e);
  const double A = R2 / (e - 1.0);
  layout.nearFocus = B;
  layout.farFocus = A;
  layout.unusedCentre = input.unusedCentre;
  const double RS =
      sphereRadius > 0.0 ? sphereRadius : SmallestHindleSphere(B, A, Dt, input.unusedCentre);
  if (!(RS > B)) {
    layout.problem = HindleProblem::SphereTooSmall;
    layout.problemDetail = B;
    return layout;
  }
  if (!(RS < A + B)) {
    layout.problem = HindleProblem::SphereTooLarge;
    layout.problemDetail = A + B;
    return layout;
  }
  layout.sphereRadius = RS;
  layout.sphereToSecondary = RS - B;
  layout.sphereDiameter = Dt * RS / B;
  layout.holeDiameter = Dt * (A - layout.sphereToSecondary) / A;
  layout.untestedDiameter = HindleUntestedDiameter(B, A, Dt, RS);
  if (input.primaryDiameter > 0.0 && layout.sphereDiameter > input.primaryDiameter) {
    layout.largerThanPrimary = true;
    layout.primarySizedRadius = input.primaryDiameter * B / Dt;
    layout.primarySizedUntested = layout.primarySizedRadius > B
                                      ? HindleUntestedDiameter(B, A, Dt, layout.primarySizedRadius)
                                      : Dt;
  }
  return layout;
}

}  // namespace spekulor::mirrortests
