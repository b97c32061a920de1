#include "SpotDiagram.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "AnalysisWording.h"
#include "Units.h"

namespace {

constexpr int kMaxRefinements = 12;

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
  const int steps = static_cast<int>(std::floor(radius / spacing));
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
  SpotDiagram spot = TraceGrid(telescope, fieldAngle, spacing);
  // A grid far denser than asked for means the star is too far off for this telescope;
  // what got through is all there is.
  const double mostLaunched = 8.0 * wanted + 4096.0;
  for (int pass = 0; pass < kMaxRefinements && static_cast<double>(spot.points.size()) < wanted &&
                     static_cast<double>(spot.launched) < mostLaunched;
       ++pass) {
    const double imaged = static_cast<double>(spot.points.size());
    spacing *= imaged > 0.0 ? std::sqrt(imaged / wanted) * 0.99 : 0.5;
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
  set.micrometresPerUnit = 1000.0 * (unit == LengthUnit::Inch ? kMillimetresPerInch : 1.0);
  set.arcsecPerUnit = kArcsecPerRadian / design.SysFoc;
  const double wavelength = kWavelengthMm * 1000.0 / set.micrometresPerUnit;
  set.airyRadius = 1.22 * wavelength * design.SysFoc / design.PriDia;
  for (size_t i = 0; i < set.spots.size(); ++i) {
    set.spots[i] = TraceSpotDiagram(telescope, kSpotFieldFractions[i] * halfField, minimumRays);
    set.spots[i].fieldFraction = kSpotFieldFractions[i];
  }
  return set;
}

std::string SpotSetProblem(const SpotSet& set) {
  for (const SpotDiagram& spot : set.spots) {
    const int unobstructed = spot.launched - spot.obstructed;
    const int imaged = static_cast<int>(spot.points.size());
    if (unobstructed <= 0 || 2 * imaged < unobstructed) {
      return "only " + std::to_string(imaged) + " of the " + std::to_string(unobstructed) +
             " rays that pass the secondary reach the image " + FieldPlace(spot.fieldFraction);
    }
  }
  return std::string();
}
