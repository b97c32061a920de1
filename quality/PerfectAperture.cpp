#include "quality/PerfectAperture.h"

#include <algorithm>
#include <cmath>

#include "support/SampleCount.h"
#include "support/Units.h"

using namespace spekulor::support;

namespace spekulor::quality {

namespace {

#if defined(__cpp_lib_math_special_functions)
double J0(double x) { return std::cyl_bessel_j(0.0, x); }
double J1(double x) { return std::cyl_bessel_j(1.0, x); }
#else
// libc++ (emscripten's) has no C++17 special functions; POSIX j0 and j1 (musl's, from
// fdlibm) are as accurate, though not the same to the last bit.
double J0(double x) { return ::j0(x); }
double J1(double x) { return ::j1(x); }
#endif

// 2 J1(v) / v, 1 at v = 0.
double Jinc(double v) { return std::fabs(v) < 1e-8 ? 1.0 - v * v / 8.0 : 2.0 * J1(v) / v; }

// (2 / pi) [acos(x) - x sqrt(1 - x^2)]: the overlap of two unit circles whose centres
// lie 2 x apart, over the area of one.
double CircleOverlap(double x) {
  if (x >= 1.0) return 0.0;
  return 2.0 / kPi * (std::acos(x) - x * std::sqrt(1.0 - x * x));
}

// J1(x) J1(e x) / x, e / 2 x at x = 0.
double EnergyIntegrand(double x, double e) {
  return x < 1e-8 ? 0.5 * e * x : J1(x) * J1(e * x) / x;
}

}  // namespace

double ObstructedMtf(double frequency, double obstruction) {
  const double v = std::fabs(frequency);
  const double e = obstruction;
  if (v >= 1.0) return 0.0;
  if (!(e > 0.0)) return CircleOverlap(v);
  const double a = CircleOverlap(v);
  const double b = v < e ? e * e * CircleOverlap(v / e) : 0.0;
  double c = 0.0;
  if (v <= (1.0 - e) / 2.0) {
    c = -2.0 * e * e;
  } else if (v < (1.0 + e) / 2.0) {
    const double phi = std::acos((1.0 + e * e - 4.0 * v * v) / (2.0 * e));
    c = -2.0 * e * e + 2.0 * e / kPi * std::sin(phi) + (1.0 + e * e) / kPi * phi -
        2.0 * (1.0 - e * e) / kPi * std::atan((1.0 + e) / (1.0 - e) * std::tan(phi / 2.0));
  }
  return (a + b + c) / (1.0 - e * e);
}

double ObstructedPointImage(double radius, double obstruction) {
  const double v = kPi * radius;
  const double e = obstruction;
  const double amplitude = (Jinc(v) - e * e * Jinc(e * v)) / (1.0 - e * e);
  return amplitude * amplitude;
}

double ObstructedFirstDarkRing(double obstruction) {
  const double e = obstruction;
  // J1(v) - e J1(e v) is positive from 0 to the first zero and negative at v = 4 for
  // every obstruction below 1 (J1(4) < 0, J1(4 e) > 0).
  double low = 0.5;
  double high = 4.0;
  for (int i = 0; i < 100 && high - low > 1e-13; ++i) {
    const double mid = 0.5 * (low + high);
    if (J1(mid) - e * J1(e * mid) > 0.0) low = mid;
    else high = mid;
  }
  return 0.5 * (low + high) / kPi;
}

EnergyCurve ObstructedEncircledEnergy(double obstruction, double largestRadius, int count) {
  EnergyCurve curve;
  if (count < 2 || !(largestRadius > 0.0)) return curve;
  const double e = obstruction > 0.0 ? obstruction : 0.0;
  constexpr double kLongestStep = 0.04;  // in v
  const double sampleStep = kPi * largestRadius / (count - 1);
  // Samples more than about 100 lambda N apart make no curve: none then.
  constexpr int kMostHalfSteps = 4000;
  int halfSteps = 0;
  if (!CeilWithin(sampleStep / (2.0 * kLongestStep), 1, kMostHalfSteps, halfSteps)) return curve;
  const int steps = 2 * halfSteps;
  const double h = sampleStep / steps;
  double integral = 0.0;
  curve.radius.reserve(count);
  curve.fraction.reserve(count);
  for (int k = 0; k < count; ++k) {
    const double v = k * sampleStep;
    if (k > 0) {
      const double v0 = v - sampleStep;
      double sum = EnergyIntegrand(v0, e) + EnergyIntegrand(v, e);
      for (int s = 1; s < steps; ++s) sum += (s % 2 ? 4.0 : 2.0) * EnergyIntegrand(v0 + s * h, e);
      integral += sum * h / 3.0;
    }
    const double clear = 1.0 - J0(v) * J0(v) - J1(v) * J1(v);
    const double inner = 1.0 - J0(e * v) * J0(e * v) - J1(e * v) * J1(e * v);
    curve.radius.push_back(v / kPi);
    curve.fraction.push_back((clear + e * e * inner - 4.0 * e * integral) / (1.0 - e * e));
  }
  return curve;
}

}  // namespace spekulor::quality
