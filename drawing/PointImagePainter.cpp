#include "drawing/PointImagePainter.h"

#include <algorithm>
#include <cmath>

#include "drawing/IntensityBands.h"

namespace spekulor::drawing {

namespace {

// Below the first band by a decade: fainter light would only move edges that no band
// shows.
const double kLogFloor = std::log10(kLeastIntensity) - 1.0;
constexpr double kLogCeiling = 3.0;

struct Run {
  double from = 0.0;
  double to = 0.0;
};

bool Overlap(const Run& a, const Run& b) { return a.from <= b.to && b.from <= a.to; }

// One band's polygon in the making: its left ends top to bottom and its right ends.
struct Chain {
  std::vector<DrawPoint> left;
  std::vector<DrawPoint> right;
  Run last;
  bool continued = false;
};

// The runs of one row where the piecewise linear `values` (at xs, held beyond the
// ends out to `lowX` and `highX`) reach `floor`.
std::vector<Run> RunsAbove(const std::vector<double>& values, const std::vector<double>& xs,
                           double lowX, double highX, double floor) {
  std::vector<Run> runs;
  bool inside = values.front() >= floor;
  double start = lowX;
  for (size_t i = 0; i + 1 < values.size(); ++i) {
    const bool next = values[i + 1] >= floor;
    if (next == inside) continue;
    const double t = (floor - values[i]) / (values[i + 1] - values[i]);
    const double x = xs[i] + t * (xs[i + 1] - xs[i]);
    if (inside) runs.push_back({start, x});
    start = x;
    inside = next;
  }
  if (inside) runs.push_back({start, highX});
  return runs;
}

// Keeps the points of a polyline that a straight line through its neighbours kept
// would miss by more than kEdgeTolerance (Douglas and Peucker, "Algorithms for the
// reduction of the number of points required to represent a digitized line", The
// Canadian Cartographer 10 (1973) 112): most of an edge's points lie on gentle curves.
constexpr double kEdgeTolerance = 0.4;  // pixels
// Distances closer than this are equal: far below what a picture shows, far above the
// rounding of the intensities they come from.
constexpr double kTieTolerance = 1e-6;  // pixels

void KeepFar(const std::vector<DrawPoint>& points, size_t first, size_t last,
             std::vector<bool>& keep) {
  if (last <= first + 1) return;
  const DrawPoint a = points[first];
  const DrawPoint b = points[last];
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  double farthest = 0.0;
  size_t at = first;
  for (size_t k = first + 1; k < last; ++k) {
    const DrawPoint p = points[k];
    const double distance =
        length > 0.0 ? std::fabs((b.x - a.x) * (a.y - p.y) - (a.x - p.x) * (b.y - a.y)) / length
                     : std::hypot(p.x - a.x, p.y - a.y);
    // Ties go to the first point: in a symmetric image two points lie equally far,
    // and which one rounding favours differs from one FFT or libm to another.
    if (distance > farthest + kTieTolerance) {
      farthest = distance;
      at = k;
    }
  }
  if (farthest <= kEdgeTolerance) return;
  keep[at] = true;
  KeepFar(points, first, at, keep);
  KeepFar(points, at, last, keep);
}

std::vector<DrawPoint> Simplified(const std::vector<DrawPoint>& points) {
  if (points.size() < 3) return points;
  std::vector<bool> keep(points.size(), false);
  keep.front() = true;
  keep.back() = true;
  KeepFar(points, 0, points.size() - 1, keep);
  std::vector<DrawPoint> kept;
  for (size_t k = 0; k < points.size(); ++k) {
    if (keep[k]) kept.push_back(points[k]);
  }
  return kept;
}

void CloseChain(Drawing& drawing, Chain& chain, double bottom, Colour colour) {
  chain.left.push_back({chain.last.from, bottom});
  chain.right.push_back({chain.last.to, bottom});
  PolylineShape polygon;
  polygon.points = Simplified(chain.left);
  const std::vector<DrawPoint> right = Simplified(chain.right);
  polygon.points.insert(polygon.points.end(), right.rbegin(), right.rend());
  polygon.closed = true;
  polygon.filled = true;
  polygon.fill = colour;
  // A hairline of the fill hides the seams where two polygons of a band meet.
  polygon.stroke = {colour, 0.3, false};
  drawing.shapes.emplace_back(std::move(polygon));
}

}  // namespace

IntensityRaster BinRaster(const IntensityRaster& raster, int block) {
  if (block <= 1 || raster.size < 1) return raster;
  const int half = raster.size / 2;
  const int reach = (block - 1) / 2;
  const int shownHalf = (half - reach) / block;
  IntensityRaster binned;
  binned.size = 2 * shownHalf + 1;
  binned.intensity.assign(static_cast<size_t>(binned.size) * binned.size, 0.0);
  const double share = 1.0 / (block * block);
  for (int row = -shownHalf; row <= shownHalf; ++row) {
    for (int column = -shownHalf; column <= shownHalf; ++column) {
      double sum = 0.0;
      for (int sj = -reach; sj <= reach; ++sj) {
        for (int si = -reach; si <= reach; ++si) {
          sum += raster.intensity[static_cast<size_t>(half + row * block + sj) * raster.size +
                                  half + column * block + si];
        }
      }
      binned.intensity[static_cast<size_t>(row + shownHalf) * binned.size + column + shownHalf] =
          sum * share;
    }
  }
  return binned;
}

double AddPointImage(Drawing& drawing, const IntensityRaster& raster, DrawPoint centre,
                     double samplePixels) {
  if (raster.size < 1 || !(samplePixels > 0.0) ||
      raster.intensity.size() != static_cast<size_t>(raster.size) * raster.size) {
    return 0.0;
  }
  int block = 1;
  while (block * samplePixels < kLeastSamplePixels && block < raster.size) block += 2;
  const IntensityRaster shown = BinRaster(raster, block);
  const double pitch = samplePixels * block;
  const int n = shown.size;
  const int half = n / 2;

  std::vector<double> logs(shown.intensity.size());
  for (size_t k = 0; k < logs.size(); ++k) {
    const double value = shown.intensity[k];
    // Held between the floor and a ceiling far above every band, so that no infinite
    // or undefined value enters the interpolation.
    logs[k] = value > 0.0 ? std::clamp(std::log10(value), kLogFloor, kLogCeiling) : kLogFloor;
  }
  std::vector<double> xs(n);
  for (int i = 0; i < n; ++i) xs[i] = centre.x + (i - half) * pitch;
  const double lowX = centre.x - (half + 0.5) * pitch;
  const double highX = centre.x + (half + 0.5) * pitch;
  const double top = centre.y - (half + 0.5) * pitch;
  const int rowsPerSample = static_cast<int>(std::ceil(pitch / kMostRowPixels - 1e-9));
  const int rows = n * rowsPerSample;
  const double rowPixels = pitch / rowsPerSample;

  // Each row's interpolated logarithms, computed once for all bands.
  std::vector<std::vector<double>> rowLogs(rows, std::vector<double>(n));
  for (int r = 0; r < rows; ++r) {
    const double y = top + (r + 0.5) * rowPixels;
    // Sample rows count up the page: the first is at the bottom.
    const double v = std::clamp(half - (y - centre.y) / pitch, 0.0, static_cast<double>(n - 1));
    const int j = std::min(static_cast<int>(v), std::max(0, n - 2));
    const double w = n > 1 ? v - j : 0.0;
    for (int i = 0; i < n; ++i) {
      const double below = logs[static_cast<size_t>(j) * n + i];
      const double above = n > 1 ? logs[static_cast<size_t>(j + 1) * n + i] : below;
      rowLogs[r][i] = below + w * (above - below);
    }
  }

  for (int band = 0; band < kIntensityBands; ++band) {
    const double floor = std::log10(BandFloor(band));
    const Colour colour = BandColour(band);
    std::vector<Chain> chains;
    for (int r = 0; r < rows; ++r) {
      const double y = top + (r + 0.5) * rowPixels;
      const std::vector<Run> runs =
          n > 1 ? RunsAbove(rowLogs[r], xs, lowX, highX, floor)
                : (rowLogs[r][0] >= floor ? std::vector<Run>{{lowX, highX}} : std::vector<Run>{});
      // A run continues the first chain above it that it overlaps, along straight
      // edges where the two overlap each other alone; where a region splits or joins,
      // the edges step at the row boundary, so that no sliver is drawn across the gap
      // between its pieces.
      std::vector<int> runsUnder(chains.size(), 0);
      std::vector<int> chainsOver(runs.size(), 0);
      for (size_t c = 0; c < chains.size(); ++c) {
        chains[c].continued = false;
        for (size_t k = 0; k < runs.size(); ++k) {
          if (Overlap(chains[c].last, runs[k])) {
            ++runsUnder[c];
            ++chainsOver[k];
          }
        }
      }
      const double boundary = y - rowPixels / 2.0;
      std::vector<Chain> started;
      for (size_t k = 0; k < runs.size(); ++k) {
        const Run& run = runs[k];
        size_t c = 0;
        while (c < chains.size() && (chains[c].continued || !Overlap(chains[c].last, run))) ++c;
        if (c == chains.size()) {
          Chain fresh;
          fresh.left.push_back({run.from, boundary});
          fresh.right.push_back({run.to, boundary});
          fresh.left.push_back({run.from, y});
          fresh.right.push_back({run.to, y});
          fresh.last = run;
          fresh.continued = true;
          started.push_back(std::move(fresh));
          continue;
        }
        Chain& joined = chains[c];
        if (chainsOver[k] != 1 || runsUnder[c] != 1) {
          joined.left.push_back({joined.last.from, boundary});
          joined.left.push_back({run.from, boundary});
          joined.right.push_back({joined.last.to, boundary});
          joined.right.push_back({run.to, boundary});
        }
        joined.left.push_back({run.from, y});
        joined.right.push_back({run.to, y});
        joined.last = run;
        joined.continued = true;
      }
      std::vector<Chain> open;
      for (Chain& chain : chains) {
        if (chain.continued) open.push_back(std::move(chain));
        else CloseChain(drawing, chain, y - rowPixels / 2.0, colour);
      }
      for (Chain& chain : started) open.push_back(std::move(chain));
      chains = std::move(open);
    }
    for (Chain& chain : chains) CloseChain(drawing, chain, top + rows * rowPixels, colour);
  }
  return rowPixels;
}

}  // namespace spekulor::drawing
