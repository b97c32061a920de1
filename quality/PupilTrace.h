// The exact trace of one star's light through a square grid over the primary's
// aperture, kept as the wavefront and the point image need it.
//
// The primary's rim is the aperture stop, so the grid lies on the primary: `size`
// cells across its diameter D, cell (i, j) centred at x = (i + 0.5 - size / 2) D / size
// and likewise y (the field lies along +y, see StarDirection). A cell whose centre ray
// and its eight neighbours' agree (all imaged, or none) counts whole or not at all; a
// cell on an edge (the primary's rim, the secondary's shadow, a vignetting rim) is
// sampled by kEdgeSubsamples^2 rays and weighted by the fraction that reach the image,
// so the pupil's area and edges are right to well below a cell.
#ifndef SPEKULOR_QUALITY_PUPILTRACE_H
#define SPEKULOR_QUALITY_PUPILTRACE_H

#include <vector>

#include "trace/RayTrace.h"

namespace spekulor::quality {

constexpr int kEdgeSubsamples = 4;

struct PupilRay {
  int cell = 0;         // j * size + i
  double weight = 0.0;  // fraction of the cell's area whose light reaches the image, 0..1
  double x = 0.0;       // the cell's centre on the primary, design unit
  double y = 0.0;
  trace::Vec3 onSecondary;     // where the cell's ray leaves the secondary
  trace::Vec3 direction;       // its unit direction from there
  double path = 0.0;    // optical path from the incoming plane wavefront through the
                        // primary's vertex to onSecondary, design unit
};

struct TracedPupil {
  double fieldAngle = 0.0;   // radians
  int size = 0;              // cells across the primary's diameter
  double spacing = 0.0;      // cell width, design unit
  double imageZ = 0.0;       // the paraxial image plane (z = -b)
  double exitPupilZ = 0.0;   // the exit pupil on the axis
  double systemFocus = 0.0;  // F
  double focalRatio = 0.0;   // F / D
  // The cells' centre rays that met the primary inside its rim: all of them, those the
  // secondary's disc stopped on the way in, and those that reached the image.
  int launched = 0;
  int obstructed = 0;
  int imaged = 0;
  std::vector<PupilRay> rays;  // the cells passing light, in cell order
};

// The paraxial exit pupil's place on the axis: the virtual image of the primary (the
// stop) in the convex secondary, 1 / (2 / R2 + 1 / d) beyond the secondary's vertex on
// the sky's side (the mirror equation, Welford, "Aberrations of Optical Systems",
// sec. 2.5).
double ExitPupilZ(const trace::Telescope& telescope);

// Traces the grid for a star `fieldAngle` radians off the axis. A partly passing cell
// whose centre ray is stopped takes its path from the centre ray traced without the
// obstruction and the rims (the mirrors' surfaces continue smoothly), or, should that
// fail, from its first sub-ray that passes.
TracedPupil TracePupil(const trace::Telescope& telescope, double fieldAngle, int size);

}  // namespace spekulor::quality

#endif
