#include "tests/collimation/ThirdOrder.h"

using namespace spekulor::calc;

ThirdOrderMisalignment ThirdOrder(const DesignResult& design) {
  const double Y = design.PriDia / 2.0;
  const double f1 = design.PriFoc;
  const double p = design.SecPriFocDist;
  const double R2 = design.SecRadCur;
  const double K2 = design.SecConic;
  const double y2 = Y * p / f1;
  const double u = Y / f1;

  ThirdOrderMisalignment third;
  third.comaSpherePart = u * u * (1.0 - p / R2) * p * y2 / (R2 * R2);
  third.comaPerDecenter = third.comaSpherePart - K2 * y2 * y2 * y2 / (R2 * R2 * R2);
  third.comaPerTiltRadian = -R2 * third.comaSpherePart;
  third.sphericalPerDespace =
      Y * Y * Y * Y / (4.0 * f1 * f1 * f1 * f1 * R2 * R2 * R2) *
      (2.0 * p * (R2 - p) * (R2 - p) - 2.0 * p * p * (R2 - p) + 4.0 * K2 * p * p * p);
  third.comaFreePivot = -third.comaPerTiltRadian / third.comaPerDecenter;
  return third;
}
