#include "quality/PupilTrace.h"

#include <algorithm>
#include <cmath>

using namespace spekulor::trace;

namespace spekulor::quality {

namespace {

struct CellRay {
  RayFate fate = RayFate::NoImage;
  bool imaged = false;
  Vec3 onSecondary;
  Vec3 direction;
  double path = 0.0;
};

double Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }

// The incoming plane wavefront through the origin has the optical path 0; the ray's
// origin lies origin . direction beyond it.
CellRay TraceCellRay(const Telescope& telescope, double x, double y, const Vec3& direction,
                     double startZ) {
  const Vec3 origin = RayOriginThrough(telescope, x, y, direction, startZ);
  const TracedRay ray = TraceRay(telescope, origin, direction);
  CellRay cell;
  cell.fate = ray.fate;
  if (ray.fate != RayFate::Imaged) return cell;
  cell.imaged = true;
  cell.onSecondary = ray.onSecondary;
  cell.direction = ray.finalDirection;
  cell.path = Dot(origin, direction) + Length(ray.onPrimary - origin) +
              Length(ray.onSecondary - ray.onPrimary);
  return cell;
}

}  // namespace

double ExitPupilZ(const Telescope& telescope) {
  const double d = telescope.secondary.vertexZ;
  return d + 1.0 / (2.0 * telescope.secondary.curvature + 1.0 / d);
}

TracedPupil TracePupil(const Telescope& telescope, double fieldAngle, int size) {
  TracedPupil pupil;
  pupil.fieldAngle = fieldAngle;
  pupil.size = size;
  pupil.spacing = telescope.diameter / size;
  pupil.imageZ = telescope.imageZ;
  pupil.exitPupilZ = ExitPupilZ(telescope);
  pupil.systemFocus = telescope.systemFocus;
  pupil.focalRatio = telescope.systemFocus / telescope.diameter;
  if (size < 2) return pupil;

  const Vec3 direction = StarDirection(fieldAngle);
  const double startZ = StartPlane(telescope);
  const double h = pupil.spacing;
  auto centre = [&](int index) { return (index + 0.5 - 0.5 * size) * h; };
  // No part of a cell whose centre lies this far out can reach the primary.
  const double reach = telescope.primary.clearRadius + h;

  // First the centre rays: a whole cell each, its index kept per cell (-1 when stopped).
  std::vector<int> index(static_cast<size_t>(size) * size, -1);
  pupil.rays.reserve(static_cast<size_t>(0.8 * size * size) + 8 * static_cast<size_t>(size));
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      if (std::hypot(centre(i), centre(j)) > reach) continue;
      const CellRay cell = TraceCellRay(telescope, centre(i), centre(j), direction, startZ);
      if (cell.fate == RayFate::OutsideStop) continue;
      ++pupil.launched;
      if (cell.fate == RayFate::Obstructed) ++pupil.obstructed;
      if (!cell.imaged) continue;
      ++pupil.imaged;
      PupilRay ray;
      ray.cell = j * size + i;
      ray.weight = 1.0;
      ray.x = centre(i);
      ray.y = centre(j);
      ray.onSecondary = cell.onSecondary;
      ray.direction = cell.direction;
      ray.path = cell.path;
      index[ray.cell] = static_cast<int>(pupil.rays.size());
      pupil.rays.push_back(ray);
    }
  }

  Telescope unclipped = telescope;
  unclipped.shadowRadius = 0.0;
  unclipped.primary.clearRadius *= 2.0;
  unclipped.secondary.clearRadius *= 2.0;

  // Then the cells on an edge: a neighbour's centre ray fared otherwise.
  std::vector<bool> gone(pupil.rays.size(), false);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      const int cell = j * size + i;
      const bool imaged = index[cell] >= 0;
      bool edge = false;
      for (int dj = -1; dj <= 1 && !edge; ++dj) {
        for (int di = -1; di <= 1 && !edge; ++di) {
          const int ni = i + di;
          const int nj = j + dj;
          const bool neighbour =
              ni >= 0 && nj >= 0 && ni < size && nj < size && index[nj * size + ni] >= 0;
          edge = neighbour != imaged;
        }
      }
      if (!edge) continue;
      int passing = 0;
      CellRay firstPassing;
      for (int sj = 0; sj < kEdgeSubsamples; ++sj) {
        for (int si = 0; si < kEdgeSubsamples; ++si) {
          const double x = centre(i) + ((si + 0.5) / kEdgeSubsamples - 0.5) * h;
          const double y = centre(j) + ((sj + 0.5) / kEdgeSubsamples - 0.5) * h;
          const CellRay sub = TraceCellRay(telescope, x, y, direction, startZ);
          if (!sub.imaged) continue;
          if (passing++ == 0) firstPassing = sub;
        }
      }
      const double weight = static_cast<double>(passing) / (kEdgeSubsamples * kEdgeSubsamples);
      if (imaged) {
        pupil.rays[index[cell]].weight = weight;
        gone[index[cell]] = passing == 0;
        continue;
      }
      if (passing == 0) continue;
      CellRay chosen = TraceCellRay(unclipped, centre(i), centre(j), direction, startZ);
      if (!chosen.imaged) chosen = firstPassing;
      PupilRay ray;
      ray.cell = cell;
      ray.weight = weight;
      ray.x = centre(i);
      ray.y = centre(j);
      ray.onSecondary = chosen.onSecondary;
      ray.direction = chosen.direction;
      ray.path = chosen.path;
      pupil.rays.push_back(ray);
      gone.push_back(false);
    }
  }
  // Cells none of whose sub-rays passed leave; the rest in cell order.
  size_t kept = 0;
  for (size_t k = 0; k < pupil.rays.size(); ++k) {
    if (!gone[k]) pupil.rays[kept++] = pupil.rays[k];
  }
  pupil.rays.resize(kept);
  std::sort(pupil.rays.begin(), pupil.rays.end(),
            [](const PupilRay& a, const PupilRay& b) { return a.cell < b.cell; });
  return pupil;
}

}  // namespace spekulor::quality
