// Couder zones: rings of equal area over the part of the primary the telescope uses,
// from the secondary's shadow to the rim, each tested at the mean of its edges.
//
// Given: the shadow's radius r0, the rim's radius r1 and the number N, or the edges
// themselves. Returned: the edges edge_i = sqrt(r0^2 + (r1^2 - r0^2) i / N), i = 0..N,
// and each zone's radius, the mean of its two edges.
// Source: A. Couder's screen as described by J. Texereau, "How to Make a Telescope",
// 2nd English ed. (1984), whose tables take the zone's radius as the mean of its edges.
#ifndef SPEKULOR_MIRRORTESTS_COUDERZONES_H
#define SPEKULOR_MIRRORTESTS_COUDERZONES_H

#include <vector>

#include "calc/DesignInput.h"
#include "mirrortests/MirrorTestProblem.h"

namespace spekulor::mirrortests {

constexpr int kLeastZones = 2;
constexpr int kMostZones = 20;

struct CouderZone {
  double inner = 0.0;
  double outer = 0.0;
  double radius = 0.0;  // (inner + outer) / 2
};

struct ZoneSet {
  std::vector<CouderZone> zones;
  MirrorTestProblem problem;
};

// round(D / 50 mm), at least 3 and at most 12.
int DefaultZoneCount(double diameter, calc::LengthUnit unit);

// N zones of equal area between r0 and r1; problem ZoneCount outside 2..20.
ZoneSet EqualAreaZones(double innerRadius, double rimRadius, int count);

// The zones between consecutive edges, which must increase and lie from 0 to the rim.
ZoneSet ZonesFromEdges(const std::vector<double>& edges, double rimRadius);

}  // namespace spekulor::mirrortests

#endif
