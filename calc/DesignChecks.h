// Whether a completed design is a real two-mirror telescope of the Cassegrain family.
//
// The required-input rules only ask whether enough was given to fix the layout; the
// solver then completes whatever the numbers give, including telescopes that cannot
// exist (a negative diameter, a "secondary" that does not magnify or stands behind
// the primary's focus, a secondary larger than the primary, values that are not
// finite). Such a design is refused with error 5 and one message naming what to
// change, before anything is reported, exported or drawn.
#ifndef SPEKULOR_CALC_DESIGNCHECKS_H
#define SPEKULOR_CALC_DESIGNCHECKS_H

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "calc/Inputs.h"

namespace spekulor::calc {

// Checks, in this order, and gives the first that fails (error ImpossibleDesign), or
// no error:
//  1. the primary's diameter, then its focal length, is greater than zero;
//  2. the field is not negative;
//  3. on the paths that read it, the secondary's radius is greater than zero;
//  4. on the secondary-conic path, the entry is greater than 1 (it is read as the
//     magnitude of a classical secondary's conic);
//  5. the magnification is greater than 1;
//  6. the secondary stands between the primary and its focus (0 < p < f1);
//  7. the system focus lies behind the secondary (q > 0);
//  8. the secondary is smaller than the primary;
//  9. both mirrors' surfaces reach their edges (an oblate conic closes before);
// 10. every completed value is finite (a flat field's infinite radius of field
//     curvature excepted: it is a result, printed as such).
// `input` is what was read, `design` what CompleteDesign made of it along `path`.
RuleOutcome CheckCompletedDesign(const DesignInput& input, const DesignResult& design,
                                 SolvePath path);

}  // namespace spekulor::calc

#endif
