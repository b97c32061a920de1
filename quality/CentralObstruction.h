// The pupil's central obstruction: the secondary's disc, or the wider disc of the skirt
// baffle that the baffle plan puts around it (baffles/BafflePlan.h). The analyses here
// cannot plan baffles themselves: whoever can passes the skirt's diameter in.
//
// The skirt is taken as a disc in the plane of the secondary's rim, where the
// secondary's own shadow lies (trace/RayTrace.h): its wall's side, seen off the axis,
// adds its length times the field angle to the shadow, a fraction of a cell of the
// pupil grid for these slow fields, and is left out.
#ifndef SPEKULOR_QUALITY_CENTRALOBSTRUCTION_H
#define SPEKULOR_QUALITY_CENTRALOBSTRUCTION_H

#include "calc/DesignResult.h"
#include "trace/RayTrace.h"

namespace spekulor::quality {

enum class ObstructionSource {
  Secondary,  // the secondary's disc, SecDia across
  Baffles     // the skirt baffle's disc (or the secondary's, where it is wider)
};

struct CentralObstruction {
  ObstructionSource source = ObstructionSource::Secondary;
  double diameter = 0.0;  // Baffles: the skirt's outer diameter, design unit
};

// The obstruction's diameter: SecDia, or for the baffles the larger of SecDia and the
// skirt's.
double ObstructionDiameter(const calc::DesignResult& design, const CentralObstruction& obstruction);

// Whether the obstruction can stand in the design: a finite diameter below the
// primary's (the secondary's is checked with the design, TelescopeProblem).
bool ObstructionFits(const calc::DesignResult& design, const CentralObstruction& obstruction);

// The telescope whose secondary casts the obstruction's shadow: its disc widened to
// ObstructionDiameter / 2.
trace::Telescope ObstructedTelescope(trace::Telescope telescope, const calc::DesignResult& design,
                                     const CentralObstruction& obstruction);

// "secondary" or "skirt baffle", as the pictures name it.
const char* ObstructionName(ObstructionSource source);

}  // namespace spekulor::quality

#endif
