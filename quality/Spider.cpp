#include "quality/Spider.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "drawing/Drawing.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::quality {

namespace {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// A convex polygon of at most 4 + 3 corners: a square clipped by three half-planes.
struct Polygon {
  std::array<Point, 8> corners{};
  int count = 0;
};

// The part of `polygon` where a x + b y <= c (Sutherland and Hodgman, "Reentrant
// polygon clipping", CACM 17 (1974) 32, for one edge).
Polygon Clip(const Polygon& polygon, double a, double b, double c) {
  Polygon kept;
  for (int k = 0; k < polygon.count; ++k) {
    const Point& p = polygon.corners[k];
    const Point& q = polygon.corners[(k + 1) % polygon.count];
    const double sp = a * p.x + b * p.y - c;
    const double sq = a * q.x + b * q.y - c;
    if (sp <= 0.0) kept.corners[kept.count++] = p;
    if ((sp < 0.0 && sq > 0.0) || (sp > 0.0 && sq < 0.0)) {
      const double t = sp / (sp - sq);
      kept.corners[kept.count++] = {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
    }
  }
  return kept;
}

// The shoelace formula.
double Area(const Polygon& polygon) {
  double twice = 0.0;
  for (int k = 0; k < polygon.count; ++k) {
    const Point& p = polygon.corners[k];
    const Point& q = polygon.corners[(k + 1) % polygon.count];
    twice += p.x * q.y - q.x * p.y;
  }
  return 0.5 * std::fabs(twice);
}

double AmplitudeSum(const PupilFunction& pupil) {
  double sum = 0.0;
  for (double a : pupil.amplitude) sum += a;
  return sum;
}

}  // namespace

bool HasVanes(const Spider& spider) { return spider.vanes > 0 && spider.width > 0.0; }

bool SpiderFits(const Spider& spider, double diameter) {
  return spider.vanes >= 0 && spider.vanes <= kMostSpiderVanes && spider.width >= 0.0 &&
         spider.width <= kMostSpiderWidthFraction * diameter && std::isfinite(spider.angleDeg);
}

void BlockVanes(PupilFunction& pupil, const Spider& spider, double diameter, double hubY) {
  if (!HasVanes(spider) || pupil.size < 1) return;
  const int n = pupil.size;
  const double h = diameter / n;
  const double halfWidth = 0.5 * spider.width;
  // A cell whose centre lies farther than this from a vane's strip is clear of it.
  const double margin = h * std::sqrt(0.5);
  std::array<Point, kMostSpiderVanes> along{};
  const int vanes = std::min(spider.vanes, kMostSpiderVanes);
  for (int k = 0; k < vanes; ++k) {
    const double angle = spider.angleDeg / kDegreesPerRadian + 2.0 * kPi * k / vanes;
    along[k] = {std::cos(angle), std::sin(angle)};
  }
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      double& amplitude = pupil.amplitude[static_cast<size_t>(j) * n + i];
      if (!(amplitude > 0.0)) continue;
      const Point centre{(i + 0.5 - 0.5 * n) * h, (j + 0.5 - 0.5 * n) * h - hubY};
      double covered = 0.0;
      for (int k = 0; k < vanes; ++k) {
        const Point u = along[k];
        const double distance = centre.x * u.x + centre.y * u.y;
        const double across = centre.x * u.y - centre.y * u.x;
        if (distance < -margin || std::fabs(across) > halfWidth + margin) continue;
        // The cell's square clipped to the vane's strip: ahead of the hub, and within
        // half the width either side of the vane's line. The vanes meet only at the
        // hub, inside the obstruction, so their parts add up.
        Polygon cell;
        cell.count = 4;
        cell.corners = {{{centre.x - 0.5 * h, centre.y - 0.5 * h},
                         {centre.x + 0.5 * h, centre.y - 0.5 * h},
                         {centre.x + 0.5 * h, centre.y + 0.5 * h},
                         {centre.x - 0.5 * h, centre.y + 0.5 * h}}};
        cell = Clip(cell, -u.x, -u.y, 0.0);
        cell = Clip(cell, u.y, -u.x, halfWidth);
        cell = Clip(cell, -u.y, u.x, halfWidth);
        covered += Area(cell) / (h * h);
      }
      amplitude *= std::max(0.0, 1.0 - covered);
    }
  }
}

SpiderFigures MeasureSpider(const Spider& spider, double diameter, double obstruction, int gridSize) {
  SpiderFigures figures;
  if (!HasVanes(spider)) return figures;
  PupilFunction pupil = PerfectPupilFunction(gridSize, obstruction);
  const double clear = AmplitudeSum(pupil);
  BlockVanes(pupil, spider, diameter);
  const double open = clear > 0.0 ? AmplitudeSum(pupil) / clear : 0.0;
  figures.areaFraction = 1.0 - open;
  // A pupil without wavefront error has its point image's peak on the axis, where the
  // transform is the plain sum of the amplitudes (PointImage.h): the peak goes as its
  // square.
  figures.peakRatio = open * open;
  return figures;
}

std::string SpiderWords(const Spider& spider, LengthUnit unit) {
  if (!HasVanes(spider)) return std::string();
  return " of " + std::to_string(spider.vanes) + (spider.vanes == 1 ? " vane " : " vanes ") +
         FormatFixed(spider.width, unit == LengthUnit::Inch ? 3 : 2) + UnitSuffix(unit) +
         " wide at " + FormatFixed(spider.angleDeg, 1) + "\xB0";
}

}  // namespace spekulor::quality
