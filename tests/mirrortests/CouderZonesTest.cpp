#include <gtest/gtest.h>

#include <cmath>

#include "mirrortests/CouderZones.h"

using namespace spekulor::calc;
using namespace spekulor::mirrortests;

namespace {

TEST(CouderZones, EqualAreasFromTheShadowToTheRim) {
  const ZoneSet set = EqualAreaZones(40.0, 200.0, 8);
  ASSERT_TRUE(set.problem.ok());
  ASSERT_EQ(set.zones.size(), 8u);
  EXPECT_DOUBLE_EQ(set.zones.front().inner, 40.0);
  EXPECT_DOUBLE_EQ(set.zones.back().outer, 200.0);
  const double area = (200.0 * 200.0 - 40.0 * 40.0) / 8.0;  // over pi
  for (size_t i = 0; i < set.zones.size(); ++i) {
    const CouderZone& zone = set.zones[i];
    EXPECT_NEAR(zone.outer * zone.outer - zone.inner * zone.inner, area, 1e-9) << i;
    EXPECT_DOUBLE_EQ(zone.radius, (zone.inner + zone.outer) / 2.0);
    if (i > 0) {
      EXPECT_DOUBLE_EQ(zone.inner, set.zones[i - 1].outer);
    }
  }
  // With no shadow the first edge is sqrt(1/N) of the rim.
  EXPECT_NEAR(EqualAreaZones(0.0, 3.0, 4).zones.front().outer, 1.5, 1e-12);
}

TEST(CouderZones, DefaultCountIsOneZoneFor50Millimetres) {
  EXPECT_EQ(DefaultZoneCount(400.0, LengthUnit::Millimetre), 8);
  EXPECT_EQ(DefaultZoneCount(320.0, LengthUnit::Millimetre), 6);    // 6.4
  EXPECT_EQ(DefaultZoneCount(100.0, LengthUnit::Millimetre), 3);    // at least 3
  EXPECT_EQ(DefaultZoneCount(1000.0, LengthUnit::Millimetre), 12);  // at most 12
  EXPECT_EQ(DefaultZoneCount(16.0, LengthUnit::Inch), 8);           // 406.4 mm
  EXPECT_EQ(DefaultZoneCount(6.0, LengthUnit::Inch), 3);
}

TEST(CouderZones, RefusedCountsAndEdges) {
  EXPECT_EQ(EqualAreaZones(0.0, 100.0, 1).problem.kind, MirrorTestProblemKind::ZoneCount);
  EXPECT_EQ(EqualAreaZones(0.0, 100.0, 21).problem.kind, MirrorTestProblemKind::ZoneCount);
  EXPECT_TRUE(EqualAreaZones(0.0, 100.0, 20).problem.ok());

  const ZoneSet given = ZonesFromEdges({10.0, 50.0, 80.0, 100.0}, 100.0);
  ASSERT_TRUE(given.problem.ok());
  ASSERT_EQ(given.zones.size(), 3u);
  EXPECT_DOUBLE_EQ(given.zones[1].radius, 65.0);

  const ZoneSet flat = ZonesFromEdges({10.0, 50.0, 50.0, 100.0}, 100.0);
  EXPECT_EQ(flat.problem.kind, MirrorTestProblemKind::ZoneEdgesNotIncreasing);
  EXPECT_EQ(flat.problem.index, 3);
  EXPECT_EQ(ZonesFromEdges({10.0, 50.0, 101.0}, 100.0).problem.kind,
            MirrorTestProblemKind::ZoneEdgesOutsideMirror);
  EXPECT_EQ(ZonesFromEdges({-1.0, 50.0, 100.0}, 100.0).problem.kind,
            MirrorTestProblemKind::ZoneEdgesOutsideMirror);
  EXPECT_EQ(ZonesFromEdges({10.0, 50.0}, 100.0).problem.kind,
            MirrorTestProblemKind::ZoneEdgesCount);
}

}  // namespace
