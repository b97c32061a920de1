// The telescope in section with its central hole and both baffles, to scale: the
// field's beam traced exactly, the extreme lines of skylight from the image circle's
// edge past the tube's mouth to the skirt, the baffles' positions and diameters as
// dimensions, and the table of figures (BaffleTable.h) underneath.
#ifndef SPEKULOR_BAFFLES_BAFFLEPICTURE_H
#define SPEKULOR_BAFFLES_BAFFLEPICTURE_H

#include "BafflePlan.h"
#include "DesignInput.h"
#include "DesignResult.h"
#include "Drawing.h"

// For a plan that succeeded (plan.ok()) on the completed design.
Drawing BuildBafflePicture(const BafflePlan& plan, const DesignResult& design, TelescopeType type,
                           LengthUnit unit);

#endif
