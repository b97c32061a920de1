#include "mirrortests/Ronchigram.h"

#include <cmath>

using namespace spekulor::calc;

namespace spekulor::mirrortests {

namespace {

// Samples of the half diameter searched for band edges, then bisections of each.
constexpr int kEdgeSamples = 4000;
constexpr int kBisections = 60;

double SourcePosition(const PrimaryUnderTest& primary, const RonchiSetup& setup) {
  return setup.source == TestSource::Moving ? primary.radius + setup.offset : primary.radius;
}

}  // namespace

double LinesPerUnit(double linesPerInch, LengthUnit unit) {
  return unit == LengthUnit::Inch ? linesPerInch : linesPerInch / 25.4;
}

double FourPairOffset(double radius, double diameter, double linesPerUnit, TestSource source) {
  return (source == TestSource::Moving ? 2.0 : 4.0) * radius / (linesPerUnit * diameter);
}

double GratingCoordinate(const PrimaryUnderTest& primary, const RonchiSetup& setup, double x,
                         double y) {
  const double h = std::hypot(x, y);
  if (h == 0.0) return 0.0;
  const double grating = primary.radius + setup.offset;
  const double crossing =
      ReflectedAxisCrossing(primary.radius, primary.conic, SourcePosition(primary, setup), h);
  const double z = ConicSag(primary.radius, primary.conic, h);
  return x * (crossing - grating) / (crossing - z);
}

bool GratingPasses(double u, double linesPerUnit) {
  return static_cast<long long>(std::floor(2.0 * linesPerUnit * u)) % 2 == 0;
}

Ronchigram ComputeRonchigram(const PrimaryUnderTest& primary, const RonchiSetup& setup,
                             int samples) {
  Ronchigram gram;
  gram.setup = setup;
  gram.samples = samples;
  gram.lit.assign(static_cast<size_t>(samples) * samples, 0);
  const double nu = LinesPerUnit(setup.linesPerInch, primary.unit);
  const double rim = primary.diameter / 2.0;
  const double step = primary.diameter / samples;
  for (int row = 0; row < samples; ++row) {
    const double y = rim - (row + 0.5) * step;
    for (int column = 0; column < samples; ++column) {
      const double x = -rim + (column + 0.5) * step;
      if (x * x + y * y > rim * rim) continue;
      gram.lit[static_cast<size_t>(row) * samples + column] =
          GratingPasses(GratingCoordinate(primary, setup, x, y), nu) ? 1 : 0;
    }
  }

  // u is odd in x: the edges on the right half, mirrored, and the bar edge on the axis.
  std::vector<double> right;
  double previous = 0.0;
  double previousX = 0.0;
  for (int k = 1; k <= kEdgeSamples; ++k) {
    const double x = rim * k / kEdgeSamples;
    const double t = 2.0 * nu * GratingCoordinate(primary, setup, x, 0.0);
    if (!std::isfinite(t)) break;
    if (k == 1 && t != 0.0) right.push_back(0.0);
    // Every whole number between the two samples is an edge (u moves little between them).
    const double low = std::fmin(previous, t), high = std::fmax(previous, t);
    for (double n = std::floor(low) + 1.0; n <= high; n += 1.0) {
      if (k == 1 && n == 0.0) continue;  // the axis itself, counted above
      double a = previousX, b = x;
      const double fa = previous - n;
      for (int i = 0; i < kBisections; ++i) {
        const double middle = (a + b) / 2.0;
        const double fm = 2.0 * nu * GratingCoordinate(primary, setup, middle, 0.0) - n;
        if ((fm < 0.0) == (fa < 0.0))
          a = middle;
        else
          b = middle;
      }
      right.push_back((a + b) / 2.0);
    }
    previous = t;
    previousX = x;
  }
  for (auto it = right.rbegin(); it != right.rend(); ++it) {
    if (*it > 0.0) gram.bandEdges.push_back(-*it);
  }
  gram.bandEdges.insert(gram.bandEdges.end(), right.begin(), right.end());
  return gram;
}

}  // namespace spekulor::mirrortests
