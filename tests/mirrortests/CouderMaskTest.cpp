#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "mirrortests/CouderMask.h"
#include "drawing/SvgWriter.h"
#ifdef SPEKULOR_HAVE_LIBXML2
#include "tests/common/SvgCheck.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::mirrortests;
#endif

namespace {

#ifdef SPEKULOR_HAVE_LIBXML2

double Number(const std::map<std::string, std::string>& element, const std::string& name) {
  return std::strtod(element.at(name).c_str(), nullptr);
}

// The printed size of one user unit, from the root's width (with its unit) and viewBox.
double PrintedPerUserUnit(const std::string& svg, const std::string& unit) {
  const auto roots = SvgElements(svg, "svg");
  if (roots.size() != 1) return 0.0;
  const std::string width = roots[0].at("width");
  if (width.size() <= unit.size() ||
      width.compare(width.size() - unit.size(), unit.size(), unit) != 0) {
    return 0.0;
  }
  double x = 0, y = 0, w = 0, h = 0;
  if (std::sscanf(roots[0].at("viewBox").c_str(), "%lf %lf %lf %lf", &x, &y, &w, &h) != 4)
    return 0.0;
  return std::strtod(width.c_str(), nullptr) / w;
}

// The mask prints at 1:1: its check bar measures 100 mm (4 inches) on the paper, its
// rim the mirror's diameter, and its openings lie between the zones' edges.
TEST(CouderMask, PrintsAtOneToOne) {
  struct MaskCase {
    LengthUnit unit;
    double diameter;
    std::string svgUnit;
    double bar;
  };
  for (const MaskCase& c :
       {MaskCase{LengthUnit::Millimetre, 400.0, "mm", 100.0}, MaskCase{LengthUnit::Inch, 6.0, "in", 4.0}}) {
    PrimaryUnderTest primary;
    primary.radius = 10.0 * c.diameter;
    primary.conic = -1.0;
    primary.diameter = c.diameter;
    primary.shadowRadius = 0.15 * c.diameter;
    primary.unit = c.unit;
    const std::vector<CouderZone> zones =
        EqualAreaZones(primary.shadowRadius, c.diameter / 2.0, 5).zones;
    const std::string svg = WriteSvg(DrawCouderMask(primary, zones));
    ASSERT_TRUE(IsWellFormedSvg(svg));
    const double scale = PrintedPerUserUnit(svg, c.svgUnit);
    EXPECT_DOUBLE_EQ(scale, 1.0) << c.svgUnit;

    bool barFound = false;
    for (const auto& line : SvgElements(svg, "line")) {
      const double length = Number(line, "x2") - Number(line, "x1");
      if (Number(line, "y1") == Number(line, "y2") && std::fabs(length * scale - c.bar) < 0.006)
        barFound = true;
    }
    EXPECT_TRUE(barFound) << c.svgUnit;

    const auto circles = SvgElements(svg, "circle");
    ASSERT_FALSE(circles.empty());
    EXPECT_NEAR(Number(circles[0], "r") * scale, c.diameter / 2.0, 0.006);
    const double cx = Number(circles[0], "cx"), cy = Number(circles[0], "cy");

    const auto openings = SvgElements(svg, "polygon");
    ASSERT_EQ(openings.size(), 2 * zones.size());
    for (size_t k = 0; k < openings.size(); ++k) {
      const CouderZone& zone = zones[k / 2];
      std::istringstream points(openings[k].at("points"));
      std::string point;
      while (points >> point) {
        double x = 0, y = 0;
        ASSERT_EQ(std::sscanf(point.c_str(), "%lf,%lf", &x, &y), 2);
        const double r = std::hypot(x - cx, y - cy) * scale;
        EXPECT_TRUE(std::fabs(r - zone.inner) < 0.001 || std::fabs(r - zone.outer) < 0.001) << r;
      }
    }
  }
}

#endif

}  // namespace
