#include "collimation/PupilFit.h"

#include <cmath>
#include <utility>

using namespace spekulor::quality;

namespace spekulor::collimation {

namespace {

constexpr int kN = kPupilTermCount;

// Solves m a = r by Gaussian elimination with partial pivoting; false when singular.
bool Solve(std::array<std::array<double, kN>, kN>& m, PupilTerms& r, PupilTerms& a) {
  for (int col = 0; col < kN; ++col) {
    int pivot = col;
    for (int row = col + 1; row < kN; ++row) {
      if (std::fabs(m[row][col]) > std::fabs(m[pivot][col])) pivot = row;
    }
    if (!(std::fabs(m[pivot][col]) > 0.0)) return false;
    std::swap(m[pivot], m[col]);
    std::swap(r[pivot], r[col]);
    for (int row = col + 1; row < kN; ++row) {
      const double factor = m[row][col] / m[col][col];
      for (int k = col; k < kN; ++k) m[row][k] -= factor * m[col][k];
      r[row] -= factor * r[col];
    }
  }
  for (int row = kN - 1; row >= 0; --row) {
    double sum = r[row];
    for (int k = row + 1; k < kN; ++k) sum -= m[row][k] * a[k];
    a[row] = sum / m[row][row];
  }
  return true;
}

}  // namespace

PupilTerms PupilTermValues(double u, double v) {
  // With phi from +y: rho cos phi = v, rho sin phi = u.
  const double rho2 = u * u + v * v;
  return {1.0,
          v,
          u,
          rho2,
          v * v - u * u,
          2.0 * u * v,
          rho2 * v,
          rho2 * u,
          rho2 * rho2};
}

PupilTerms FitPupilTerms(const TracedPupil& pupil, const std::vector<double>& values) {
  PupilTerms fit{};
  if (pupil.rays.size() < static_cast<size_t>(kN) || values.size() != pupil.rays.size()) {
    return fit;
  }
  const double radius = 0.5 * pupil.size * pupil.spacing;
  std::array<std::array<double, kN>, kN> normal{};
  PupilTerms right{};
  for (size_t k = 0; k < pupil.rays.size(); ++k) {
    const PupilRay& ray = pupil.rays[k];
    const PupilTerms basis = PupilTermValues(ray.x / radius, ray.y / radius);
    for (int a = 0; a < kN; ++a) {
      const double weighted = ray.weight * basis[a];
      right[a] += weighted * values[k];
      for (int b = a; b < kN; ++b) normal[a][b] += weighted * basis[b];
    }
  }
  for (int a = 0; a < kN; ++a) {
    for (int b = 0; b < a; ++b) normal[a][b] = normal[b][a];
  }
  PupilTerms solution{};
  if (!Solve(normal, right, solution)) return fit;
  for (double value : solution) {
    if (!std::isfinite(value)) return fit;
  }
  return solution;
}

}  // namespace spekulor::collimation
