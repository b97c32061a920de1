// Encircled energy: the fraction of a point image's light within a circle about its
// centroid, as a curve over the circle's radius.
#ifndef SPEKULOR_QUALITY_ENCIRCLEDENERGY_H
#define SPEKULOR_QUALITY_ENCIRCLEDENERGY_H

#include <vector>

struct EnergyCurve {
  std::vector<double> radius;    // increasing from 0
  std::vector<double> fraction;  // 0..1
};

// The radius at which a curve first reaches `fraction`, linearly interpolated; its last
// radius when it never does, 0 for an empty curve.
double RadiusForFraction(const EnergyCurve& curve, double fraction);

struct PointImage;

// The curve of a sampled point image about its centroid, from 0 to `largestRadius`
// (design unit) every quarter sample. Each sample stands for a square of light the
// size of the sample spacing, split into 4 x 4 parts, each counted at its own distance;
// the fractions are of the whole image's light.
EnergyCurve ComputeEncircledEnergy(const PointImage& image, double largestRadius);

// A quick radius (design unit) holding `fraction` of the light, counting each sample
// whole at its centre's distance: to choose how far the fine curve must reach.
double RoughEnergyRadius(const PointImage& image, double fraction);

#endif
