// A rotationally symmetric conic mirror and the exact meeting of a straight ray with it.
//
// The surface about the vertex (local axial coordinate w = z - vertexZ, radius r) is
//   c r^2 + (1 + K) c w^2 - 2 w = 0,
// the standard conic of optical design (Welford, "Aberrations of Optical Systems",
// sec. 2.3): K = 0 sphere, K = -1 paraboloid, K < -1 hyperboloid, -1 < K < 0 prolate
// and K > 0 oblate ellipsoid. For a given r the equation has two roots; the mirror is
// the sheet through the vertex, w = c r^2 / (1 + sqrt(1 - (1 + K) c^2 r^2)), the one
// on which 1 - (1 + K) c w >= 0. A ray can meet the other sheet (the far half of a
// sphere or ellipsoid, the second sheet of a hyperboloid) before or instead of the
// mirror; those meetings are not reflections and are rejected here.
#ifndef SPEKULOR_TRACE_CONICMIRROR_H
#define SPEKULOR_TRACE_CONICMIRROR_H

namespace spekulor::trace {

struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(double s, const Vec3& a) { return {s * a.x, s * a.y, s * a.z}; }
inline double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct ConicMirror {
  double vertexZ = 0.0;      // vertex position on the axis
  double curvature = 0.0;    // c = 1 / R; positive when the centre of curvature lies toward +z
  double conic = 0.0;        // K
  double clearRadius = 0.0;  // half the mirror's diameter; light beyond it is not reflected
};

// Sag w(r) of the mirror's own sheet, measured from the vertex along +z; NaN where the
// surface does not reach radius r (an ellipsoid narrower than r).
double MirrorSag(const ConicMirror& mirror, double r);

// The smallest positive distance t along the ray origin + t * direction (direction of
// unit length) at which it meets the mirror's own sheet, ignoring the clear radius.
// False when it never does (it passes beside an ellipsoid, meets only the other sheet,
// or the numbers are not finite).
bool IntersectMirror(const ConicMirror& mirror, const Vec3& origin, const Vec3& direction,
                     double& t);

// Unit normal of the surface at a point on it, pointing toward +z at the vertex.
Vec3 MirrorNormal(const ConicMirror& mirror, const Vec3& point);

// Direction after a mirror reflection: d - 2 (d . n) n, n of unit length.
Vec3 Reflect(const Vec3& direction, const Vec3& normal);

}  // namespace spekulor::trace

#endif
