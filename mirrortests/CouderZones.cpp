#include "mirrortests/CouderZones.h"

#include <algorithm>
#include <cmath>

#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::mirrortests {

namespace {

// An edge given in the design's unit is on the rim when it rounds to it.
constexpr double kRimTolerance = 1e-9;

CouderZone Zone(double inner, double outer) { return {inner, outer, (inner + outer) / 2.0}; }

}  // namespace

int DefaultZoneCount(double diameter, LengthUnit unit) {
  const double millimetres = unit == LengthUnit::Inch ? diameter * kMillimetresPerInch : diameter;
  const long count = std::lround(millimetres / 50.0);
  return static_cast<int>(std::clamp(count, 3L, 12L));
}

ZoneSet EqualAreaZones(double innerRadius, double rimRadius, int count) {
  ZoneSet set;
  if (count < kLeastZones || count > kMostZones) {
    set.problem.kind = MirrorTestProblemKind::ZoneCount;
    set.problem.count = count;
    return set;
  }
  const double r0 = innerRadius * innerRadius;
  const double span = rimRadius * rimRadius - r0;
  double inner = innerRadius;
  for (int i = 1; i <= count; ++i) {
    const double outer = i == count ? rimRadius : std::sqrt(r0 + span * i / count);
    set.zones.push_back(Zone(inner, outer));
    inner = outer;
  }
  return set;
}

ZoneSet ZonesFromEdges(const std::vector<double>& edges, double rimRadius) {
  ZoneSet set;
  if (edges.size() < static_cast<size_t>(kLeastZones) + 1 ||
      edges.size() > static_cast<size_t>(kMostZones) + 1) {
    set.problem.kind = MirrorTestProblemKind::ZoneEdgesCount;
    set.problem.count = static_cast<int>(edges.size());
    return set;
  }
  for (size_t i = 0; i < edges.size(); ++i) {
    if (!(edges[i] >= 0.0) || edges[i] > rimRadius * (1.0 + kRimTolerance)) {
      set.problem.kind = MirrorTestProblemKind::ZoneEdgesOutsideMirror;
      set.problem.value = edges[i];
      return set;
    }
    if (i > 0 && !(edges[i] > edges[i - 1])) {
      set.problem.kind = MirrorTestProblemKind::ZoneEdgesNotIncreasing;
      set.problem.index = static_cast<int>(i) + 1;
      return set;
    }
  }
  for (size_t i = 1; i < edges.size(); ++i) set.zones.push_back(Zone(edges[i - 1], edges[i]));
  return set;
}

}  // namespace spekulor::mirrortests
