// Spot diagrams: where the rays from one star meet the paraxial image plane, sampled
// uniformly over the clear annulus of the primary, with their statistics.
#ifndef SPEKULOR_TRACE_SPOTDIAGRAM_H
#define SPEKULOR_TRACE_SPOTDIAGRAM_H

#include <array>
#include <string>
#include <vector>

#include "calc/DesignInput.h"
#include "calc/OpticalConstants.h"
#include "calc/DesignResult.h"
#include "trace/RayTrace.h"
#include "trace/SecondaryPerturbation.h"

namespace spekulor::trace {

struct SpotPoint {
  double x = 0.0;
  double y = 0.0;
};

// Statistics of a set of image points, lengths in the design's unit.
struct SpotStatistics {
  double centroidX = 0.0;
  double centroidY = 0.0;
  double rmsRadius = 0.0;     // root mean square distance from the centroid
  double maxRadius = 0.0;     // largest distance from the centroid
  double thirdMomentY = 0.0;  // mean of (y - centroidY)^3: the odd, comatic part along the field
};

SpotStatistics ComputeSpotStatistics(const std::vector<SpotPoint>& points);

struct SpotDiagram {
  double fieldFraction = 0.0;  // of the half field
  double fieldAngle = 0.0;     // radians off the axis
  int launched = 0;            // rays started on the sampling grid
  int obstructed = 0;          // stopped by the secondary's disc
  int vignetted = 0;           // passed beside the secondary
  int lost = 0;                // outside the stop or not reaching the image plane
  std::vector<SpotPoint> points;  // the imaged rays, in the image plane
  SpotStatistics stats;
};

// The points of a square grid of the given spacing, centred on the axis and
// symmetric about both axes, that lie within `radius` of it; none when the radius holds
// more than kMostGridSteps spacings (some 50 million points, 800 MB).
constexpr int kMostGridSteps = 4096;
std::vector<SpotPoint> SquareGrid(double radius, double spacing);

// Traces a spot diagram for a star `fieldAngle` radians off the axis. The rays meet
// the primary on a square grid over its clear aperture; the grid is made finer, in at
// most four rounds that each at most quadruple its rays, until at least `minimumRays`
// rays reach the image plane, unless the grid has grown to eight times that many rays
// (and 4096) first (a star so far off that the secondary passes almost none; the spot
// then holds what got through, possibly nothing), or fewer than half of the rays that
// pass the secondary reach the image (the spot is refused, SpotSetProblem).
SpotDiagram TraceSpotDiagram(const Telescope& telescope, double fieldAngle, int minimumRays);

constexpr int kDefaultSpotRays = 2000;

struct SpotSet {
  std::array<SpotDiagram, 3> spots;
  double airyRadius = 0.0;          // kAiryFactor lambda F / D at kWavelengthMm, design unit
  double micrometresPerUnit = 0.0;  // MicrometresPerUnit
  double arcsecPerUnit = 0.0;       // 206264.8 / F
};

// The three spot diagrams of a completed, traceable design (see TelescopeProblem),
// and the same with its secondary moved (see PerturbationProblem). A field point that
// SpotSetProblem refuses ends the tracing: the points after it are left empty.
SpotSet ComputeSpotSet(const calc::DesignResult& design, calc::LengthUnit unit, int minimumRays);
SpotSet ComputeSpotSet(const calc::DesignResult& design, calc::LengthUnit unit, int minimumRays,
                       const SecondaryPerturbation& secondary);

// Why a traced spot set cannot stand as a result, or no problem when it can: a field
// point at which fewer than half of the rays that pass the secondary reach the image
// plane (LightLost: a spot of the few that got through, or of none, would read as a
// sharp image).
TraceProblem SpotSetProblem(const SpotSet& set);

// The checks and the trace in one: the design (TelescopeProblem), the perturbation
// (PerturbationProblem), then the spots (SpotSetProblem); the spots are those of a
// design that passed the first two.
struct SpotTrace {
  TraceProblem problem;
  SpotSet spots;
  bool ok() const { return problem.ok(); }
};
SpotTrace TraceSpots(const calc::DesignResult& design, calc::LengthUnit unit, int minimumRays,
                     const SecondaryPerturbation& secondary);

}  // namespace spekulor::trace

#endif
