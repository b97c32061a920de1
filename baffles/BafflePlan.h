// The central hole, the two baffles and the focus travel of a completed design: the
// whole study in one top function, one step a line.
//
// Lengths in the design's unit and in the frame of trace/RayTrace.h: z from the
// primary's vertex toward the sky, the secondary at z = d, the focal plane at z = -b.
#ifndef SPEKULOR_BAFFLES_BAFFLEPLAN_H
#define SPEKULOR_BAFFLES_BAFFLEPLAN_H

#include <string>

#include "baffles/BaffleChecks.h"
#include "baffles/BaffleFrame.h"
#include "baffles/BaffleParts.h"
#include "baffles/BaffleProblem.h"
#include "baffles/BaffleSolver.h"
#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "baffles/FocusTravel.h"

namespace spekulor::baffles {

// A skirt wider than this fraction of the primary's diameter is refused: it would cost
// more light (a quarter of the area) than baffling is worth.
constexpr double kMostBaffleObstruction = 0.5;

// Rim rays a field point traced for the hole the field needs (even spacing in azimuth).
constexpr int kHoleRimAzimuths = 32;

// The primary's thickness when none is given, as a fraction of D: the classic 1:6 blank.
constexpr double kDefaultThicknessRatio = 1.0 / 6.0;

struct BaffleOptions {
  double primaryThickness = calc::kNotGiven;  // the primary's back lies this far behind its vertex
  double focusClearance = 0.0;          // wanted distance of the focus behind the back
};

// The values an option may take for a design, both ends included.
struct BaffleOptionRange {
  double least = 0.0;
  double most = 0.0;
  bool Holds(double value) const { return value >= least && value <= most; }
};

// The primary's thickness: from 0 to its diameter D (a blank thicker than it is wide
// is no mirror blank).
BaffleOptionRange ThicknessRange(const calc::DesignResult& design);

// The focus clearance for a primary `thickness` thick: from -thickness (the focus in
// the plane of the primary's vertex) to the system focal length F (the focus farther
// behind the back than the whole focal length of the telescope in front of it).
BaffleOptionRange FocusClearanceRange(const calc::DesignResult& design, double thickness);

// The thickness used: the option's, or kDefaultThicknessRatio D when none is given.
double PrimaryThickness(const calc::DesignResult& design, const BaffleOptions& options);

struct BafflePlan {
  // None when the design was baffled; otherwise why it cannot be.
  BaffleProblem problem;
  // The frame and the focus travel were worked out: for every traceable design with
  // usable options (FocusTravelProblem), also when its baffles cannot be planned.
  bool focusKnown = false;
  BaffleFrame frame;
  double firstOrderHole = 0.0;  // diameter, 2 [h + (y2 - h) b / (d + b)]
  double hole = 0.0;            // diameter, from the exact trace
  BafflePair firstOrder;
  BafflePair baffles;           // from the exact trace, with the rounding margin
  BaffleParts parts;            // the baffles as placed in the telescope
  double linearObstruction = 0.0;  // fraction of D: the skirt (or the secondary, if wider)
  double areaObstruction = 0.0;    // fraction of the primary's area
  double firstOrderLinearObstruction = 0.0;
  FieldRayCheck fieldRays;
  SkyLineCheck skyLines;
  FocusTravel focus;
  bool ok() const { return problem.ok(); }
};

// Why the focus travel of the completed design cannot be worked out, or no problem: it
// must be traceable (TelescopeProblem) and the options must lie in their ranges.
BaffleProblem FocusTravelProblem(const calc::DesignResult& design, const BaffleOptions& options);

// Why the completed design cannot be baffled before any solving, or no problem: no
// FocusTravelProblem, and its focus behind the primary.
BaffleProblem BaffleInputsProblem(const calc::DesignResult& design, const BaffleOptions& options);

// The study of a completed design.
BafflePlan PlanBaffles(const calc::DesignResult& design, const BaffleOptions& options);

// The central obstruction the baffles make, as the image-quality analyses take it: the
// skirt's diameter, or the secondary's where it is wider (design unit), when the design
// can be baffled; otherwise why not, and no diameter.
struct BaffleObstruction {
  BaffleProblem problem;
  double diameter = 0.0;
  bool ok() const { return problem.ok(); }
};
BaffleObstruction PlanObstruction(const calc::DesignResult& design,
                                  const BaffleOptions& options = BaffleOptions());

}  // namespace spekulor::baffles

#endif
