// The telescope in section with its central hole and both baffles, to scale: the
// field's beam traced exactly, the extreme lines of skylight from the image circle's
// edge past the tube's mouth to the skirt, the baffles' places and diameters as
// dimensions, a legend and a scale bar. Coordinates and texts as in drawing/Drawing.h.
//
// Named parts (drawing/PictureParts.h) for whoever looks for them: "secondary baffle",
// "primary baffle", "skylight lines", "skirt diameter", "tube diameter", "skirt end",
// "tube mouth" (the two dimensions along the axis) and "scale bar".
#ifndef SPEKULOR_BAFFLES_BAFFLEPICTURE_H
#define SPEKULOR_BAFFLES_BAFFLEPICTURE_H

#include "baffles/BafflePlan.h"
#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "drawing/Drawing.h"

namespace spekulor::baffles {

// For a plan that succeeded (plan.ok()) on the completed design.
drawing::Drawing BuildBafflePicture(const BafflePlan& plan, const calc::DesignResult& design, calc::TelescopeType type,
                           calc::LengthUnit unit);

}  // namespace spekulor::baffles

#endif
