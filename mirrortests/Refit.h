// Finishing the telescope from its mirrors as they were made.
//
// The maker measures the primary's vertex radius R1 and conic K1 (and perhaps the
// secondary's radius R2, once it is made), and what is still free is solved again in the
// design's paraxial relations (DesignResult.h: d = f1 - p, q = d + b, R2 (q - p) = 2 p q,
// m = q / p, F = m f1) so that the telescope keeps the design's back focal length b, or
// its system focal length F:
// - secondary not yet made: R2 and d are free. The secondary keeps its share of the
//   primary's light cone, p / f1 (the axis obstruction, and with it the secondary's
//   size), and the kept b or F fixes the rest.
// - secondary made (R2 given): only d is free. Keeping b: q + p = f1 + b with
//   q = R2 p / (R2 - 2 p), whose root below f1 is p = (R2 + e - sqrt(R2^2 + e^2)) / 2,
//   e = f1 + b; keeping F: m = F / f1, p = R2 (m - 1) / (2 m).
// The secondary's conic is then the one that corrects the axis image on the exact trace:
// the third-order value (the design's own relation for a given primary conic) refined to
// the least RMS wavefront error of the refocused axis image.
//
// Lengths in the design's unit.
#ifndef SPEKULOR_MIRRORTESTS_REFIT_H
#define SPEKULOR_MIRRORTESTS_REFIT_H

#include "calc/DesignResult.h"

namespace spekulor::mirrortests {

enum class RefitKeep { BackFocus, FocalLength };

struct RefitRequest {
  double primaryRoc = 0.0;    // measured R1
  double primaryConic = 0.0;  // measured K1
  double secondaryRoc = 0.0;  // measured R2, or 0 when the secondary is not yet made
  RefitKeep keep = RefitKeep::BackFocus;
};

// Why the mirrors cannot be made into a telescope.
enum class RefitProblem {
  None,
  NotFinite,      // a measured figure is not a finite number, or a radius not positive
  NoTelescope,    // no secondary place gives the kept figure (detail: the secondary's
                  // distance from the prime focus that would be needed, or NaN)
  NotTraceable    // the solved telescope loses its axis light on the exact trace
};

struct RefitResult {
  RefitProblem problem = RefitProblem::None;
  double problemDetail = 0.0;
  calc::DesignResult design;  // the refitted telescope: the design with the solved figures
  double axisRmsWaves = 0.0;        // refocused axis image, at the wavelength given
  double edgeRmsWaves = 0.0;        // edge of the field, at its own best focus
  double designEdgeRmsWaves = 0.0;  // the same for the design
};

// The paraxial part alone: the design with R1, f1, K1 and the solved R2, d, p, q, m, F, b
// (the conic not yet touched). `problem` is NotFinite or NoTelescope when it fails.
RefitResult SolveRefitGeometry(const calc::DesignResult& design, const RefitRequest& request);

// The secondary conic that corrects the axis of `design` on the exact trace with a pupil
// grid of `gridSize`, at `wavelength` (design unit), and the RMS it leaves.
double BestSecondaryConic(const calc::DesignResult& design, int gridSize, double wavelength,
                          double* axisRmsWaves);

// The whole refit: the geometry, the conic (when the secondary is not yet made, or the
// conic it should be figured to when it is), and the images on the axis and at the edge
// of the field beside the design's.
RefitResult RefitTelescope(const calc::DesignResult& design, const RefitRequest& request,
                           double wavelength);

}  // namespace spekulor::mirrortests

#endif
