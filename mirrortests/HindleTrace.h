// The Hindle test traced exactly, double pass: from the point source at the far focus A
// to the secondary, out to the sphere, back to the secondary and home to A.
//
// Frame: the secondary's vertex at the origin, its convex face toward +z, where the
// source stands at z = A; the sphere's vertex at z = S and its centre at z = -B (on the
// near focus). Rays run in the meridian plane through the secondary's points at radii
// h of the tested annulus (the test is rotationally symmetric). Each ray's optical path
// ends on the reference point A itself: for a wave converging on A the path to the
// reference sphere about A and the path to A differ only in the second order of the
// ray's miss (Welford, "Aberrations of Optical Systems", sec. 5.2). The wavefront is
// then freed of piston and defocus (h^2 on the secondary), fitted by least squares over
// the annulus' area; tilt vanishes by symmetry.
//
// A surface error dz on the secondary, measured along the axis, lengthens the path of a
// reflection by dz (cos a + cos b), a and b the angles of the incoming and leaving rays
// to the axis; the double pass meets it twice: 2 dz (cos a + cos b).
#ifndef SPEKULOR_MIRRORTESTS_HINDLETRACE_H
#define SPEKULOR_MIRRORTESTS_HINDLETRACE_H

#include <vector>

#include "mirrortests/HindleSphere.h"
#include "trace/ConicMirror.h"

namespace spekulor::mirrortests {

struct HindleBench {
  double secondaryRoc = 0.0;    // R2, magnitude
  double secondaryConic = 0.0;  // the conic the secondary is figured to
  double sphereRadius = 0.0;    // RS
  double nearFocus = 0.0;       // B: the sphere's centre lies B behind the vertex
  double farFocus = 0.0;        // A: the source
  double innerRadius = 0.0;     // the tested annulus on the secondary
  double outerRadius = 0.0;
};

// The bench of a laid-out test, the secondary figured to `secondaryConic`.
HindleBench BenchOf(const HindleLayout& layout, const HindleInput& input, double secondaryConic);

struct HindleRay {
  double height = 0.0;    // h on the secondary
  double path = 0.0;      // source to A, design unit
  double cosIn = 0.0;     // cos a: the ray from the source, to the axis
  double cosOut = 0.0;    // cos b: the ray toward the sphere, to the axis
};

struct HindleWavefront {
  bool traced = false;         // false when a ray missed a surface
  std::vector<HindleRay> rays;  // `samples` heights evenly over the annulus
  std::vector<double> waves;    // each ray's residual, piston and defocus removed, waves
  double rmsWaves = 0.0;        // over the annulus' area
  double pvWaves = 0.0;
};

// The points of the double pass through the secondary's point at height h (in the
// meridian plane, y = h): the source, the secondary, the sphere, the secondary again and
// where the ray ends, at the source's distance; empty when a surface is missed.
std::vector<trace::Vec3> HindleRayPath(const HindleBench& bench, double h);

// Traces `samples` (>= 3) rays over the annulus at `wavelength` (design unit).
HindleWavefront TraceHindleTest(const HindleBench& bench, double wavelength, int samples);

// Removes piston and h^2 from `values` at `heights` by least squares weighted with
// h (the annulus' area) and returns the residuals.
std::vector<double> RemovePistonAndDefocus(const std::vector<double>& heights,
                                           const std::vector<double>& values);

// The root mean square of `values` weighted with the heights (the annulus' area).
double AreaRms(const std::vector<double>& heights, const std::vector<double>& values);

}  // namespace spekulor::mirrortests

#endif
