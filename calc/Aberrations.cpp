#include "calc/Aberrations.h"

namespace spekulor::calc {

namespace {

// 3/8 and 1/2 of 206265 arc seconds per radian, cut to whole numbers.
constexpr double kComaArcsecFactor = 77349.0;
constexpr double kAstigArcsecFactor = 103132.0;

// Area in square millimetres of a 7 mm eye pupil, pi * 3.5^2 with pi = 3.1415926535.
constexpr double kPupilAreaMm2 = 38.484510005375;
constexpr double kLightGainPi = 3.1415926535;

}  // namespace

DesignResult ComputeAberrations(DesignResult g) {
  const double m = g.SecMag;
  const double d = g.PriSecDist;
  const double R1 = g.PriRadCur;
  const double K1 = g.PriConic;
  const double denom = 2.0 * d - R1;

  g.ComaCoef = (m * m / 2.0) * (1.0 / (m * m) - (K1 + 1.0) * d / denom);
  g.AstigCoef = m * ((2.0 * d - m * R1) / (denom * m * m) - (K1 + 1.0) * (d / denom) * (d / denom));
  g.PetzvalCoef = m * ((m - 1.0) * R1 / (denom * m) + 1.0);
  g.FieldCurvCoef = g.PetzvalCoef - 2.0 * g.AstigCoef;
  g.FieldCurvRadius = g.SysFoc / g.FieldCurvCoef;

  const double a = g.PriDia / g.SysFoc;
  const double h = g.FieldRad / 2.0;
  g.ComaArcsec = g.ComaCoef * h * a * a * kComaArcsecFactor;
  g.AstigArcsec = g.AstigCoef * h * h * a * kAstigArcsecFactor;
  return g;
}

bool FieldCurvedFromSky(double fieldCurvRadius) { return fieldCurvRadius > 0.0; }

Performance ComputePerformance(double D, double F) {
  Performance perf;
  perf.LightGain = kLightGainPi * (D / 2.0) * (D / 2.0) / kPupilAreaMm2;
  perf.SparrowLimit = 115.0 / D;
  perf.RayleighLimit = 138.0 / D;
  perf.DawesLimit = 116.0 / D;
  perf.MinMag = D / 7.0;
  perf.MinMagEyepiece = F / perf.MinMag;
  perf.MaxMag = D / 0.5;
  perf.MaxMagEyepiece = F / perf.MaxMag;
  return perf;
}

DesignResult ComputePerformance(DesignResult g, LengthUnit unit) {
  // The figures refer to the eye, so they are always worked out in millimetres.
  const double toMm = MillimetresPerUnit(unit);
  const Performance perf = ComputePerformance(g.PriDia * toMm, g.SysFoc * toMm);
  g.LightGain = perf.LightGain;
  g.SparrowLimit = perf.SparrowLimit;
  g.RayleighLimit = perf.RayleighLimit;
  g.DawesLimit = perf.DawesLimit;
  g.MinMag = perf.MinMag;
  g.MinMagEyepiece = perf.MinMagEyepiece;
  g.MaxMag = perf.MaxMag;
  g.MaxMagEyepiece = perf.MaxMagEyepiece;
  return g;
}

}  // namespace spekulor::calc
