// Encircled energy: the fraction of a point image's light within a circle about its
// centroid, as a curve over the circle's radius.
#ifndef SPEKULOR_QUALITY_ENCIRCLEDENERGY_H
#define SPEKULOR_QUALITY_ENCIRCLEDENERGY_H

#include <vector>

namespace spekulor::quality {

struct EnergyCurve {
  std::vector<double> radius;    // increasing from 0
  std::vector<double> fraction;  // 0..1
};

// The radius at which a curve first reaches `fraction`, linearly interpolated; its last
// radius when it never does, 0 for an empty curve.
double RadiusForFraction(const EnergyCurve& curve, double fraction);

struct PointImage;

// The curve of a sampled point image about its centroid, from 0 to `largestRadius`
// (design unit) every quarter sample; the fractions are of the light the pupil passes
// (PointImage::energy). Each sample stands for the square about it, over which the
// intensity follows its second-order Taylor polynomial from central differences of the
// neighbouring samples; the square is split into parts (8 x 8 near the centroid, fewer
// farther out, where the curve changes slowly), each counted at its centre's distance.
// The light of a square is then right to the second order in the spacing, and a
// circle cutting a square takes the side where the light is: counting each sample as
// a uniform square instead misses half a percent of the light within the perfect
// image's 80 % radius, which moves that radius by a percent and a half.
EnergyCurve ComputeEncircledEnergy(const PointImage& image, double largestRadius);

// A quick radius (design unit) holding `fraction` of the light, counting each sample
// whole at its centre's distance: to choose how far the fine curve must reach.
double RoughEnergyRadius(const PointImage& image, double fraction);

}  // namespace spekulor::quality

#endif
