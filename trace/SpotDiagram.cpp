#include "trace/SpotDiagram.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::trace {

namespace {

// Rounds of refinement after the first grid: each at most quadruples the rays, which
// takes a grid sized for the rays wanted to the most allowed within two rounds, and the
// coarsest first grid (a quarter of the radius) within four.
constexpr int kMaxRefinements = 4;
constexpr double kLeastRefinement = 0.5;  // of the spacing, per round

// Fewer than half of the rays that pass the secondary reach the image: a spot of the
// few that got through, or of none, would read as a sharp image.
bool TooFewImaged(const SpotDiagram& spot) {
  const int unobstructed = spot.launched - spot.obstructed;
  return unobstructed <= 0 || 2 * static_cast<int>(spot.points.size()) < unobstructed;
}

}  // namespace

SpotStatistics ComputeSpotStatistics(const std::vector<SpotPoint>& points) {
  SpotStatistics stats;
  if (points.empty()) return stats;
  const double n = static_cast<double>(points.size());
  double sx = 0.0;
  double sy = 0.0;
  for (const SpotPoint& p : points) {
    sx += p.x;
    sy += p.y;
  }
  stats.centroidX = sx / n;
  stats.centroidY = sy / n;
  double sumSquares = 0.0;
  double sumCubes = 0.0;
  double maxSquare = 0.0;
  for (const SpotPoint& p : points) {
    const double dx = p.x - stats.centroidX;
    const double dy = p.y - stats.centroidY;
    const double square = dx * dx + dy * dy;
    sumSquares += square;
    sumCubes += dy * dy * dy;
    if (square > maxSquare) maxSquare = square;
  }
  stats.rmsRadius = std::sqrt(sumSquares / n);
  stats.maxRadius = std::sqrt(maxSquare);
  stats.thirdMomentY = sumCubes / n;
  return stats;
}

std::vector<SpotPoint> SquareGrid(double radius, double spacing) {
  std::vector<SpotPoint> grid;
  if (!(radius > 0.0) || !(spacing > 0.0)) return grid;
  const double across = std::floor(radius / spacing);
  if (!(across <= kMostGridSteps)) return grid;
  const int steps = static_cast<int>(across);
  const double limit = radius * radius;
  grid.reserve(static_cast<size_t>(kPi * (steps + 1) * (steps + 1)));
  for (int j = -steps; j <= steps; ++j) {
    const double y = j * spacing;
    for (int i = -steps; i <= steps; ++i) {
      const double x = i * spacing;
      if (x * x + y * y <= limit) grid.push_back({x, y});
    }
  }
  return grid;
}

namespace {

SpotDiagram TraceGrid(const Telescope& telescope, double fieldAngle, double spacing) {
  SpotDiagram spot;
  spot.fieldAngle = fieldAngle;
  const Vec3 direction = StarDirection(fieldAngle);
  const double startZ = StartPlane(telescope);
  const std::vector<SpotPoint> grid = SquareGrid(telescope.primary.clearRadius, spacing);
  spot.launched = static_cast<int>(grid.size());
  spot.points.reserve(grid.size());
  for (const SpotPoint& g : grid) {
    const TracedRay ray =
        TraceRay(telescope, RayOriginThrough(telescope, g.x, g.y, direction, startZ), direction);
    switch (ray.fate) {
      case RayFate::Imaged:
        spot.points.push_back({ray.onImage.x, ray.onImage.y});
        break;
      case RayFate::Obstructed:
        ++spot.obstructed;
        break;
      case RayFate::MissedSecondary:
        ++spot.vignetted;
        break;
      case RayFate::OutsideStop:
      case RayFate::NoImage:
        ++spot.lost;
        break;
    }
  }
  return spot;
}

}  // namespace

SpotDiagram TraceSpotDiagram(const Telescope& telescope, double fieldAngle, int minimumRays) {
  const double wanted = minimumRays > 1 ? minimumRays : 1;
  const double outer = telescope.primary.clearRadius;
  const double inner = telescope.shadowRadius < outer ? telescope.shadowRadius : 0.0;
  // A few per cent more than the clear area asks for, so one pass is usually enough;
  // never coarser than a quarter of the radius, so that some rays pass the obstruction.
  double spacing = std::min(std::sqrt(kPi * (outer * outer - inner * inner) / (wanted * 1.03)),
                            outer / 4.0);
  // A grid far denser than asked for means the star is too far off for this telescope;
  // what got through is all there is. The finest spacing puts that many rays on the
  // whole primary.
  const double mostLaunched = 8.0 * wanted + 4096.0;
  const double finest = outer * std::sqrt(kPi / mostLaunched);
  spacing = std::max(spacing, finest);  // a thin annulus asks for more from the start
  SpotDiagram spot = TraceGrid(telescope, fieldAngle, spacing);
  // A grid on which fewer than half of the passing rays reach the image is refused
  // (SpotSetProblem) and finer ones are not traced: the light is lost, not undersampled.
  for (int pass = 0; pass < kMaxRefinements && static_cast<double>(spot.points.size()) < wanted &&
                     spacing > finest &&
                     !(spot.launched > spot.obstructed && TooFewImaged(spot));
       ++pass) {
    const double imaged = static_cast<double>(spot.points.size());
    const double factor = imaged > 0.0 ? std::sqrt(imaged / wanted) * 0.99 : kLeastRefinement;
    spacing = std::max(finest, spacing * std::max(kLeastRefinement, factor));
    spot = TraceGrid(telescope, fieldAngle, spacing);
  }
  spot.stats = ComputeSpotStatistics(spot.points);
  return spot;
}

SpotSet ComputeSpotSet(const DesignResult& design, LengthUnit unit, int minimumRays) {
  return ComputeSpotSet(design, unit, minimumRays, SecondaryPerturbation{});
}

SpotSet ComputeSpotSet(const DesignResult& design, LengthUnit unit, int minimumRays,
                       const SecondaryPerturbation& secondary) {
  SpotSet set;
  const Telescope telescope = PerturbSecondary(BuildTelescope(design), secondary);
  const double halfField = design.FieldRad / 2.0;
  set.micrometresPerUnit = MicrometresPerUnit(unit);
  set.arcsecPerUnit = kArcsecPerRadian / design.SysFoc;
  const double wavelength = kWavelengthMm * kMicrometresPerMillimetre / set.micrometresPerUnit;
  set.airyRadius = kAiryFactor * wavelength * design.SysFoc / design.PriDia;
  for (size_t i = 0; i < set.spots.size(); ++i) {
    set.spots[i].fieldFraction = kSpotFieldFractions[i];
  }
  // The first field point that loses its light ends the set: it is refused as it stands.
  for (size_t i = 0; i < set.spots.size(); ++i) {
    set.spots[i] = TraceSpotDiagram(telescope, kSpotFieldFractions[i] * halfField, minimumRays);
    set.spots[i].fieldFraction = kSpotFieldFractions[i];
    if (TooFewImaged(set.spots[i])) break;
  }
  return set;
}

TraceProblem SpotSetProblem(const SpotSet& set) {
  for (const SpotDiagram& spot : set.spots) {
    if (TooFewImaged(spot)) {
      return LightLostProblem(static_cast<int>(spot.points.size()),
                              spot.launched - spot.obstructed, spot.fieldFraction);
    }
  }
  return TraceProblem();
}

SpotTrace TraceSpots(const DesignResult& design, LengthUnit unit, int minimumRays,
                     const SecondaryPerturbation& secondary) {
  SpotTrace trace;
  trace.problem = TelescopeProblem(design);
  if (!trace.ok()) return trace;
  trace.problem = PerturbationProblem(BuildTelescope(design), secondary);
  if (!trace.ok()) return trace;
  trace.spots = ComputeSpotSet(design, unit, minimumRays, secondary);
  trace.problem = SpotSetProblem(trace.spots);
  return trace;
}

}  // namespace spekulor::trace
