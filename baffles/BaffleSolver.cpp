#include "baffles/BaffleSolver.h"

#include <cmath>
#include <limits>

namespace spekulor::baffles {

namespace {

constexpr int kMostHalvings = 60;
constexpr double kRelativeTolerance = 1e-9;  // of the mirror distance

const double kNone = std::numeric_limits<double>::quiet_NaN();

// The largest z in [low, high] with ok(z), given ok(low) and that ok holds below a
// single boundary.
double LargestTrue(double low, double high, const std::function<bool(double)>& ok) {
  if (ok(high)) return high;
  const double tolerance = kRelativeTolerance * (std::fabs(high) + std::fabs(low) + 1.0);
  for (int i = 0; i < kMostHalvings && high - low > tolerance; ++i) {
    const double middle = 0.5 * (low + high);
    if (ok(middle)) low = middle;
    else high = middle;
  }
  return low;
}

// Skylight's bound on zs for a mouth at zp; NaN when even a skirt down to the mouth
// lets a line through.
double SkyBound(const BaffleNeeds& needs, double zp) {
  const double rp = needs.tubeRadius(zp);
  const auto ok = [&](double zs) {
    return SkyLineRadius(needs.imageRadius, needs.imageZ, rp, zp, zs) <= needs.skirtRadius(zs);
  };
  if (!ok(zp)) return kNone;
  return LargestTrue(zp, needs.secondaryZ, ok);
}

// The clearance bound on zs for a mouth at zp; NaN when the tube meets the inner
// light whatever the skirt.
double ClearanceBound(const BaffleNeeds& needs, double zp) {
  const double need = std::fmax(needs.tubeRadius(zp), needs.holeRadius);
  const auto ok = [&](double zs) { return needs.innerClearance(zs, zp) >= need; };
  if (!ok(zp)) return kNone;
  return LargestTrue(zp, needs.secondaryZ, ok);
}

}  // namespace

double SkyLineRadius(double imageRadius, double imageZ, double tubeRadius, double tubeZ, double z) {
  return tubeRadius + (tubeRadius + imageRadius) * (z - tubeZ) / (tubeZ - imageZ);
}

bool SolveBafflePair(const BaffleNeeds& needs, BafflePair& pair) {
  const double d = needs.secondaryZ;
  if (!(d > 0.0) || !(needs.imageZ < 0.0)) return false;
  // The skirt's least end over zp, as the smaller of the two bounds; a bound that does
  // not exist counts as below everything.
  const auto bestEnd = [&](double zp, double& sky, double& clear) {
    sky = SkyBound(needs, zp);
    clear = ClearanceBound(needs, zp);
  };
  double sky = 0.0, clear = 0.0;
  bestEnd(0.0, sky, clear);
  double zp = 0.0;
  if (std::isnan(clear)) return false;
  if (!std::isnan(sky) && sky < clear) {
    // Raise the mouth until the bounds meet: skylight's side stays where sky < clear.
    double low = 0.0, high = d;
    const double tolerance = kRelativeTolerance * d;
    for (int i = 0; i < kMostHalvings && high - low > tolerance; ++i) {
      const double middle = 0.5 * (low + high);
      double s = 0.0, c = 0.0;
      bestEnd(middle, s, c);
      if (!std::isnan(s) && !std::isnan(c) && s < c) low = middle;
      else high = middle;
    }
    zp = low;
    bestEnd(zp, sky, clear);
  }
  if (std::isnan(sky) || std::isnan(clear)) return false;
  const double zs = std::fmin(sky, clear);
  if (!(zs > zp)) return false;
  pair.skirtZ = zs;
  pair.tubeZ = zp;
  pair.skirtRadius = needs.skirtRadius(zs);
  pair.tubeRadius = needs.tubeRadius(zp);
  return std::isfinite(pair.skirtRadius) && std::isfinite(pair.tubeRadius);
}

}  // namespace spekulor::baffles
