#include "baffles/FirstOrderBaffles.h"

#include <cmath>

namespace spekulor::baffles {

double FirstOrderHoleDiameter(const BaffleFrame& f) {
  return 2.0 * ImageBeamRadius(f, 0.0);
}

double PrimaryBeamRadius(const BaffleFrame& f, double z) {
  return f.diameter / 2.0 * (1.0 - z / f.primaryFocus) + z * std::tan(f.halfField);
}

double ImageBeamRadius(const BaffleFrame& f, double z) {
  const double h = f.imageRadius;
  return h + (f.secondaryBeamRadius - h) * (z + f.backFocus) / (f.spacing + f.backFocus);
}

double InnerLightRadius(const BaffleFrame& f, double skirtRadius, double skirtZ, double z) {
  const double t = std::tan(f.halfField);
  const double incoming = skirtRadius - (skirtZ - z) * t;
  const double onPrimary = skirtRadius - skirtZ * t;
  const double reflected = onPrimary * (1.0 - z / f.primaryFocus) - z * t;
  return std::fmin(incoming, reflected);
}

BaffleNeeds FirstOrderNeeds(const BaffleFrame& frame) {
  BaffleNeeds needs;
  needs.skirtRadius = [frame](double zs) { return PrimaryBeamRadius(frame, zs); };
  needs.tubeRadius = [frame](double zp) { return ImageBeamRadius(frame, zp); };
  needs.innerClearance = [frame](double zs, double zp) {
    return InnerLightRadius(frame, PrimaryBeamRadius(frame, zs), zs, zp);
  };
  needs.holeRadius = FirstOrderHoleDiameter(frame) / 2.0;
  needs.imageRadius = frame.imageRadius;
  needs.imageZ = -frame.backFocus;
  needs.secondaryZ = frame.spacing;
  return needs;
}

}  // namespace spekulor::baffles
